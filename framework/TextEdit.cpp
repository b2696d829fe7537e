#include "framework/TextEdit.h"

#include "framework/QtConversions.h"

#include <QWidget>

const PropertyTable& TextEdit::DeclaredProperties() const
{
    // Formats, masks, focus rings and spelling checks are accepted and have no effect.
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<TextEdit, bool>("Border", [](TextEdit& t, bool v) { t.SetBorder(v); }),
        Ignore<bool>("UseFocusRing"),
        Declare<TextEdit, Color>("TextColor", [](TextEdit& t, Color v) { t.SetTextColor(v); }),
        Declare<TextEdit, Color>("BackColor", [](TextEdit& t, Color v) { t.SetBackColor(v); }),
        Ignore<std::string>("Format"),
        Declare<TextEdit, const std::string&>("Text", [](TextEdit& t, const std::string& v) { t.SetText(v); }),
        Ignore<std::string>("Mask"),
        Declare<TextEdit, bool>("ReadOnly", [](TextEdit& t, bool v) { t.SetReadOnly(v); }),
        Declare<TextEdit, std::int32_t>("Alignment", [](TextEdit& t, std::int32_t v) { t.SetAlignment(v); }),
        Ignore<bool>("AutomaticallyCheckSpelling"),
    });
    // clang-format on
    return table;
}

void TextEdit::SetAlignment(int alignment)
{
    OnMainThread(alignment_) = alignment;
    ApplyAlignment(alignment == 2 ? Qt::AlignHCenter : alignment == 3 ? Qt::AlignRight : Qt::AlignLeft);
}

void TextEdit::SetTextColor(Color color)
{
    OnMainThread(textColor_) = color;
    ApplyColors();
}

void TextEdit::SetBackColor(Color color)
{
    OnMainThread(backColor_) = color;
    ApplyColors();
}

void TextEdit::ApplyColors()
{
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Text, ToQColor(textColor_));
    palette.setColor(QPalette::Base, ToQColor(backColor_));
    Widget()->setPalette(palette);
}
