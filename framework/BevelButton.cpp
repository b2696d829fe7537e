#include "framework/BevelButton.h"

#include "framework/QtConversions.h"

#include <QApplication>
#include <QPushButton>

BevelButton::BevelButton(Window& window) : ActionButton(window)
{
}

const PropertyTable& BevelButton::DeclaredProperties() const
{
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<BevelButton, const std::string&>("Caption", [](BevelButton& b, const std::string& v) { b.SetCaption(v); }),
        Ignore<std::int32_t>("CaptionAlign"),
        Ignore<std::int32_t>("CaptionPlacement"),
        Ignore<std::int32_t>("CaptionDelta"),
        Ignore<std::int32_t>("IconAlign"),
        Ignore<std::int32_t>("IconDX"),
        Ignore<std::int32_t>("IconDY"),
        Ignore<std::int32_t>("Bevel"),
        Ignore<std::int32_t>("HasMenu"),
        Declare<BevelButton, bool>("HasBackColor", [](BevelButton& b, bool v) { b.SetHasBackColor(v); }),
        Declare<BevelButton, Color>("BackColor", [](BevelButton& b, Color v) { b.SetBackColor(v); }),
        Declare<BevelButton, Color>("TextColor", [](BevelButton& b, Color v) { b.SetTextColor(v); }),
        Ignore<bool>("Value"),
        Ignore<std::int32_t>("MenuValue"),
        Ignore<std::int32_t>("ButtonType"),
        Declare<BevelButton, bool>("AcceptFocus", [](BevelButton& b, bool v) { b.SetAcceptFocus(v); }),
    });
    // clang-format on
    return table;
}

bool BevelButton::AcceptFocus() const
{
    return Button().focusPolicy() != Qt::NoFocus;
}

void BevelButton::SetAcceptFocus(bool accept)
{
    Button().setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus);
}

void BevelButton::SetTextColor(Color color)
{
    OnMainThread(textColor_) = color;
    ApplyColors();
}

void BevelButton::SetHasBackColor(bool has)
{
    OnMainThread(hasBackColor_) = has;
    ApplyColors();
}

void BevelButton::SetBackColor(Color color)
{
    OnMainThread(backColor_) = color;
    ApplyColors();
}

void BevelButton::ApplyColors()
{
    QPalette palette = QApplication::palette(&Button());
    palette.setColor(QPalette::ButtonText, ToQColor(textColor_));
    if (hasBackColor_)
        palette.setColor(QPalette::Button, ToQColor(backColor_));
    Button().setPalette(palette);
}
