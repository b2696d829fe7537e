#include "framework/TextArea.h"

#include "framework/QtConversions.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>

TextArea::TextArea(Window& window) : TextEdit(window, NewOnMainThread<QPlainTextEdit>())
{
    // A widget behind its text is out of the user's reach: whatever changes it is no edit.
    QObject::connect(Area(), &QPlainTextEdit::textChanged, Area(), [this] {
        if (!widgetBehind_)
            editedByUser_ = true;
    });
    SetScrollBarHorizontal(scrollBarHorizontal_);
    SetScrollBarVertical(scrollBarVertical_);
}

QPlainTextEdit* TextArea::Area() const
{
    return WidgetAs<QPlainTextEdit>();
}

const PropertyTable& TextArea::DeclaredProperties() const
{
    // The area is always multi-line and plain; line metrics, selection hiding and length limits
    // are accepted and have no effect.
    // clang-format off
    static const PropertyTable table = Extend(TextEdit::DeclaredProperties(), {
        Ignore<bool>("MultiLine"),
        Declare<TextArea, bool>("ScrollBarHorizontal", [](TextArea& t, bool v) { t.SetScrollBarHorizontal(v); }),
        Declare<TextArea, bool>("ScrollBarVertical", [](TextArea& t, bool v) { t.SetScrollBarVertical(v); }),
        Ignore<bool>("Styled"),
        Ignore<bool>("HideSelection"),
        Ignore<double>("LineHeight"),
        Ignore<double>("LineSpacing"),
        Ignore<std::int32_t>("LimitText"),
        Declare<TextArea, bool>("AcceptTabs", [](TextArea& t, bool v) { t.SetAcceptTabs(v); }),
    });
    // clang-format on
    return table;
}

std::string TextArea::Text() const
{
    if (OnMainThread(editedByUser_)) {
        text_ = Area()->toPlainText().toStdString();
        editedByUser_ = false;
    }
    return text_;
}

void TextArea::SetText(const std::string& text)
{
    OnMainThread(text_) = text;
    editedByUser_ = false;
    widgetBehind_ = true;
    if (InView())
        CatchUp();
}

void TextArea::CatchUp()
{
    if (!widgetBehind_)
        return;
    widgetBehind_ = false;
    QSignalBlocker quiet(Area());
    Area()->setPlainText(DisplayText(text_));
}

void TextArea::PlacementChanged()
{
    if (InView())
        CatchUp();
}

bool TextArea::ReadOnly() const
{
    return Area()->isReadOnly();
}

void TextArea::SetReadOnly(bool readOnly)
{
    Area()->setReadOnly(readOnly);
}

void TextArea::SetBorder(bool border)
{
    Area()->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TextArea::SetScrollBarHorizontal(bool shown)
{
    OnMainThread(scrollBarHorizontal_) = shown;
    Area()->setLineWrapMode(shown ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    Area()->setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetScrollBarVertical(bool shown)
{
    OnMainThread(scrollBarVertical_) = shown;
    Area()->setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool TextArea::AcceptTabs() const
{
    return !Area()->tabChangesFocus();
}

void TextArea::SetAcceptTabs(bool accept)
{
    Area()->setTabChangesFocus(!accept);
}

void TextArea::ApplyAlignment(Qt::Alignment alignment)
{
    QTextOption option = Area()->document()->defaultTextOption();
    option.setAlignment(alignment);
    Area()->document()->setDefaultTextOption(option);
}
