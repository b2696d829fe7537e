#pragma once

#include "framework/ProgramBoundary.h"
#include "framework/Window.h"

#include <functional>

// Raises a control's event: runs its handler, if one is bound, through the program boundary.
// A copy runs, so that the handler may bind another in its place. It runs for the control's window.
template <class Control> void RaiseEvent(const std::function<void(Control&)>& handler, Control& control)
{
    if (!handler)
        return;
    auto running = handler;
    CallProgram([&] { running(control); }, &control.GetWindow());
}
