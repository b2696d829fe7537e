#include "framework/BevelButton.h"

#include "framework/QtConversions.h"
#include "framework/RaiseEvent.h"

#include <QApplication>
#include <QPushButton>

BevelButton::BevelButton(Window& window) : RectControl(window, new QPushButton), button_(static_cast<QPushButton*>(Widget()))
{
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { RaiseEvent(action_, *this); });
}

const PropertyTable& BevelButton::DeclaredProperties() const
{
    auto ignoredCode = [](const char* name) { return Declare<BevelButton, std::int32_t>(name, [](BevelButton&, std::int32_t) {}); };
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<BevelButton, const std::string&>("Caption", [](BevelButton& b, const std::string& v) { b.SetCaption(v); }),
        ignoredCode("CaptionAlign"),
        ignoredCode("CaptionPlacement"),
        ignoredCode("CaptionDelta"),
        ignoredCode("IconAlign"),
        ignoredCode("IconDX"),
        ignoredCode("IconDY"),
        ignoredCode("Bevel"),
        ignoredCode("HasMenu"),
        Declare<BevelButton, bool>("HasBackColor", [](BevelButton& b, bool v) { b.SetHasBackColor(v); }),
        Declare<BevelButton, Color>("BackColor", [](BevelButton& b, Color v) { b.SetBackColor(v); }),
        Declare<BevelButton, Color>("TextColor", [](BevelButton& b, Color v) { b.SetTextColor(v); }),
        Declare<BevelButton, bool>("Value", [](BevelButton&, bool) {}),
        ignoredCode("MenuValue"),
        ignoredCode("ButtonType"),
        Declare<BevelButton, bool>("AcceptFocus", [](BevelButton& b, bool v) { b.SetAcceptFocus(v); }),
    });
    return table;
}

void BevelButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    button_->setText(QString::fromStdString(caption));
}

bool BevelButton::AcceptFocus() const
{
    return button_->focusPolicy() != Qt::NoFocus;
}

void BevelButton::SetAcceptFocus(bool accept)
{
    button_->setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus);
}

void BevelButton::SetTextColor(Color color)
{
    textColor_ = color;
    ApplyColors();
}

void BevelButton::SetHasBackColor(bool has)
{
    hasBackColor_ = has;
    ApplyColors();
}

void BevelButton::SetBackColor(Color color)
{
    backColor_ = color;
    ApplyColors();
}

void BevelButton::ApplyColors()
{
    QPalette palette = QApplication::palette(button_);
    palette.setColor(QPalette::ButtonText, ToQColor(textColor_));
    if (hasBackColor_)
        palette.setColor(QPalette::Button, ToQColor(backColor_));
    button_->setPalette(palette);
}

void BevelButton::Push()
{
    button_->click();
}
