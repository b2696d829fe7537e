#pragma once

#include "framework/RaiseEvent.h"
#include "framework/RectControl.h"

#include <QPushButton>

#include <functional>
#include <string>

// What the push button and the bevel button share: a desktop push button with a caption, which
// Return never presses by itself and whose click raises the Action event. Derived is the
// button's own class, the one its Action handler takes.
template <class Derived> class ActionButton : public RectControl {
public:
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption)
    {
        caption_ = caption;
        button_->setText(QString::fromStdString(caption));
    }

    // Presses the button as the user would: the Action event runs if the button is enabled.
    void Push() { button_->click(); }
    void SetActionHandler(std::function<void(Derived&)> handler) { action_ = std::move(handler); }

protected:
    explicit ActionButton(Window& window) : RectControl(window, new QPushButton), button_(static_cast<QPushButton*>(Widget()))
    {
        button_->setAutoDefault(false);
        QObject::connect(button_, &QPushButton::clicked, button_, [this] { RaiseEvent(action_, static_cast<Derived&>(*this)); });
    }

    QPushButton& Button() const { return *button_; }

private:
    QPushButton* button_;
    std::string caption_;
    std::function<void(Derived&)> action_;
};
