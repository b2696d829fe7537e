#include "app/aboutWin.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <string>
#include <vector>

namespace {
// What the user sees: paragraph, line-by-line, timecode, open after saving.
struct Boxes {
    bool paragraph, line, timecode, open;
    friend bool operator==(const Boxes&, const Boxes&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Boxes& b)
    {
        return out << "paragraph " << b.paragraph << ", line " << b.line << ", timecode " << b.timecode << ", open " << b.open;
    }
};

class OptionBoxesTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        window_ = &instance::Window1();
        window_->Show();
    }

    CheckBox& Box(char which)
    {
        switch (which) {
        case 'P':
            return window_->paragraphBox();
        case 'L':
            return window_->lineBox();
        case 'T':
            return window_->timecodeBox();
        default:
            return window_->openBox();
        }
    }

    // A click on the box's indicator, as the user toggles it.
    static void Click(CheckBox& box)
    {
        auto* widget = static_cast<QCheckBox*>(box.Widget());
        QStyleOptionButton option;
        option.initFrom(widget);
        const QRect indicator = widget->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, widget);
        QTest::mouseClick(widget, Qt::LeftButton, {}, indicator.center());
    }

    Boxes Shown()
    {
        return {window_->paragraphBox().Value(), window_->lineBox().Value(), window_->timecodeBox().Value(), window_->openBox().Value()};
    }

    Window1* window_ = nullptr;
};
}

TEST_F(OptionBoxesTest, TheFormBoxesExcludeEachOtherAndParagraphFormClearsTheTimecode)
{
    struct Case {
        const char* clicks; // P paragraph, L line-by-line, T timecode, O open after saving
        Boxes after;
    };
    const std::vector<Case> cases = {
        {"", {false, false, false, true}},
        {"LTP", {true, false, false, true}},
        {"PL", {false, true, false, true}},
        {"TL", {false, true, true, true}},
        {"PT", {true, false, true, true}},
        {"PP", {false, false, false, true}},
        {"LTL", {false, false, true, true}},
        {"OPO", {true, false, false, true}},
        {"LPLP", {true, false, false, true}},
        {"O", {false, false, false, false}},
    };
    for (const Case& c : cases) {
        window_->paragraphBox().SetValue(false);
        window_->lineBox().SetValue(false);
        window_->timecodeBox().SetValue(false);
        window_->openBox().SetValue(true);
        for (const char* click = c.clicks; *click; ++click)
            Click(Box(*click));
        EXPECT_EQ(Shown(), c.after) << "clicks " << c.clicks;
        EXPECT_TRUE(window_->plainTextBox().Value()) << c.clicks;
        EXPECT_FALSE(window_->PDFbox().Value()) << c.clicks;
    }
}

TEST_F(OptionBoxesTest, TheHiddenPairExcludesEachOtherTheSameWay)
{
    struct Case {
        const char* sets; // X ticks plain text, x unticks it, D ticks PDF, d unticks it
        bool plainText, pdf;
    };
    for (const Case& c :
        std::vector<Case> {{"", true, false}, {"D", false, true}, {"DX", true, false}, {"x", false, false}, {"xD", false, true}}) {
        window_->plainTextBox().SetValue(true);
        window_->PDFbox().SetValue(false);
        for (const char* set = c.sets; *set; ++set)
            (*set == 'X' || *set == 'x' ? window_->plainTextBox() : window_->PDFbox()).SetValue(*set == 'X' || *set == 'D');
        EXPECT_EQ(window_->plainTextBox().Value(), c.plainText) << c.sets;
        EXPECT_EQ(window_->PDFbox().Value(), c.pdf) << c.sets;
        EXPECT_EQ(Shown(), (Boxes {false, false, false, true})) << c.sets;
    }
}

TEST_F(OptionBoxesTest, APressAnywhereOnTheLogoShowsTheOneAboutWindow)
{
    QWidget* logo = window_->Canvas1().Widget();
    QTest::mousePress(logo, Qt::LeftButton, {}, QPoint(50, 50));
    aboutWin* about = dynamic_cast<aboutWin*>(_GetImplicitWindow(aboutWin::kClassName));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsVisible());

    for (QPoint at : {QPoint(0, 0), QPoint(99, 99), QPoint(99, 0)}) {
        QTest::mousePress(logo, Qt::LeftButton, {}, at);
        EXPECT_EQ(_GetImplicitWindow(aboutWin::kClassName), about) << at.x() << "," << at.y();
        EXPECT_EQ(OpenWindows().size(), 2u);
    }
    EXPECT_FALSE(window_->Canvas1_MouseDown(window_->Canvas1(), 3, 4));
    EXPECT_EQ(_GetImplicitWindow(aboutWin::kClassName), about);

    about->Close();
    QTest::mousePress(logo, Qt::LeftButton, {}, QPoint(10, 80));
    Window* fresh = _GetImplicitWindow(aboutWin::kClassName);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, about);
    EXPECT_TRUE(fresh->IsVisible());
    EXPECT_EQ(Shown(), (Boxes {false, false, false, true}));
    EXPECT_TRUE(messages.empty());
}
