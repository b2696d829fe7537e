#include "framework/PushButton.h"

#include "framework/Window.h"

#include <QPushButton>

PushButton::PushButton(Window& window) : ActionButton(window)
{
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
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<PushButton, const std::string&>("Caption", [](PushButton& b, const std::string& v) { b.SetCaption(v); }),
        Declare<PushButton, bool>("Default", [](PushButton& b, bool v) { b.SetDefault(v); }),
        Declare<PushButton, bool>("Cancel", [](PushButton& b, bool v) { b.SetCancel(v); }),
        Declare<PushButton, std::int32_t>("ButtonStyle", [](PushButton& b, std::int32_t v) { b.SetButtonStyle(v); }),
    });
    // clang-format on
    return table;
}

void PushButton::SetDefault(bool isDefault)
{
    OnMainThread(default_) = isDefault;
    Window& window = GetWindow();
    PushButton* current = window.DefaultButton();
    if (isDefault && current != this) {
        if (current)
            current->Button().setDefault(false);
        window.SetDefaultButton(this);
    } else if (!isDefault && current == this) {
        window.SetDefaultButton(nullptr);
    }
    Button().setDefault(window.DefaultButton() == this);
}

void PushButton::SetCancel(bool isCancel)
{
    OnMainThread(cancel_) = isCancel;
    Window& window = GetWindow();
    if (isCancel)
        window.SetCancelButton(this);
    else if (window.CancelButton() == this)
        window.SetCancelButton(nullptr);
}
