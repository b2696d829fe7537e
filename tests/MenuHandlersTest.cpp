#include "app/App.h"
#include "app/MainMenuBar.h"
#include "app/aboutWin.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
const std::string kHelpPage = "http://help.quorvane.example/quorvane.html";
const std::vector<std::string> kEditItems = {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"};

QAction* Item(Window& window, const std::string& name)
{
    return window.TopLevelWidget()->menuBar()->findChild<QAction*>(QString::fromStdString(name));
}

class MenuHandlersTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        applicationBindingsBeforeAnyWindow_ = instance::App().BoundMenuHandlers().ItemNames();
        main_ = &instance::Window1();
    }

    void Choose(Window& window, const std::string& name)
    {
        QAction* action = Item(window, name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    // The browser's calls once count of them came, after a pause long enough for one more to show.
    // Each ping has recorded its call by the time its window is built.
    std::vector<FakeTools::Call> BrowserCalls(std::size_t count)
    {
        const std::vector<FakeTools::Call> before = tools.Calls();
        const auto pings
            = static_cast<std::size_t>(std::count_if(before.begin(), before.end(), [](const auto& c) { return c.front() == "ping"; }));
        tools.WaitForCalls(pings + count);
        QThread::msleep(300);
        std::vector<FakeTools::Call> calls;
        for (const FakeTools::Call& call : tools.Calls())
            if (call.front() == "xdg-open")
                calls.push_back(call);
        return calls;
    }

    std::vector<std::string> applicationBindingsBeforeAnyWindow_;
    Window1* main_ = nullptr;
};
}

TEST_F(MenuHandlersTest, TheApplicationBindsItsThreeHandlersAtStartUpAndTheMainWindowItsOwn)
{
    EXPECT_EQ(applicationBindingsBeforeAnyWindow_, (std::vector<std::string> {"FileNewWindow", "FileAboutQuorvane", "FileHelp"}));
    EXPECT_EQ(instance::App().BoundMenuHandlers().ItemNames(), applicationBindingsBeforeAnyWindow_);
    EXPECT_EQ(main_->BoundMenuHandlers().ItemNames(), (std::vector<std::string> {"FileAboutQuorvane", "FileNewWindow", "FileHelp"}));
    EXPECT_TRUE(instance::aboutWin().BoundMenuHandlers().ItemNames().empty());
}

TEST_F(MenuHandlersTest, HelpHandsTheHelpPageToTheBrowserOncePerChoice)
{
    Choose(*main_, "FileHelp");
    EXPECT_EQ(BrowserCalls(1), (std::vector<FakeTools::Call> {{"xdg-open", kHelpPage}}));
    Choose(*main_, "FileHelp");
    // The About window binds none: the application's handler serves its menu.
    Choose(instance::aboutWin(), "FileHelp");
    EXPECT_EQ(BrowserCalls(3), (std::vector<FakeTools::Call>(3, {"xdg-open", kHelpPage})));
    EXPECT_TRUE(messages.empty());
}

TEST_F(MenuHandlersTest, AboutFromEitherMenuShowsTheOneAboutWindow)
{
    Choose(*main_, "FileAboutQuorvane");
    auto* about = dynamic_cast<aboutWin*>(_GetImplicitWindow(aboutWin::kClassName));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsVisible());
    Choose(*main_, "FileAboutQuorvane");
    Choose(*about, "FileAboutQuorvane");
    EXPECT_EQ(OpenWindows(), (std::vector<Window*> {main_, about}));
    EXPECT_TRUE(about->IsVisible());

    about->Close();
    Choose(*main_, "FileAboutQuorvane");
    Window* fresh = _GetImplicitWindow(aboutWin::kClassName);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, about);
    EXPECT_EQ(OpenWindows().size(), 2u);
}

TEST_F(MenuHandlersTest, EveryHandlerReportsFalse)
{
    struct Handler {
        const char* name;
        std::function<bool()> run;
    };
    App& app = instance::App();
    const std::vector<Handler> handlers = {
        {"window About", [&] { return main_->_FileAboutQuorvane_Action(); }},
        {"window New Window", [&] { return main_->_FileNewWindow_Action(); }},
        {"window Help", [&] { return main_->_FileHelp_Action(); }},
        {"application New Window", [&] { return app._FileNewWindow_Action(); }},
        {"application About", [&] { return app._FileAboutQuorvane_Action(); }},
        {"application Help", [&] { return app._FileHelp_Action(); }},
    };
    for (const Handler& handler : handlers)
        EXPECT_FALSE(handler.run()) << handler.name;
    EXPECT_EQ(OpenWindows().size(), 2u) << "one main window and one About window";
    EXPECT_EQ(BrowserCalls(2).size(), 2u);
}

TEST_F(MenuHandlersTest, AMinimisedWindowComesBackWhenItsCommandShowsIt)
{
    const struct {
        const char* name;
        std::function<Window&()> window;
        std::function<void()> command;
    } cases[] = {
        {"About from the menu", []() -> Window& { return instance::aboutWin(); }, [this] { Choose(*main_, "FileAboutQuorvane"); }},
        {"About from the logo", []() -> Window& { return instance::aboutWin(); },
            [this] { QTest::mousePress(main_->Canvas1().Widget(), Qt::LeftButton, {}, QPoint(50, 50)); }},
        {"New Window", []() -> Window& { return instance::Window1(); }, [this] { Choose(*main_, "FileNewWindow"); }},
    };
    main_->Show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window& window = c.window();
        window.Show();
        window.TopLevelWidget()->showMinimized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window.TopLevelWidget()->isMinimized());
        c.command();
        QCoreApplication::processEvents();
        EXPECT_EQ(&c.window(), &window) << "the open window, not a new one";
        EXPECT_FALSE(window.TopLevelWidget()->isMinimized());
        EXPECT_TRUE(window.IsVisible());
        EXPECT_EQ(QApplication::activeWindow(), window.TopLevelWidget());
    }
}

