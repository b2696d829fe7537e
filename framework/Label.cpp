#include "framework/Label.h"

#include "framework/QtConversions.h"

#include <QLabel>

Label::Label(Window& window) : RectControl(window, NewOnMainThread<QLabel>())
{
    LabelWidget()->setTextFormat(Qt::PlainText);
    SetTextAlign(0);
}

QLabel* Label::LabelWidget() const
{
    return WidgetAs<QLabel>();
}

const PropertyTable& Label::DeclaredProperties() const
{
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<Label, const std::string&>("Text", [](Label& l, const std::string& v) { l.SetText(v); }),
        Declare<Label, std::int32_t>("TextAlign", [](Label& l, std::int32_t v) { l.SetTextAlign(v); }),
        Declare<Label, Color>("TextColor", [](Label& l, Color v) { l.SetTextColor(v); }),
        Declare<Label, bool>("MultiLine", [](Label& l, bool v) { l.SetMultiLine(v); }),
        Declare<Label, bool>("Selectable", [](Label& l, bool v) { l.SetSelectable(v); }),
        Declare<Label, bool>("Transparent", [](Label& l, bool v) { l.SetTransparent(v); }),
    });
    // clang-format on
    return table;
}

void Label::SetText(const std::string& text)
{
    OnMainThread(text_) = text;
    LabelWidget()->setText(DisplayText(text));
}

void Label::SetTextAlign(int align)
{
    OnMainThread(textAlign_) = align;
    Qt::Alignment horizontal = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
    LabelWidget()->setAlignment(horizontal | Qt::AlignTop);
}

void Label::SetTextColor(Color color)
{
    OnMainThread(textColor_) = color;
    QPalette palette = LabelWidget()->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    LabelWidget()->setPalette(palette);
}

void Label::SetMultiLine(bool multiLine)
{
    OnMainThread(multiLine_) = multiLine;
    LabelWidget()->setWordWrap(multiLine);
}

void Label::SetSelectable(bool selectable)
{
    OnMainThread(selectable_) = selectable;
    LabelWidget()->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

void Label::SetTransparent(bool transparent)
{
    OnMainThread(transparent_) = transparent;
    LabelWidget()->setAutoFillBackground(!transparent);
}
