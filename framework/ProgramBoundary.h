#pragma once

#include <functional>

class RuntimeException;
class Window;

// The one boundary through which the framework calls program code. An exception that escapes
// goes to the unhandled-exception reporter (see _SetUnhandledExceptionReporter); one that is not
// a RuntimeException goes as a RuntimeException with its message, or "An unknown exception" when
// it is not a standard exception either.
// window is the window whose event the code runs for (nullptr for the application's).
// While program code waits (see ProgramWait) nothing starts: what arrives then is dropped.
// Gives false when the code raised or was dropped.
bool CallProgram(const std::function<void()>& code, const Window* window = nullptr);

// Hands the boundary what to do with an exception that escapes program code; the runtime plugs
// in its report. Until one is set such an exception is dropped.
void _SetUnhandledExceptionReporter(std::function<void(const RuntimeException&)> reporter);

// Held by the framework while program code waits in a request or a modal dialog; no other
// program code may start inside it, whatever the source of the event.
class ProgramWait {
public:
    ProgramWait();
    ~ProgramWait();
    ProgramWait(const ProgramWait&) = delete;
    ProgramWait& operator=(const ProgramWait&) = delete;
};

// Whether program code waits now (a ProgramWait is held). The controls then refuse what the user
// changes by any road input events do not take, such as an accessibility tool's actions: no
// handler could run to answer it, and the waiting code reads their state when it goes on.
bool ProgramWaiting();

// Told by a window when it closes, and when it is destroyed: program code that runs for a closed
// window shows and opens nothing more, and its requests fail at once.
void _WindowClosed(const Window* window);
void _WindowDestroyed(const Window* window);

// True when the program code running now runs for a window that has been closed; false when it
// runs for the application, when none runs, or once it has raised (the report is the application's).
bool _RunningForClosedWindow();

// How many calls into program code are under way; windows closed meanwhile are destroyed only
// once it is back to zero, so a waiting handler never finds its window gone.
int ProgramCallDepth();

// Runs action once no program code is under way (at once when none is).
void WhenProgramIdle(std::function<void()> action);
