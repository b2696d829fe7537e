#pragma once

#include "framework/RectControl.h"

#include <functional>
#include <string>

class QCheckBox;

// A check box. Its Action event runs whenever its state changes, whether the user toggled it or
// code set it, once the box shows its new state; setting the state it already has raises nothing.
// While program code waits the user cannot change its state (see ProgramWaiting), and a press
// that started during the wait changes nothing when it lets go after it; code sets it all the same.
class CheckBox : public RectControl {
public:
    enum class CheckedStates { Unchecked = 0, Checked = 1, Indeterminate = 2 };

    explicit CheckBox(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    std::string Caption() const { return OnMainThread(caption_); }
    void SetCaption(const std::string& caption);
    CheckedStates State() const;
    void SetState(CheckedStates state);
    // Ticked: the state is Checked.
    bool Value() const;
    void SetValue(bool value);

    void SetActionHandler(std::function<void(CheckBox&)> handler) { OnMainThread(action_) = std::move(handler); }

private:
    QCheckBox* Box() const;

    // The state last taken, which a change refused is undone to.
    CheckedStates state_ = CheckedStates::Unchecked;
    std::string caption_;
    std::function<void(CheckBox&)> action_;
};
