#include "framework/CheckBox.h"

#include "framework/ClickGuard.h"
#include "framework/RaiseEvent.h"

#include <QCheckBox>

namespace {
// A click that the guard drops leaves the state as it is.
class CheckBoxWidget : public QCheckBox {
protected:
    void nextCheckState() override
    {
        if (!guard_.DropsClick())
            QCheckBox::nextCheckState();
    }

private:
    ClickGuard guard_ {*this};
};
}

CheckBox::CheckBox(Window& window) : RectControl(window, NewOnMainThread<CheckBoxWidget>())
{
    // An accessibility tool's toggle is no click and offers no hook before the change: one
    // refused is undone.
    QObject::connect(Box(), &QCheckBox::stateChanged, Box(), [this] {
        TakeOrUndoChange(
            [this] {
                state_ = State();
                RaiseEvent(action_, *this);
            },
            [this] { SetState(state_); });
    });
}

QCheckBox* CheckBox::Box() const
{
    return WidgetAs<QCheckBox>();
}

const PropertyTable& CheckBox::DeclaredProperties() const
{
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<CheckBox, const std::string&>("Caption", [](CheckBox& c, const std::string& v) { c.SetCaption(v); }),
        Declare<CheckBox, std::int32_t>("State", [](CheckBox& c, std::int32_t v) { c.SetState(static_cast<CheckedStates>(v)); }),
        Declare<CheckBox, bool>("Value", [](CheckBox& c, bool v) { c.SetValue(v); }),
    });
    // clang-format on
    return table;
}

void CheckBox::SetCaption(const std::string& caption)
{
    OnMainThread(caption_) = caption;
    Box()->setText(QString::fromStdString(caption));
}

CheckBox::CheckedStates CheckBox::State() const
{
    switch (Box()->checkState()) {
    case Qt::Checked:
        return CheckedStates::Checked;
    case Qt::PartiallyChecked:
        return CheckedStates::Indeterminate;
    default:
        return CheckedStates::Unchecked;
    }
}

void CheckBox::SetState(CheckedStates state)
{
    const Qt::CheckState shown = state == CheckedStates::Checked ? Qt::Checked
        : state == CheckedStates::Indeterminate                  ? Qt::PartiallyChecked
                                                                 : Qt::Unchecked;
    ChangeByProgram([&] { Box()->setCheckState(shown); });
}

bool CheckBox::Value() const
{
    return State() == CheckedStates::Checked;
}

void CheckBox::SetValue(bool value)
{
    SetState(value ? CheckedStates::Checked : CheckedStates::Unchecked);
}
