#include "framework/Label.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "tests/ControlTestWindow.h"

#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <string>
#include <utility>

using namespace std::string_literals;

namespace {
using TextControlTest = ControlTest;

QString Shown(TextArea& area)
{
    return static_cast<QPlainTextEdit*>(area.Widget())->toPlainText();
}
}

TEST_F(TextControlTest, AboutWindowLabelListsApply)
{
    const std::string text = "First paragraph.\r\rAuthor line\r\nSupport\nClosing";
    auto common = [](const std::string& name, int tabIndex, const std::string& labelText, int align, Color color, bool multiLine,
                      float size, bool italic) -> PropertyList {
        return {{"TabStop", true}, {"Name", name}, {"Index", kNoIndex}, {"Left", 17}, {"Top", 296}, {"Width", 356}, {"Height", 248},
            {"LockLeft", true}, {"LockTop", true}, {"LockRight", false}, {"LockBottom", false}, {"TabPanelIndex", 0},
            {"TabIndex", tabIndex}, {"Text", labelText}, {"TextAlign", align}, {"TextColor", color}, {"Multiline", multiLine},
            {"Enabled", true}, {"Visible", true}, {"Selectable", false}, {"Transparent", false}, {"HelpTag", ""s}, {"AutoDeactivate", true},
            {"TextFont", "System"s}, {"TextSize", size}, {"TextUnit", FontUnits {0}}, {"Bold", false}, {"Italic", italic},
            {"Underline", false}, {"DataSource", ""s}, {"DataField", ""s}, {"InitialParent", ""s}};
    };
    Label& about = Make<Label>("Label1", common("Label1", 1, text, 0, RGB(0, 0, 0), true, 0, false));
    Label& title = Make<Label>("Label3", common("Label3", 4, "for YouTube", 1, RGB(148, 53, 51), false, 18, true));

    auto* aboutWidget = static_cast<QLabel*>(about.Widget());
    EXPECT_EQ(about.Text(), text);
    EXPECT_EQ(aboutWidget->text(), "First paragraph.\n\nAuthor line\nSupport\nClosing");
    EXPECT_TRUE(aboutWidget->wordWrap());
    EXPECT_EQ(aboutWidget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(aboutWidget->font(), QApplication::font(aboutWidget));
    EXPECT_TRUE(aboutWidget->autoFillBackground());

    auto* titleWidget = static_cast<QLabel*>(title.Widget());
    EXPECT_EQ(titleWidget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(titleWidget->palette().color(QPalette::WindowText), QColor(148, 53, 51));
    EXPECT_EQ(titleWidget->font().pixelSize(), 18);
    EXPECT_TRUE(titleWidget->font().italic());
    EXPECT_FALSE(titleWidget->wordWrap());
}

TEST_F(TextControlTest, LabelShowsItsTextPlainAndOnlyASelectableOneCanBeSelected)
{
    Label& label = Make<Label>("label", {{"Text", "<b>a & b</b>"s}, {"TextAlign", 2}, {"Selectable", true}, {"Transparent", true}});
    auto* widget = static_cast<QLabel*>(label.Widget());
    EXPECT_EQ(widget->textFormat(), Qt::PlainText);
    EXPECT_EQ(widget->text(), "<b>a & b</b>");
    EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(widget->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_FALSE(widget->autoFillBackground());
    label.SetSelectable(false);
    EXPECT_EQ(widget->textInteractionFlags(), Qt::NoTextInteraction);
}

TEST_F(TextControlTest, FontsFollowTheStoredStyle)
{
    Label& label = Make<Label>("label", {{"TextFont", "System"s}, {"TextSize", 0.0f}, {"Bold", true}, {"Underline", true}});
    QFont font = label.Widget()->font();
    QFont desktop = QApplication::font(label.Widget());
    EXPECT_EQ(font.family(), desktop.family());
    EXPECT_EQ(font.pointSizeF(), desktop.pointSizeF());
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.italic());

    label.SetTextFont("Monospace");
    label.SetTextSize(11);
    font = label.Widget()->font();
    EXPECT_EQ(font.family(), "Monospace");
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_EQ(label.TextFont(), "Monospace");
    EXPECT_EQ(label.TextSize(), 11.0f);
}

TEST_F(TextControlTest, TextFieldTextIsUtf8BothWays)
{
    TextField& field = Make<TextField>("field", {{"CueText", "address"s}, {"Text", "Grüße ✓"s}, {"LimitText", 0}});
    auto* widget = static_cast<QLineEdit*>(field.Widget());
    EXPECT_EQ(widget->text(), QString::fromUtf8("Grüße ✓"));
    EXPECT_EQ(field.Text(), "Grüße ✓");
    EXPECT_EQ(widget->placeholderText(), "address");

    field.SetText("");
    widget->setFocus();
    QTest::keyClicks(widget, "https://x?v=1");
    widget->insert(QString::fromUtf8("é"));
    EXPECT_EQ(field.Text(), "https://x?v=1é");

    field.SetLimitText(3);
    field.SetText("abcdef");
    EXPECT_EQ(field.Text(), "abc");
}

TEST_F(TextControlTest, TextFieldKeepsNoLineBreakOfWhatArrivesAndKeepsTheBlanks)
{
    TextField& field = Make<TextField>("field");
    auto* widget = static_cast<QLineEdit*>(field.Widget());
    const struct {
        const char* road;
        std::function<void(const QString&)> bring;
    } roads[] = {
        {"pasted",
            [&](const QString& text) {
                QApplication::clipboard()->setText(text);
                QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
            }},
        {"dropped",
            [&](const QString& text) {
                QMimeData data;
                data.setText(text);
                QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(widget, &enter);
                QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(widget, &drop);
            }},
        {"typed through an input method",
            [&](const QString& text) {
                QInputMethodEvent typed;
                typed.setCommitString(text);
                QApplication::sendEvent(widget, &typed);
            }},
        {"set by code", [&](const QString& text) { field.SetText(text.toStdString()); }},
    };
    const std::string address = "https://www.youtube.com/watch?v=ID";
    const std::pair<std::string, std::string> texts[] = {
        {address + "\n", address},
        {address + "\r\n", address},
        {"\r\n" + address, address},
        // Every kind of line break goes: the line and paragraph separators and NEL too.
        {" a\tb \xE2\x80\xA8"
         "c\xE2\x80\xA9"
         "d\xC2\x85"
         "e\v\f\r",
            " a\tb cde"},
    };
    for (const auto& road : roads) {
        for (const auto& [arriving, kept] : texts) {
            SCOPED_TRACE(std::string(road.road) + ": " + arriving);
            field.SetText("");
            road.bring(QString::fromStdString(arriving));
            EXPECT_EQ(field.Text(), kept);
        }
    }
}

TEST_F(TextControlTest, TextFieldWithLimitZeroOrNoneTakesTextOfAnyLength)
{
    // Sizes compared, not texts: a failure then prints two numbers.
    TextField& declared = Make<TextField>("declared", {{"LimitText", 0}});
    TextField& undeclared = Make<TextField>("undeclared");
    for (TextField* field : {&declared, &undeclared}) {
        SCOPED_TRACE(field == &declared ? "LimitText 0" : "no LimitText");
        EXPECT_EQ(field->LimitText(), 0);
        auto* widget = static_cast<QLineEdit*>(field->Widget());
        field->SetText(std::string(100000, 'a'));
        EXPECT_EQ(field->Text().size(), 100000u);
        widget->end(false);
        widget->insert(QString(70000, u'b'));
        EXPECT_EQ(field->Text().size(), 170000u);
        EXPECT_EQ(field->Text().back(), 'b');
    }

    declared.SetLimitText(40000);
    EXPECT_EQ(declared.Text().size(), 40000u);
    declared.SetLimitText(0);
    declared.SetText(std::string(100000, 'c'));
    EXPECT_EQ(declared.Text().size(), 100000u);
}

TEST_F(TextControlTest, TextAreaReadsBackExactlyTheBytesThatWereSet)
{
    TextArea& area = Make<TextArea>("area", {{"Left", 0}, {"Top", 0}, {"Width", 200}, {"Height", 100}});
    for (const std::string& text : {"one\rtwo\r\nthree\n"s, "bad \xC3( and \xFF bytes"s, "nul\0inside"s, ""s}) {
        area.SetText(text);
        EXPECT_EQ(area.Text(), text);
    }
    area.SetText("one\rtwo\r\nthree");
    EXPECT_EQ(Shown(area), "one\ntwo\nthree");
    area.SetText("bad \xFF");
    EXPECT_EQ(Shown(area), QString::fromUtf8("bad \xEF\xBF\xBD"));
}

TEST_F(TextControlTest, TextAreaTextFollowsTheUsersEdits)
{
    TextArea& area = Make<TextArea>("area", {{"Left", 0}, {"Top", 0}, {"Width", 200}, {"Height", 100}, {"Text", "ab\rc"s}});
    auto* widget = static_cast<QPlainTextEdit*>(area.Widget());
    widget->setFocus();
    widget->moveCursor(QTextCursor::End);
    QTest::keyClicks(widget, "d");
    EXPECT_EQ(area.Text(), "ab\ncd");
    area.SetText("fresh\r");
    EXPECT_EQ(area.Text(), "fresh\r");
}

TEST_F(TextControlTest, TextAreaOutOfViewCatchesUpWhenItComesIntoView)
{
    // The window's content area is 300 x 200.
    TextArea& right = Make<TextArea>("right", {{"Name", "right"s}, {"Left", 310}, {"Top", 0}, {"Width", 100}, {"Height", 50}});
    TextArea& hidden
        = Make<TextArea>("hidden", {{"Name", "hidden"s}, {"Left", 0}, {"Top", 0}, {"Width", 100}, {"Height", 50}, {"Visible", false}});
    TextArea& below = Make<TextArea>("below", {{"Name", "below"s}, {"Left", 0}, {"Top", 250}, {"Width", 100}, {"Height", 50}});
    TextArea& tabbed = Make<TextArea>("tabbed", {{"Name", "tabbed"s}, {"Left", 0}, {"Top", 300}, {"Width", 100}, {"Height", 50}});
    for (TextArea* area : {&right, &hidden, &below, &tabbed}) {
        area->SetText(area->Name() + "\r");
        EXPECT_EQ(Shown(*area), "") << area->Name();
        EXPECT_EQ(area->Text(), area->Name() + "\r");
    }

    // Changing how an area out of view looks is no edit of its text.
    right.SetAlignment(2);
    right.SetScrollBarHorizontal(true);
    right.SetTextSize(20);
    EXPECT_EQ(right.Text(), "right\r");

    right.SetLeft(250);
    EXPECT_EQ(Shown(right), "right\n");
    hidden.SetVisible(true);
    EXPECT_EQ(Shown(hidden), "hidden\n");
    // A growing content area brings the control into view.
    window->ContentArea()->setFixedSize(300, 260);
    EXPECT_EQ(Shown(below), "below\n");
    // An area out of view takes no focus, so its text stays behind and nothing typed reaches it.
    tabbed.SetFocus();
    EXPECT_NE(QApplication::focusWidget(), tabbed.Widget());
    EXPECT_EQ(Shown(tabbed), "");
    EXPECT_EQ(tabbed.Text(), "tabbed\r");
}
