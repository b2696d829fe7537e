#include "framework/PushButton.h"

#include "framework/RaiseEvent.h"
#include "framework/Window.h"

#include <QPushButton>

PushButton::PushButton(Window& window) : RectControl(window, new QPushButton), button_(static_cast<QPushButton*>(Widget()))
{
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { RaiseEvent(action_, *this); });
}

PushButton::~PushButton()
{
    Window& window = GetWindow();
    if (window.DefaultButton() == this)
        window.SetDefaultButton(nullptr);
    if (window.CancelButton() == this)
        window.SetCancelButton(nullptr);
}

const PropertyTable& PushButton::DeclaredProperties() const
{
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<PushButton, const std::string&>("Caption", [](PushButton& b, const std::string& v) { b.SetCaption(v); }),
        Declare<PushButton, bool>("Default", [](PushButton& b, bool v) { b.SetDefault(v); }),
        Declare<PushButton, bool>("Cancel", [](PushButton& b, bool v) { b.SetCancel(v); }),
        Declare<PushButton, std::int32_t>("ButtonStyle", [](PushButton& b, std::int32_t v) { b.SetButtonStyle(v); }),
    });
    return table;
}

void PushButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    button_->setText(QString::fromStdString(caption));
}

void PushButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    Window& window = GetWindow();
    PushButton* current = window.DefaultButton();
    if (isDefault && current != this) {
        if (current)
            current->button_->setDefault(false);
        window.SetDefaultButton(this);
    } else if (!isDefault && current == this) {
        window.SetDefaultButton(nullptr);
    }
    button_->setDefault(window.DefaultButton() == this);
}

void PushButton::SetCancel(bool isCancel)
{
    cancel_ = isCancel;
    Window& window = GetWindow();
    if (isCancel)
        window.SetCancelButton(this);
    else if (window.CancelButton() == this)
        window.SetCancelButton(nullptr);
}

void PushButton::Push()
{
    button_->click();
}
