#pragma once

#include "framework/ActionButton.h"

// A bevel button, shown as a plain push button with its caption; its bevel, icon, menu and
// caption-placement codes are accepted and have no effect.
class BevelButton : public ActionButton<BevelButton> {
public:
    explicit BevelButton(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    bool AcceptFocus() const;
    void SetAcceptFocus(bool accept);
    Color TextColor() const { return OnMainThread(textColor_); }
    void SetTextColor(Color color);
    // The back colour is shown only while HasBackColor is set.
    bool HasBackColor() const { return OnMainThread(hasBackColor_); }
    void SetHasBackColor(bool has);
    Color BackColor() const { return OnMainThread(backColor_); }
    void SetBackColor(Color color);

private:
    void ApplyColors();

    Color textColor_ {0}, backColor_ {0};
    bool hasBackColor_ = false;
};
