#include "framework/BevelButton.h"
#include "framework/CheckBox.h"
#include "framework/Listbox.h"
#include "framework/ProgramBoundary.h"
#include "framework/PushButton.h"
#include "framework/TextField.h"
#include "tests/ControlTestWindow.h"

#include <QAccessible>
#include <QTest>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {
// The three kinds of control whose state the user sets, and the two buttons; the box and the
// buttons log their handlers' runs.
class ChangesDuringWaitTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        box_ = &Make<CheckBox>("box", {{"Left", 0}, {"Top", 0}, {"Width", 100}, {"Height", 20}, {"Caption", "box"}});
        box_->SetActionHandler([this](CheckBox& raised) { actions_.push_back(raised.Value() ? "ticked" : "unticked"); });
        field_ = &Make<TextField>("field", {{"Left", 0}, {"Top", 30}, {"Width", 200}, {"Height", 22}, {"Text", "watch?v=abc"}});
        list_ = &Make<Listbox>("list", {{"Left", 0}, {"Top", 60}, {"Width", 200}, {"Height", 100}, {"SelectionType", 1}});
        for (const char* row : {"German", "French", "Spanish"})
            list_->AddRow(row);
        list_->SetSelected(0, true);
        Make<PushButton>("button", {{"Left", 210}, {"Top", 0}, {"Width", 80}, {"Height", 24}, {"Caption", "button"}})
            .SetActionHandler([this](PushButton&) { actions_.push_back("button pressed"); });
        Make<BevelButton>("bevel", {{"Left", 210}, {"Top", 30}, {"Width", 80}, {"Height", 24}, {"Caption", "bevel"}})
            .SetActionHandler([this](BevelButton&) { actions_.push_back("bevel pressed"); });
    }

    // The control's accessible interface, through which a screen reader acts: B the box, F the
    // field, L the list, P the push button, V the bevel button.
    QAccessibleInterface& Accessible(char control)
    {
        const char* names[] = {"box", "field", "list", "button", "bevel"};
        RectControl& which = window->_ControlByName(names[std::string_view("BFLPV").find(control)]);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(which.Widget());
        EXPECT_NE(accessible, nullptr);
        return *accessible;
    }

    // What the user has set: the box's state, the field's text, the list's selected rows.
    std::string Shown() const
    {
        std::string shown = std::to_string(static_cast<int>(box_->State())) + " " + field_->Text() + " [";
        for (int row = 0; row < list_->ListCount(); ++row)
            shown += list_->Selected(row) ? std::to_string(row) : "";
        return shown + "]";
    }

    CheckBox* box_ = nullptr;
    TextField* field_ = nullptr;
    Listbox* list_ = nullptr;
    std::vector<std::string> actions_;
};

void Toggle(QAccessibleInterface& accessible)
{
    accessible.actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// A press lets the control go, and so clicks it, a moment later.
void Press(QAccessibleInterface& accessible)
{
    accessible.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}
}

// A screen reader still reaches the controls while program code waits; they keep what they
// showed, and no handler hears of it.
TEST_F(ChangesDuringWaitTest, AnAccessibilityToolChangesNoControlWhileProgramCodeWaits)
{
    struct Change {
        const char* name;
        char control;
        std::function<void(QAccessibleInterface&)> make;
        // The wait ends before the press lets go.
        bool letsGoAfterTheWait = false;
    };
    const std::vector<Change> changes = {
        {"box toggled", 'B', Toggle},
        {"box pressed", 'B',
            [](QAccessibleInterface& a) {
                Press(a);
                QTest::qWait(200);
            }},
        {"box pressed as the wait ends", 'B', Press, true},
        {"button pressed as the wait ends", 'P', Press, true},
        {"bevel button pressed as the wait ends", 'V', Press, true},
        {"field value set", 'F', [](QAccessibleInterface& a) { a.setText(QAccessible::Value, "watch?v=xyz"); }},
        {"field text inserted", 'F', [](QAccessibleInterface& a) { a.editableTextInterface()->insertText(0, "x"); }},
        {"field text deleted", 'F', [](QAccessibleInterface& a) { a.editableTextInterface()->deleteText(0, 3); }},
        {"field text replaced", 'F', [](QAccessibleInterface& a) { a.editableTextInterface()->replaceText(8, 11, "xyz"); }},
        {"list row selected", 'L', [](QAccessibleInterface& a) { a.tableInterface()->selectRow(2); }},
        {"list row unselected", 'L', [](QAccessibleInterface& a) { a.tableInterface()->unselectRow(0); }},
        {"list cell toggled", 'L', [](QAccessibleInterface& a) { Toggle(*a.tableInterface()->cellAt(1, 0)); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        const std::string before = Shown();
        {
            const ProgramWait wait;
            change.make(Accessible(change.control));
            EXPECT_EQ(Shown(), before);
        }
        if (change.letsGoAfterTheWait)
            QTest::qWait(200);
        EXPECT_EQ(Shown(), before);
        EXPECT_TRUE(actions_.empty());
        actions_.clear();
    }
}

TEST_F(ChangesDuringWaitTest, AfterTheWaitTheSameActionsChangeTheControls)
{
    {
        const ProgramWait wait;
        Toggle(Accessible('B'));
    }
    Toggle(Accessible('B'));
    Accessible('F').editableTextInterface()->replaceText(8, 11, "xyz");
    Accessible('L').tableInterface()->selectRow(2);
    EXPECT_EQ(Shown(), "1 watch?v=xyz [02]");
    EXPECT_EQ(actions_, std::vector<std::string> {"ticked"});
}

TEST_F(ChangesDuringWaitTest, ProgramCodesOwnChangesStandWhileItWaits)
{
    {
        const ProgramWait wait;
        box_->SetValue(true);
        field_->SetText("watch?v=xyz");
        list_->SetSelected(2, true);
        EXPECT_EQ(Shown(), "1 watch?v=xyz [02]");
    }
    EXPECT_EQ(Shown(), "1 watch?v=xyz [02]");
}
