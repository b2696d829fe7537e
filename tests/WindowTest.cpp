#include "framework/Window.h"
#include "framework/Application.h"
#include "framework/MenuItem.h"
#include "framework/ProgramBoundary.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <thread>

#include <gtest/gtest.h>

namespace {
std::vector<std::string> events;

std::shared_ptr<MenuBar> OneMenu()
{
    auto bar = std::make_shared<MenuBar>();
    auto file = std::make_unique<MenuItem>();
    file->SetName("FileMenu");
    file->SetText("&File");
    for (const char* name : {"FileHelp", "EditSelectAll"}) {
        auto item = std::make_unique<MenuItem>();
        item->SetName(name);
        item->SetText(name);
        item->SetAutoEnable(true);
        file->Append(std::move(item));
    }
    bar->Append(std::move(file));
    return bar;
}

class HookWindow : public Window {
public:
    std::string ClassName() const override { return "HookWindow.HookWindow"; }
    std::function<void(HookWindow&)> onOpen;
    bool bindHelp = false;

protected:
    void Layout() override
    {
        events.push_back("Layout");
        SetMenuBar(OneMenu());
        _SetProperties(
            *this, {{"Width", 320}, {"Height", 200}, {"Title", std::string("Hooks")}, {"Resizeable", false}, {"Visible", false}});
    }
    void CreateControls() override { events.push_back("CreateControls"); }
    void AddMenuHandlers() override
    {
        events.push_back("AddMenuHandlers");
        if (bindHelp)
            _AddMenuHandler("FileHelp", [] {
                events.push_back("window Help");
                return false;
            });
    }
    void Event_Open() override
    {
        events.push_back(std::string("Open, found ") + (_GetImplicitWindow(ClassName()) == this ? "self" : "nothing"));
        if (onOpen)
            onOpen(*this);
    }
};

class RecordingApp : public Application {};

// A window whose list the test declares before building it.
class DeclaredWindow : public Window {
public:
    static inline PropertyList declared;
    std::string ClassName() const override { return "DeclaredWindow.DeclaredWindow"; }

protected:
    void Layout() override { _SetProperties(*this, declared); }
};

// A window that shows the bar the test hands it.
class BarWindow : public Window {
public:
    static inline std::shared_ptr<MenuBar> given;
    std::string ClassName() const override { return "BarWindow.BarWindow"; }

protected:
    void Layout() override
    {
        SetMenuBar(std::move(given));
        _SetProperties(*this, {{"Visible", false}});
    }
};

QAction* MenuAction(Window& window, const char* name)
{
    return window.TopLevelWidget()->menuBar()->findChild<QAction*>(name);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { events.clear(); }
    void TearDown() override
    {
        _DestroyWindows();
        _RuntimeRegisterAppObject(nullptr);
    }
};
}

TEST_F(WindowTest, ConstructionRunsTheHooksThenEntersTheWindowBeforeOpen)
{
    HookWindow& window = Window::Construct<HookWindow>();
    EXPECT_EQ(events, (std::vector<std::string> {"Layout", "CreateControls", "AddMenuHandlers", "Open, found self"}));
    EXPECT_EQ(_GetImplicitWindow("HookWindow.HookWindow"), &window);
    EXPECT_EQ(_GetImplicitWindow("Other.Other"), nullptr);
    EXPECT_FALSE(window.IsVisible());
    window.Show();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.TopLevelWidget()->windowTitle(), "Hooks");
}

TEST_F(WindowTest, ContentAreaHasTheDeclaredSizeBelowTheMenuBar)
{
    HookWindow& window = Window::Construct<HookWindow>();
    window.Show();
    QCoreApplication::processEvents();
    QWidget* content = window.ContentArea();
    EXPECT_EQ(content->size(), QSize(320, 200));
    QMenuBar* bar = window.TopLevelWidget()->menuBar();
    EXPECT_GE(content->mapTo(window.TopLevelWidget(), QPoint(0, 0)).y(), bar->geometry().bottom());
    // Not resizable: the top level is held at its content's size plus the menu bar.
    EXPECT_EQ(window.TopLevelWidget()->minimumSize(), window.TopLevelWidget()->maximumSize());
}

TEST_F(WindowTest, ClosedWindowLeavesTheOpenWindowsAtOnceAndIsDestroyedOnceIdle)
{
    bool destroyedDuringHandler = false;
    HookWindow& first = Window::Construct<HookWindow>();
    QPointer<QMainWindow> widget = first.TopLevelWidget();
    CallProgram([&] {
        first.Close();
        EXPECT_EQ(_GetImplicitWindow("HookWindow.HookWindow"), nullptr);
        QCoreApplication::processEvents();
        destroyedDuringHandler = widget.isNull();
    });
    EXPECT_FALSE(destroyedDuringHandler);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(widget.isNull());
    HookWindow& second = Window::Construct<HookWindow>();
    EXPECT_EQ(_GetImplicitWindow("HookWindow.HookWindow"), &second);
}

