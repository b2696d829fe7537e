#include "App.h"
#include "MainMenuBar.h"
#include "Startup.h"
#include "Window1.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {
class StartupTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        _DestroyWindows();
        _RuntimeRegisterAppObject(nullptr);
    }
};
}

TEST_F(StartupTest, EarlyStartupInstallsTheSharedMenuBarBeforeAnyWindow)
{
    _EarlyStartup();
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_EQ(instance::App().GetMenuBar(), instance::MainMenuBar().get());
    EXPECT_EQ(&instance::App(), &instance::App());
}

TEST_F(StartupTest, LateStartupBuildsOneHiddenMainWindowThatTheApplicationsOpenShows)
{
    _EarlyStartup();
    _LateStartup();
    ASSERT_EQ(OpenWindows().size(), 1u);
    Window1& window = instance::Window1();
    EXPECT_EQ(&window, OpenWindows().front());
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(window.GetMenuBar(), instance::App().GetMenuBar());

    instance::App().Event_Open();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ(window.TopLevelWidget()->windowTitle(), "Quorvane for YouTube");
    EXPECT_EQ(window.ContentArea()->size(), QSize(550, 411));
    EXPECT_FALSE(window.Resizeable());
}

TEST_F(StartupTest, AMainWindowBuiltAfterTheFirstClosedIsANewOneSharingTheMenuBar)
{
    _EarlyStartup();
    Window1* first = &instance::Window1();
    EXPECT_EQ(&instance::Window1(), first);
    first->Close();
    EXPECT_TRUE(OpenWindows().empty());
    Window1& second = instance::Window1();
    EXPECT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ(second.GetMenuBar(), instance::MainMenuBar().get());
}