TEST_F(MenuHandlersTest, AMainWindowMadeByNewWindowStartsWithTheFocusInItsAddressField)
{
    aboutWin& about = instance::aboutWin();
    about.Show();
    main_->Close();
    Choose(about, "FileNewWindow");
    Window1& fresh = instance::Window1();
    ASSERT_NE(&fresh, main_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(fresh.TopLevelWidget()));
    EXPECT_EQ(QApplication::focusWidget(), fresh.TextField1().Widget());
}

TEST_F(MenuHandlersTest, EachMenuItemAccessorGivesTheSharedBarsItemOfItsName)
{
    const struct {
        const char* name;
        MenuItem* (Window1::*get)() const;
    } accessors[] = {
        {"EditMenu", &Window1::EditMenu},
        {"EditSelectAll", &Window1::EditSelectAll},
        {"EditSeparator2", &Window1::EditSeparator2},
        {"EditClear", &Window1::EditClear},
        {"EditPaste", &Window1::EditPaste},
        {"EditCopy", &Window1::EditCopy},
        {"EditCut", &Window1::EditCut},
        {"EditSeparator1", &Window1::EditSeparator1},
        {"EditUndo", &Window1::EditUndo},
        {"FileMenu", &Window1::FileMenu},
        {"FileHelp", &Window1::FileHelp},
        {"FileAboutQuorvane", &Window1::FileAboutQuorvane},
        {"FileNewWindow", &Window1::FileNewWindow},
    };
    const std::shared_ptr<MainMenuBar> bar = instance::MainMenuBar();
    for (const auto& accessor : accessors) {
        MenuItem* item = (main_->*accessor.get)();
        ASSERT_NE(item, nullptr) << accessor.name;
        EXPECT_EQ(item, bar->_Lookup(accessor.name)) << accessor.name;
        EXPECT_EQ(item->Name(), accessor.name);
    }

    main_->SetMenuBar(nullptr);
    for (const auto& accessor : accessors)
        EXPECT_THROW((main_->*accessor.get)(), NilObjectException) << accessor.name;
}

TEST_F(MenuHandlersTest, TheEditItemsReachNoProgramHandlerAndEditTheFocusedField)
{
    for (const std::string& name : kEditItems) {
        EXPECT_FALSE(main_->BoundMenuHandlers().Has(name)) << name;
        EXPECT_FALSE(instance::App().BoundMenuHandlers().Has(name)) << name;
    }
    main_->Show();
    QApplication::setActiveWindow(main_->TopLevelWidget());
    main_->TextField1().SetText("https://www.youtube.com/watch?v=abcdefghijk");
    main_->TextField1().SetFocus();
    QCoreApplication::processEvents();
    Choose(*main_, "EditSelectAll");
    EXPECT_EQ(static_cast<QLineEdit*>(main_->TextField1().Widget())->selectedText(), "https://www.youtube.com/watch?v=abcdefghijk");
    for (const std::string& name : kEditItems)
        Choose(*main_, name);
    EXPECT_EQ(OpenWindows(), std::vector<Window*> {main_});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(BrowserCalls(0).size(), 0u);
}

TEST_F(MenuHandlersTest, SelectAllKeySelectsEveryLanguageAndEditKeysWorkOnTheAddress)
{
    main_->Show();
    QApplication::setActiveWindow(main_->TopLevelWidget());
    for (const char* language : {"English", "French", "German"})
        main_->Listbox1().AddRow(language);
    main_->Listbox1().SetFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Item(*main_, "EditSelectAll")->isEnabled());
    QTest::keyClick(main_->Listbox1().Widget(), Qt::Key_A, Qt::ControlModifier);
    for (int row = 0; row < main_->Listbox1().ListCount(); ++row)
        EXPECT_TRUE(main_->Listbox1().Selected(row)) << row;

    auto* address = static_cast<QLineEdit*>(main_->TextField1().Widget());
    main_->TextField1().SetFocus();
    QCoreApplication::processEvents();
    QTest::keyClicks(address, "watch?v=abc");
    EXPECT_TRUE(Item(*main_, "EditSelectAll")->isEnabled());
    for (Qt::Key key : {Qt::Key_A, Qt::Key_X, Qt::Key_V, Qt::Key_V})
        QTest::keyClick(address, key, Qt::ControlModifier);
    EXPECT_EQ(main_->TextField1().Text(), "watch?v=abcwatch?v=abc");
    QTest::keyClick(address, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main_->TextField1().Text(), "watch?v=abc");
}

// Deliberate: as Linux desktop programs do, the program ends with its last window, so New Window
// can bring the main window back only while the About window is still open.
TEST_F(MenuHandlersTest, ClosingTheLastWindowEndsTheEventLoop)
{
    aboutWin& about = instance::aboutWin();
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);

    bool runningWithAboutLeft = false;
    QTimer::singleShot(0, main_->TopLevelWidget(), [&] { main_->Close(); });
    QTimer::singleShot(50, about.TopLevelWidget(), [&] {
        runningWithAboutLeft = OpenWindows() == std::vector<Window*> {&about};
        about.Close();
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(runningWithAboutLeft) << "closing the main window alone does not end the application";
    EXPECT_TRUE(OpenWindows().empty());
}