TEST_F(WindowTest, TheCloseBoxClosesTheWindow)
{
    HookWindow& window = Window::Construct<HookWindow>();
    window.Show();
    window.TopLevelWidget()->close();
    EXPECT_FALSE(window.IsOpen());
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(WindowTest, MenuCommandRunsTheWindowsHandlerOrElseTheApplications)
{
    RecordingApp app;
    app._AddMenuHandler("FileHelp", [] {
        events.push_back("app Help");
        return false;
    });
    _RuntimeRegisterAppObject(&app);

    HookWindow& window = Window::Construct<HookWindow>();
    events.clear();
    MenuAction(window, "FileHelp")->trigger();
    EXPECT_EQ(events, std::vector<std::string> {"app Help"});
    window.Close();

    struct BindingWindow : HookWindow {
        BindingWindow() { bindHelp = true; }
    };
    HookWindow& withHandler = Window::Construct<BindingWindow>();
    events.clear();
    MenuAction(withHandler, "FileHelp")->trigger();
    EXPECT_EQ(events, std::vector<std::string> {"window Help"});
}

TEST_F(WindowTest, AWindowKeepsTheMenuBarItShowsAliveUntilItGoes)
{
    RecordingApp app;
    std::shared_ptr<MenuBar> appBar = OneMenu();
    std::weak_ptr<MenuBar> appBarLeft = appBar;
    app.SetMenuBar(std::move(appBar));
    _RuntimeRegisterAppObject(&app);
    DeclaredWindow::declared = {{"Visible", false}};
    DeclaredWindow& showingTheApps = Window::Construct<DeclaredWindow>();
    BarWindow::given = OneMenu();
    std::weak_ptr<MenuBar> ownBarLeft = BarWindow::given;
    BarWindow& showingItsOwn = Window::Construct<BarWindow>();
    app.SetMenuBar(nullptr);
    showingItsOwn.SetMenuBar(nullptr);

    EXPECT_FALSE(appBarLeft.expired());
    EXPECT_FALSE(ownBarLeft.expired());
    for (Window* window : {static_cast<Window*>(&showingTheApps), static_cast<Window*>(&showingItsOwn)}) {
        ASSERT_NE(MenuAction(*window, "FileHelp"), nullptr);
        EXPECT_EQ(MenuAction(*window, "FileHelp")->text(), "FileHelp");
    }

    _DestroyWindows();
    EXPECT_TRUE(appBarLeft.expired());
    EXPECT_TRUE(ownBarLeft.expired());
}

TEST_F(WindowTest, EditItemWithoutHandlerDoesItsStandardCommandOnTheFocusedField)
{
    HookWindow& window = Window::Construct<HookWindow>();
    auto* field = new QLineEdit("some text", window.ContentArea());
    window.Show();
    QApplication::setActiveWindow(window.TopLevelWidget());
    field->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), field);
    QAction* selectAll = MenuAction(window, "EditSelectAll");
    auto* menu = window.TopLevelWidget()->menuBar()->findChild<QMenu*>("FileMenu");
    emit menu->aboutToShow();
    EXPECT_TRUE(selectAll->isEnabled());
    selectAll->trigger();
    EXPECT_EQ(field->selectedText(), "some text");
    field->clear();
    emit menu->aboutToShow();
    EXPECT_FALSE(selectAll->isEnabled());
}

TEST_F(WindowTest, TheTitleBarButtonsFollowTheDeclaredProperties)
{
    const struct {
        bool resizeable, close, minimize, maximize;
    } cases[] = {
        {false, true, true, true},
        {true, true, true, false},
        {false, false, false, false},
        {true, false, true, true},
        {false, true, false, false},
        {true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "resizeable " << c.resizeable << ", close " << c.close << ", minimise " << c.minimize
                                        << ", maximise " << c.maximize);
        DeclaredWindow::declared = {{"Resizeable", c.resizeable}, {"CloseButton", c.close}, {"MinimizeButton", c.minimize},
            {"MaximizeButton", c.maximize}, {"Visible", false}};
        Window& window = Window::Construct<DeclaredWindow>();
        const Qt::WindowFlags flags = window.TopLevelWidget()->windowFlags();
        EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), c.close);
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), c.minimize);
        EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), c.maximize);
        EXPECT_FALSE(flags.testFlag(Qt::WindowFullscreenButtonHint));
        window.Close();
    }
}

TEST_F(WindowTest, ShowBringsAMinimisedWindowBackToTheFront)
{
    HookWindow& window = Window::Construct<HookWindow>();
    HookWindow& other = Window::Construct<HookWindow>();
    QMainWindow* top = window.TopLevelWidget();
    window.Show();
    top->showMinimized();
    other.Show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(top->isMinimized());
    ASSERT_EQ(QApplication::activeWindow(), other.TopLevelWidget());

    window.Show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(top->isMinimized());
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(QApplication::activeWindow(), top);
}

TEST_F(WindowTest, AWindowBuiltOffTheMainThreadIsRefusedBeforeAnythingIsMade)
{
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    bool refused = false;
    std::thread([&] {
        try {
            Window::Construct<HookWindow>();
        } catch (const ThreadAccessingUIException&) {
            refused = true;
        }
    }).join();
    EXPECT_TRUE(refused);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(OpenWindows().empty());
}
