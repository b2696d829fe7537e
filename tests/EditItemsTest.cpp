#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {
struct Entry {
    const char* name;
    const char* shortcut;
};
const std::vector<Entry> kEditEntries = {{"EditUndo", "Cmd+Z"}, {"EditCut", "Cmd+X"}, {"EditCopy", "Cmd+C"}, {"EditPaste", "Cmd+V"},
    {"EditClear", ""}, {"EditSelectAll", "Cmd+A"}};

std::shared_ptr<MenuBar> EditMenuBar()
{
    auto bar = std::make_shared<MenuBar>();
    auto edit = std::make_unique<MenuItem>();
    edit->SetName("EditMenu");
    edit->SetText("&Edit");
    for (const Entry& entry : kEditEntries) {
        auto item = std::make_unique<MenuItem>();
        item->SetName(entry.name);
        item->SetText(entry.name);
        item->SetAutoEnable(true);
        item->SetKeyboardShortcut(entry.shortcut);
        edit->Append(std::move(item));
    }
    bar->Append(std::move(edit));
    return bar;
}

// A field, an area and a list of three rows that takes several at once, under a standard Edit menu.
class EditWindow : public Window {
public:
    std::string ClassName() const override { return "EditWindow.EditWindow"; }

    TextField& Field() { return _ControlByName<TextField>("Field"); }
    TextArea& Area() { return _ControlByName<TextArea>("Area"); }
    Listbox& List() { return _ControlByName<Listbox>("List"); }
    QLineEdit* FieldWidget() { return static_cast<QLineEdit*>(Field().Widget()); }
    QPlainTextEdit* AreaWidget() { return static_cast<QPlainTextEdit*>(Area().Widget()); }

protected:
    void Layout() override
    {
        SetMenuBar(EditMenuBar());
        _SetProperties(*this, {{"Width", 400}, {"Height", 300}, {"Resizeable", false}, {"Visible", true}});
    }

    void CreateControls() override
    {
        Add<TextField>("Field", {{"Left", 10}, {"Top", 10}, {"Width", 300}, {"Height", 22}});
        Add<TextArea>("Area", {{"Left", 10}, {"Top", 40}, {"Width", 300}, {"Height", 100}});
        Add<Listbox>("List", {{"Left", 10}, {"Top", 150}, {"Width", 300}, {"Height", 100}, {"SelectionType", 1}});
        for (const char* row : {"English", "French", "German"})
            List().AddRow(row);
    }

private:
    template <class T> void Add(const std::string& name, const PropertyList& list)
    {
        _AddControl(name, __New<T>());
        _SetProperties(_ControlByName<T>(name), list);
    }
};

class EditItemsTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override
    {
        _DestroyWindows();
        QApplication::clipboard()->clear();
    }

    // A fresh window, with text on the clipboard.
    void Open()
    {
        _DestroyWindows();
        QApplication::clipboard()->setText("pasted");
        window = &Window::Construct<EditWindow>();
        QApplication::setActiveWindow(window->TopLevelWidget());
    }

    void Focus(RectControl& control)
    {
        control.SetFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), control.Widget());
    }

    // The Edit items enabled at this moment, their menu never opened.
    std::set<std::string> Enabled() const
    {
        std::set<std::string> enabled;
        for (const Entry& entry : kEditEntries)
            if (window->TopLevelWidget()->menuBar()->findChild<QAction*>(entry.name)->isEnabled())
                enabled.insert(entry.name);
        return enabled;
    }

    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); }

    EditWindow* window = nullptr;
};

std::set<std::string> SelectedRows(Listbox& list)
{
    std::set<std::string> rows;
    for (int row = 0; row < list.ListCount(); ++row)
        if (list.Selected(row))
            rows.insert(list.Cell(row, 0));
    return rows;
}
}

TEST_F(EditItemsTest, SelectAllKeyInTheListSelectsEveryRowTheFirstTime)
{
    Focus(window->List());
    Press(Qt::Key_A);
    EXPECT_EQ(SelectedRows(window->List()), (std::set<std::string> {"English", "French", "German"}));
}

