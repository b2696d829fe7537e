#include "framework/CheckBox.h"
#include "tests/ControlTestWindow.h"

#include <QCheckBox>
#include <QTest>

#include <vector>

using namespace std::string_literals;

namespace {
class CheckBoxTest : public ControlTest {
protected:
    CheckBox& Box(const std::string& name, int state, bool value)
    {
        CheckBox& box = Make<CheckBox>(name,
            {{"Name", name}, {"Left", 0}, {"Top", 0}, {"Width", 199}, {"Height", 20}, {"Caption", name}, {"State", state},
                {"Value", value}});
        box.SetActionHandler([this](CheckBox& raised) { actions_.push_back(raised.Name() + (raised.Value() ? " ticked" : " unticked")); });
        return box;
    }
    static void Click(CheckBox& box) { QTest::mouseClick(box.Widget(), Qt::LeftButton, {}, QPoint(5, 10)); }
    std::vector<std::string> actions_;
};
}

TEST_F(CheckBoxTest, StateThenValueFromTheList)
{
    EXPECT_TRUE(Box("ticked", 1, true).Value());
    EXPECT_FALSE(Box("unticked", 0, false).Value());
    CheckBox& undecided = Box("undecided", 2, false);
    EXPECT_FALSE(undecided.Value());
    EXPECT_EQ(undecided.State(), CheckBox::CheckedStates::Unchecked);
    _SetProperties(undecided, {{"State", 2}});
    EXPECT_EQ(undecided.State(), CheckBox::CheckedStates::Indeterminate);
    EXPECT_EQ(static_cast<QCheckBox*>(undecided.Widget())->text(), "undecided");
}

TEST_F(CheckBoxTest, ActionRunsAfterTheUserToggledTheBoxInItsNewState)
{
    CheckBox& box = Box("box", 0, false);
    actions_.clear();
    Click(box);
    Click(box);
    EXPECT_EQ(actions_, (std::vector<std::string> {"box ticked", "box unticked"}));
}

TEST_F(CheckBoxTest, ChangesMadeInCodeRaiseActionOnlyWhenTheValueChanges)
{
    CheckBox& paragraph = Box("paragraph", 0, false);
    CheckBox& line = Box("line", 1, true);
    actions_.clear();
    line.SetValue(true);
    EXPECT_TRUE(actions_.empty());

    // A handler unticking another box raises that box's Action in turn.
    paragraph.SetActionHandler([&](CheckBox& raised) {
        actions_.push_back("paragraph handler");
        if (raised.Value())
            line.SetValue(false);
    });
    Click(paragraph);
    EXPECT_EQ(actions_, (std::vector<std::string> {"paragraph handler", "line unticked"}));
    EXPECT_TRUE(paragraph.Value());
    EXPECT_FALSE(line.Value());
}
