#pragma once

#include "framework/ClickGuard.h"
#include "framework/RaiseEvent.h"
#include "framework/RectControl.h"

#include <QPushButton>

#include <functional>
#include <string>

// A push button that Return and Enter press while it has the focus, as Space does, instead of
// the window's default button.
class ActionButtonWidget : public QPushButton {
protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// What the push button and the bevel button share: a desktop push button with a caption, whose
// click raises the Action event. Derived is the button's own class, the one its Action handler
// takes.
template <class Derived> class ActionButton : public RectControl {
public:
    std::string Caption() const { return OnMainThread(caption_); }
    void SetCaption(const std::string& caption)
    {
        OnMainThread(caption_) = caption;
        Button().setText(QString::fromStdString(caption));
    }

    // Presses the button as the user would: the Action event runs if the button is enabled.
    void Push() { Button().click(); }
    void SetActionHandler(std::function<void(Derived&)> handler) { OnMainThread(action_) = std::move(handler); }

protected:
    explicit ActionButton(Window& window) : RectControl(window, NewOnMainThread<ActionButtonWidget>()), guard_(Button())
    {
        QObject::connect(&Button(), &QPushButton::clicked, &Button(), [this] {
            if (!guard_.DropsClick())
                RaiseEvent(action_, static_cast<Derived&>(*this));
        });
    }

    QPushButton& Button() const { return *WidgetAs<QPushButton>(); }

private:
    ClickGuard guard_;
    std::string caption_;
    std::function<void(Derived&)> action_;
};
