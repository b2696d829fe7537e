#include "App.h"
#include "FileTypes1.h"
#include "MainMenuBar.h"
#include "ProgramTest.h"
#include "Startup.h"
#include "Window1.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

using StartupTest = FakeDesktopTest;

TEST_F(StartupTest, EarlyStartupInstallsTheSharedMenuBarBeforeAnyWindow)
{
    _EarlyStartup();
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_EQ(instance::App().GetMenuBar(), instance::MainMenuBar().get());
    EXPECT_EQ(&instance::App(), &instance::App());
}

TEST_F(StartupTest, LateStartupBuildsOneMainWindowThatShowsItselfAndTheApplicationsOpenShowsAgain)
{
    _EarlyStartup();
    _LateStartup();
    ASSERT_EQ(OpenWindows().size(), 1u);
    Window1& window = instance::Window1();
    EXPECT_EQ(&window, OpenWindows().front());
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.GetMenuBar(), instance::App().GetMenuBar());

    instance::App().Event_Open();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ(window.TopLevelWidget()->windowTitle(), "Quorvane for YouTube");
    EXPECT_EQ(window.ContentArea()->size(), QSize(550, 411));
    EXPECT_FALSE(window.Resizeable());
    // Not resizable, yet it offers its maximise button, as declared.
    const Qt::WindowFlags flags = window.TopLevelWidget()->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowFullscreenButtonHint));
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

TEST_F(StartupTest, TheTextFileTypeIsRegisteredOnceAtStartupAndReleasedBeforeTheMenuBar)
{
    _EarlyStartup();
    std::shared_ptr<FileType> text = FileTypes1::Text();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(FileTypes1::Text(), text);
    EXPECT_TRUE(text->IsRegistered());
    EXPECT_EQ(text->ToString(), "text/plain");
    EXPECT_EQ(text->ToString(), "text/plain");
    EXPECT_EQ(text->RegistrationCount(), 1);
    EXPECT_EQ(text->Extensions(), ".text;.txt");
    EXPECT_EQ(text->MimeType(), "");
    EXPECT_EQ(text->UTI(), "public.text");
    EXPECT_EQ(_RegisteredFileTypeFilter("text/plain"), "Text files (*.text *.txt)");

    std::weak_ptr<FileType> fileType = text;
    std::weak_ptr<MainMenuBar> menuBar = instance::MainMenuBar();
    text.reset();
    _RuntimeRegisterAppObject(nullptr);
    _DestroyWindows();
    FileTypes1::_Finalize();
    EXPECT_TRUE(fileType.expired());
    EXPECT_FALSE(menuBar.expired());
    _RunFinalizers();
}