TEST_F(EditItemsTest, ItemsFollowTheFocusedControlAsItChanges)
{
    struct Case {
        const char* what;
        std::function<void(EditWindow&)> arrange;
        std::set<std::string> enabled;
    };
    const std::set<std::string> onSelection = {"EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"};
    const std::vector<Case> cases = {
        {"an empty field", [](EditWindow&) {}, {"EditPaste"}},
        {"text set in the field", [](EditWindow& w) { w.Field().SetText("abc"); }, {"EditPaste", "EditSelectAll"}},
        {"the field's text selected",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                w.FieldWidget()->selectAll();
            },
            onSelection},
        {"the selection given up",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                w.FieldWidget()->selectAll();
                w.FieldWidget()->deselect();
            },
            {"EditPaste", "EditSelectAll"}},
        {"text typed", [](EditWindow&) { QTest::keyClicks(QApplication::focusWidget(), "ab"); },
            {"EditUndo", "EditPaste", "EditSelectAll"}},
        {"the field made read-only",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                w.FieldWidget()->selectAll();
                w.Field().SetReadOnly(true);
            },
            {"EditCopy", "EditSelectAll"}},
        {"the clipboard emptied",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                QApplication::clipboard()->clear();
            },
            {"EditSelectAll"}},
        {"the focus moved to the list",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                w.FieldWidget()->selectAll();
                w.List().SetFocus();
            },
            {}},
        {"the focus moved to the area",
            [](EditWindow& w) {
                w.Field().SetText("abc");
                w.Area().SetFocus();
            },
            {"EditPaste"}},
        {"text set in the focused area",
            [](EditWindow& w) {
                w.Area().SetFocus();
                w.Area().SetText("line one\rline two");
            },
            {"EditPaste", "EditSelectAll"}},
        {"the area's text selected",
            [](EditWindow& w) {
                w.Area().SetFocus();
                w.Area().SetText("abc");
                w.AreaWidget()->selectAll();
            },
            onSelection},
        {"text typed in the area",
            [](EditWindow& w) {
                w.Area().SetFocus();
                QTest::keyClicks(QApplication::focusWidget(), "ab");
            },
            {"EditUndo", "EditPaste", "EditSelectAll"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        Focus(window->Field());
        c.arrange(*window);
        EXPECT_EQ(Enabled(), c.enabled);
    }
}

TEST_F(EditItemsTest, OpeningTheMenuCatchesUpWithWhatChangedSilently)
{
    Focus(window->Field());
    QTest::keyClicks(window->FieldWidget(), "abc");
    // The same text again forgets the typing without telling anyone.
    window->Field().SetText("abc");
    emit window->TopLevelWidget()->menuBar()->findChild<QMenu*>("EditMenu")->aboutToShow();
    EXPECT_EQ(Enabled(), (std::set<std::string> {"EditPaste", "EditSelectAll"}));
}

TEST_F(EditItemsTest, ShortcutsAndItemsEditTheFocusedFieldsText)
{
    Focus(window->Field());
    QTest::keyClicks(window->FieldWidget(), "watch?v=abc");
    Press(Qt::Key_A);
    EXPECT_EQ(window->FieldWidget()->selectedText(), "watch?v=abc");
    Press(Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), "watch?v=abc");
    Press(Qt::Key_X);
    EXPECT_EQ(window->Field().Text(), "");
    Press(Qt::Key_V);
    Press(Qt::Key_V);
    EXPECT_EQ(window->Field().Text(), "watch?v=abcwatch?v=abc");
    Press(Qt::Key_Z);
    EXPECT_EQ(window->Field().Text(), "watch?v=abc");
    window->TopLevelWidget()->menuBar()->findChild<QAction*>("EditSelectAll")->trigger();
    window->TopLevelWidget()->menuBar()->findChild<QAction*>("EditClear")->trigger();
    EXPECT_EQ(window->Field().Text(), "");
}

TEST_F(EditItemsTest, MenusWalkedByKeyboardStillWorkOnTheField)
{
    Focus(window->Field());
    window->Field().SetText("abc");
    QTest::keyClick(window->FieldWidget(), Qt::Key_E, Qt::AltModifier);
    auto* menu = window->TopLevelWidget()->menuBar()->findChild<QMenu*>("EditMenu");
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(Enabled(), (std::set<std::string> {"EditPaste", "EditSelectAll"}));
    menu->findChild<QAction*>("EditSelectAll")->trigger();
    EXPECT_EQ(window->FieldWidget()->selectedText(), "abc");
}
