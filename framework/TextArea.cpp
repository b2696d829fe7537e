#include "framework/TextArea.h"

#include "framework/QtConversions.h"
#include "framework/Window.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>

class TextAreaWidget : public QPlainTextEdit {
public:
    explicit TextAreaWidget(TextArea& owner) : owner_(owner) {}

protected:
    // The user may tab into an area out of view: it shows its text before any key reaches it.
    void focusInEvent(QFocusEvent* event) override
    {
        owner_.CatchUp();
        QPlainTextEdit::focusInEvent(event);
    }

    // Watches the content area, which brings the area into view when it grows.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && owner_.InView())
            owner_.CatchUp();
        return QPlainTextEdit::eventFilter(watched, event);
    }

private:
    TextArea& owner_;
};

TextArea::TextArea(Window& window) : TextEdit(window, NewWidget<TextAreaWidget>(*this))
{
    window.ContentArea()->installEventFilter(Area());
    // A widget behind its text is out of the user's reach: whatever changes it is no edit.
    QObject::connect(Area(), &QPlainTextEdit::textChanged, Area(), [this] {
        if (!widgetBehind_)
            editedByUser_ = true;
    });
    SetScrollBarHorizontal(scrollBarHorizontal_);
    SetScrollBarVertical(scrollBarVertical_);
}

TextAreaWidget* TextArea::Area() const
{
    return WidgetAs<TextAreaWidget>();
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

bool TextArea::InView() const
{
    if (!Visible())
        return false;
    // Until the window is shown its content area has not taken its declared size yet.
    QWidget* content = GetWindow().ContentArea();
    QRect area = content->isVisible() ? content->rect() : QRect(0, 0, GetWindow().Width(), GetWindow().Height());
    return QRect(Left(), Top(), Width(), Height()).intersects(area);
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
