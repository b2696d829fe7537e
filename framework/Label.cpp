#include "framework/Label.h"

#include "framework/QtConversions.h"

#include <QLabel>

Label::Label(Window& window) : RectControl(window, new QLabel), label_(static_cast<QLabel*>(Widget()))
{
    label_->setTextFormat(Qt::PlainText);
    SetTextAlign(0);
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
    text_ = text;
    label_->setText(DisplayText(text));
}

void Label::SetTextAlign(int align)
{
    textAlign_ = align;
    Qt::Alignment horizontal = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
    label_->setAlignment(horizontal | Qt::AlignTop);
}

void Label::SetTextColor(Color color)
{
    textColor_ = color;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    label_->setPalette(palette);
}

void Label::SetMultiLine(bool multiLine)
{
    multiLine_ = multiLine;
    label_->setWordWrap(multiLine);
}

void Label::SetSelectable(bool selectable)
{
    selectable_ = selectable;
    label_->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

void Label::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    label_->setAutoFillBackground(!transparent);
}
