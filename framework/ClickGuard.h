#pragma once

#include "framework/ProgramBoundary.h"

#include <QAbstractButton>

// Tells whether a button's click is dropped: while program code waits, and also when the press
// that led to it started during a wait, since an accessibility tool's press lets the button go
// (and so clicks it) a moment later, when the wait may be over. Every click follows a press.
class ClickGuard {
public:
    explicit ClickGuard(QAbstractButton& button)
    {
        QObject::connect(&button, &QAbstractButton::pressed, &button, [this] { pressedDuringWait_ = ProgramWaiting(); });
    }
    ClickGuard(const ClickGuard&) = delete;
    ClickGuard& operator=(const ClickGuard&) = delete;

    bool DropsClick() const { return pressedDuringWait_ || ProgramWaiting(); }

private:
    bool pressedDuringWait_ = false;
};
