#pragma once

#include "framework/RectControl.h"

#include <functional>
#include <string>

class QPushButton;

// A push button. The window's Return key presses the last button made Default, its Escape key
// the last made Cancel.
class PushButton : public RectControl {
public:
    explicit PushButton(Window& window);
    ~PushButton() override;

    const PropertyTable& DeclaredProperties() const override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel);
    // The frame style code; every style shows as the desktop's push button.
    int ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(int style) { buttonStyle_ = style; }

    // Presses the button as the user would: the Action event runs if the button is enabled.
    void Push();
    void SetActionHandler(std::function<void(PushButton&)> handler) { action_ = std::move(handler); }

private:
    QPushButton* button_;
    std::string caption_;
    bool default_ = false, cancel_ = false;
    int buttonStyle_ = 0;
    std::function<void(PushButton&)> action_;
};
