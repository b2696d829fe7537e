#include "framework/BevelButton.h"
#include "framework/MsgBox.h"
#include "framework/PushButton.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/text/Exceptions.h"
#include "tests/ControlTestWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <vector>

using namespace std::string_literals;

namespace {
class ButtonTest : public ControlTest {
protected:
    PushButton& Button(const std::string& name, bool isDefault, bool isCancel = false)
    {
        PushButton& button = Make<PushButton>(name, {{"Caption", name}, {"Default", isDefault}, {"Cancel", isCancel}});
        button.SetActionHandler([this, name](PushButton& pressed) {
            EXPECT_EQ(pressed.Caption(), name);
            pressed_.push_back(name);
        });
        return button;
    }
    std::vector<std::string> pressed_;
};
}

TEST_F(ButtonTest, ReturnPressesTheFocusedButtonElseTheLastButtonMadeDefault)
{
    PushButton& first = Button("first", true);
    PushButton& second = Button("second", true);
    auto& field = Make<TextField>("field");
    EXPECT_TRUE(first.Default());
    EXPECT_TRUE(second.Default());
    EXPECT_EQ(window->DefaultButton(), &second);
    EXPECT_TRUE(static_cast<QPushButton*>(second.Widget())->isDefault());
    EXPECT_FALSE(static_cast<QPushButton*>(first.Widget())->isDefault());

    QTest::keyClick(field.Widget(), Qt::Key_Return);
    QTest::keyClick(first.Widget(), Qt::Key_Enter);
    QTest::keyClick(first.Widget(), Qt::Key_Return);
    EXPECT_EQ(pressed_, (std::vector<std::string> {"second", "first", "first"}));

    // A disabled or hidden default button is not pressed; one no longer default is not either.
    pressed_.clear();
    second.SetEnabled(false);
    QTest::keyClick(field.Widget(), Qt::Key_Return);
    second.SetEnabled(true);
    second.SetVisible(false);
    QTest::keyClick(field.Widget(), Qt::Key_Return);
    second.SetVisible(true);
    second.SetDefault(false);
    QTest::keyClick(field.Widget(), Qt::Key_Return);
    EXPECT_TRUE(pressed_.empty());
    EXPECT_EQ(window->DefaultButton(), nullptr);
}

TEST_F(ButtonTest, EscapePressesTheCancelButtonAndATextAreaKeepsItsReturn)
{
    Button("ok", true);
    Button("cancel", false, true);
    auto& area = Make<TextArea>("area", {{"Left", 0}, {"Top", 0}, {"Width", 100}, {"Height", 50}});
    QTest::keyClick(area.Widget(), Qt::Key_Escape);
    QTest::keyClick(area.Widget(), Qt::Key_Return);
    EXPECT_EQ(pressed_, std::vector<std::string> {"cancel"});
    EXPECT_EQ(area.Text(), "\n");
}

TEST_F(ButtonTest, ClickRunsTheActionHandlerThroughTheProgramBoundary)
{
    PushButton& button = Button("Search", false);
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
    EXPECT_EQ(pressed_, std::vector<std::string> {"Search"});

    std::vector<std::string> reports;
    SetMsgBoxHook([&](const std::string& text) { reports.push_back(text); });
    button.SetActionHandler([](PushButton&) { throw OutOfBoundsException(); });
    EXPECT_NO_THROW(button.Push());
    SetMsgBoxHook({});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("OutOfBoundsException"), std::string::npos);
}

TEST_F(ButtonTest, BevelButtonIsAPlainCaptionedButtonThatTakesNoFocus)
{
    // The About window's list for its Close button.
    BevelButton& button = Make<BevelButton>("BevelButton1",
        {
            {"Name", "BevelButton1"s},
            {"Index", kNoIndex},
            {"Left", 300},
            {"Top", 522},
            {"Width", 73},
            {"Height", 22},
            {"LockLeft", true},
            {"LockTop", true},
            {"LockRight", false},
            {"LockBottom", false},
            {"TabPanelIndex", 0},
            {"TabIndex", 2},
            {"TabStop", true},
            {"InitialParent", ""s},
            {"Visible", true},
            {"HelpTag", ""s},
            {"AutoDeactivate", true},
            {"Enabled", true},
            {"Caption", "Close"s},
            {"CaptionAlign", 3},
            {"CaptionPlacement", 1},
            {"CaptionDelta", 0},
            {"IconAlign", 0},
            {"IconDX", 0},
            {"IconDY", 0},
            {"Bevel", 3},
            {"HasMenu", 0},
            {"HasBackColor", false},
            {"BackColor", RGB(0, 0, 0)},
            {"TextColor", RGB(0, 0, 0)},
            {"Value", false},
            {"MenuValue", 0},
            {"ButtonType", 0},
            {"AcceptFocus", false},
            {"TextFont", "System"s},
            {"TextSize", 0.0f},
            {"TextUnit", FontUnits {0}},
            {"Bold", false},
            {"Italic", false},
            {"Underline", false},
        });
    auto* widget = static_cast<QPushButton*>(button.Widget());
    EXPECT_EQ(widget->text(), "Close");
    EXPECT_EQ(widget->geometry(), QRect(300, 522, 73, 22));
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
    // Not applied while HasBackColor is False.
    EXPECT_NE(widget->palette().color(QPalette::Button), QColor(0, 0, 0));

    int pressed = 0;
    button.SetActionHandler([&](BevelButton& b) {
        EXPECT_EQ(&b, &button);
        ++pressed;
    });
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(pressed, 1);
}
