#include "app/Startup.h"
#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MainMenuBar.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {
// Each test starts from nothing cached: the one before it has run the finalisers.
class StartupTest : public FakeDesktopTest {
protected:
    void TearDown() override
    {
        FakeDesktopTest::TearDown();
        _RunFinalizers();
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

TEST_F(StartupTest, TheTextFileTypeIsRegisteredOnceAtStartup)
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
}

namespace {
// An item of the menu bar that notes, as the bar goes, whether the file type went before it.
class Witness : public MenuItem {
public:
    explicit Witness(std::optional<bool>& fileTypeGone) : fileTypeGone_(fileTypeGone) {}
    ~Witness() override { fileTypeGone_ = FileTypes1::Text() == nullptr && !_RegisteredFileTypeFilter("text/plain"); }

private:
    std::optional<bool>& fileTypeGone_;
};
}

// Held by nothing but their caches (no application object, no window), the file type and the
// menu bar go while the finalisers run, each when its own drops it.
TEST_F(StartupTest, ShutDownReleasesTheFileTypeBeforeTheMenuBar)
{
    _InitFileTypes();
    std::optional<bool> fileTypeGoneFirst;
    instance::MainMenuBar()->Append(std::make_unique<Witness>(fileTypeGoneFirst));
    std::weak_ptr<MainMenuBar> menuBar = instance::MainMenuBar();
    ASSERT_NE(FileTypes1::Text(), nullptr);

    _RunFinalizers();
    EXPECT_TRUE(menuBar.expired());
    ASSERT_TRUE(fileTypeGoneFirst.has_value()) << "the menu bar outlived the finalisers";
    EXPECT_TRUE(*fileTypeGoneFirst);
}
