#pragma once

#include "framework/RectControl.h"

#include <functional>
#include <string>

class QPushButton;

// A bevel button, shown as a plain push button with its caption; its bevel, icon, menu and
// caption-placement codes are accepted and have no effect.
class BevelButton : public RectControl {
public:
    explicit BevelButton(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool AcceptFocus() const;
    void SetAcceptFocus(bool accept);
    Color TextColor() const { return textColor_; }
    void SetTextColor(Color color);
    // The back colour is shown only while HasBackColor is set.
    bool HasBackColor() const { return hasBackColor_; }
    void SetHasBackColor(bool has);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);

    // Presses the button as the user would: the Action event runs if the button is enabled.
    void Push();
    void SetActionHandler(std::function<void(BevelButton&)> handler) { action_ = std::move(handler); }

private:
    void ApplyColors();

    QPushButton* button_;
    std::string caption_;
    Color textColor_{0}, backColor_{0};
    bool hasBackColor_ = false;
    std::function<void(BevelButton&)> action_;
};
