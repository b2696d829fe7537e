#pragma once

#include "framework/ActionButton.h"

#include <string>

// A push button. Return presses the push button that has the focus, and elsewhere in the window
// the last button made Default; Escape presses the last made Cancel.
class PushButton : public ActionButton<PushButton> {
public:
    explicit PushButton(Window& window);
    ~PushButton() override;

    const PropertyTable& DeclaredProperties() const override;

    bool Default() const { return OnMainThread(default_); }
    void SetDefault(bool isDefault);
    bool Cancel() const { return OnMainThread(cancel_); }
    void SetCancel(bool isCancel);
    // The frame style code; every style shows as the desktop's push button.
    int ButtonStyle() const { return OnMainThread(buttonStyle_); }
    void SetButtonStyle(int style) { OnMainThread(buttonStyle_) = style; }

private:
    bool default_ = false, cancel_ = false;
    int buttonStyle_ = 0;
};
