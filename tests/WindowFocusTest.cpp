#include "framework/ControlCreation.h"
#include "framework/Listbox.h"
#include "framework/PushButton.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Window.h"
#include "tests/AccessibleTree.h"

#include <QAccessible>
#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {
// A shown 300 x 200 window whose controls the test makes in its creation step.
class FocusWindow : public Window {
public:
    static inline std::function<void(Window&)> create;
    std::string ClassName() const override { return "FocusWindow.FocusWindow"; }

protected:
    void Layout() override { _SetProperties(*this, {{"Width", 300}, {"Height", 200}, {"Resizeable", false}, {"Visible", true}}); }
    void CreateControls() override { create(*this); }
};

PropertyList At(const std::string& name, int tabIndex, int left, int top, const PropertyList& more = {})
{
    PropertyList list = {{"Name", name}, {"Left", left}, {"Top", top}, {"Width", 80}, {"Height", 22}, {"TabIndex", tabIndex},
        {"TabStop", true}, {"Visible", true}, {"Enabled", true}};
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

class WindowFocusTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        _DestroyWindows();
        FocusWindow::create = {};
    }

    // Builds the window and waits until the desktop has made it the active one.
    Window& Build(std::function<void(Window&)> create)
    {
        FocusWindow::create = std::move(create);
        Window& window = Window::Construct<FocusWindow>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.TopLevelWidget()));
        return window;
    }

    static std::string Focused(const Window& window)
    {
        for (const char* name : {"button", "field", "later", "other", "last", "list", "area"})
            try {
                if (window._ControlByName(name).Widget() == QApplication::focusWidget())
                    return name;
            } catch (const NilObjectException&) {
            }
        return QApplication::focusWidget() ? "(another widget)" : "(none)";
    }

    // The control names the focus passes through, the first where it stands now.
    static std::vector<std::string> Walk(const Window& window, int presses, Qt::KeyboardModifiers modifiers = {})
    {
        std::vector<std::string> visited;
        for (int press = 0; press < presses; ++press) {
            visited.push_back(Focused(window));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        }
        return visited;
    }
};
}

TEST_F(WindowFocusTest, TheFocusStartsInTheFirstControlInTabOrderThatTakesText)
{
    const struct {
        const char* what;
        std::function<void(Window&)> create;
        std::string focused;
    } cases[] = {
        {"a button before the field",
            [](Window& w) {
                Create<PushButton>(w, At("button", 0, 10, 10, {{"Caption", "Go"s}}));
                Create<TextField>(w, At("field", 4, 10, 40));
                Create<TextArea>(w, At("area", 2, 10, 70));
            },
            "area"},
        {"fields out of view, disabled or invisible passed over",
            [](Window& w) {
                Create<TextField>(w, At("field", 0, 10, 250));
                Create<TextField>(w, At("later", 1, 10, 40, {{"Enabled", false}}));
                Create<TextField>(w, At("other", 2, 10, 70, {{"Visible", false}}));
                Create<PushButton>(w, At("button", 3, 10, 10));
                Create<TextField>(w, At("last", 5, 10, 100));
            },
            "last"},
        {"a field that is no Tab stop passed over",
            [](Window& w) {
                Create<TextField>(w, At("field", 0, 10, 10, {{"TabStop", false}}));
                Create<TextField>(w, At("later", 1, 10, 40));
            },
            "later"},
        {"nothing that takes text: the first in the focus chain",
            [](Window& w) {
                Create<PushButton>(w, At("button", 0, 10, 10));
                Create<Listbox>(w, At("list", 1, 10, 40));
            },
            "button"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Window& window = Build(c.create);
        EXPECT_EQ(Focused(window), c.focused);
        _DestroyWindows();
    }
}

TEST_F(WindowFocusTest, AControlWhollyOutsideTheContentAreaIsOutOfTheUsersReach)
{
    // Below and right of the 300 x 200 content area, and one that overlaps its edge.
    Window& window = Build([](Window& w) {
        Create<TextField>(w, At("field", 0, 10, 10));
        Create<Listbox>(w, At("list", 1, 10, 200));
        Create<TextArea>(w, At("area", 2, 300, 10));
        Create<PushButton>(w, At("button", 3, 10, 40));
        Create<TextField>(w, At("other", 4, 290, 190));
    });
    auto& list = window._ControlByName<Listbox>("list");
    auto& area = window._ControlByName<TextArea>("area");
    list.AddRow("<track id=\"0\"/>");
    area.SetText("<transcript_list>\r" + std::string(1000, 'x'));

    for (RectControl* control : std::initializer_list<RectControl*> {&list, &area}) {
        SCOPED_TRACE(control->Name());
        EXPECT_TRUE(control->Visible());
        EXPECT_TRUE(control->Enabled());
        EXPECT_TRUE(control->TabStop());
        EXPECT_FALSE(control->Widget()->isVisible());
        control->SetFocus();
        EXPECT_NE(QApplication::focusWidget(), control->Widget());
    }
    EXPECT_EQ(list.Cell(0, 0), "<track id=\"0\"/>");

    window._ControlByName("field").SetFocus();
    EXPECT_EQ(Walk(window, 7), (std::vector<std::string> {"field", "button", "other", "field", "button", "other", "field"}));
    window._ControlByName("field").SetFocus();
    EXPECT_EQ(
        Walk(window, 7, Qt::ShiftModifier), (std::vector<std::string> {"field", "other", "button", "field", "other", "button", "field"}));
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(area.Widget())->document()->isEmpty()) << "the text was laid out for display";
    EXPECT_EQ(area.Text(), "<transcript_list>\r" + std::string(1000, 'x'));

    // Accessibility tools reach the controls in view, and neither of the two.
    const std::vector<QObject*> reached = AccessibleObjects();
    for (const char* name : {"field", "button", "other"})
        EXPECT_EQ(std::ranges::count(reached, window._ControlByName(name).Widget()), 1) << name;
    EXPECT_EQ(std::ranges::count(reached, list.Widget()), 0);
    EXPECT_EQ(std::ranges::count(reached, area.Widget()), 0);

    // Brought into view, a control takes its part again.
    list.SetTop(100);
    EXPECT_TRUE(list.Widget()->isVisible());
    EXPECT_EQ(std::ranges::count(AccessibleObjects(), list.Widget()), 1);
    window._ControlByName("field").SetFocus();
    EXPECT_EQ(Walk(window, 3), (std::vector<std::string> {"field", "list", "button"}));
    area.SetLeft(200);
    EXPECT_EQ(static_cast<QPlainTextEdit*>(area.Widget())->toPlainText().left(18), "<transcript_list>\n");
    area.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), area.Widget());
}
