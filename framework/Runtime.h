#pragma once

#include <functional>

class RuntimeException;
class Window;

// Starts the runtime: the Qt application object, unless one exists already (as in tests).
// Command-line arguments are not handed to Qt: the program takes none.
void RuntimeInit();

// Runs the event loop until the framework ends it; gives the exit status.
int _RuntimeRun();

// Ends the runtime and gives the status the event loop ended with.
int RuntimeExit();

// Asks the event loop to end. A failure status, once asked for, is not replaced by a later 0.
void _RuntimeQuit(int status);

// Hands the framework a callback that it runs once the event loop has started.
void _RunFrameworkInitialization(std::function<void()> lateStartup);

// The one boundary through which the framework calls program code. An exception that escapes
// goes to the unhandled-exception report, after which the application shuts down with status 1.
// window is the window whose event the code runs for (nullptr for the application's).
// While program code waits (see ProgramWait) nothing starts: what arrives then is dropped.
// Gives false when the code raised or was dropped.
bool CallProgram(const std::function<void()>& code, Window* window = nullptr);

// Held by the framework while program code waits in a request or a modal dialog; no other
// program code may start inside it, whatever the source of the event.
class ProgramWait {
public:
    ProgramWait();
    ~ProgramWait();
    ProgramWait(const ProgramWait&) = delete;
    ProgramWait& operator=(const ProgramWait&) = delete;
};

// True when the program code running now runs for a window that has been closed since: its
// requests fail at once and it shows and opens nothing more.
bool _RunningForClosedWindow();

// How many calls into program code are under way; windows closed meanwhile are destroyed only
// once it is back to zero, so a waiting handler never finds its window gone.
int ProgramCallDepth();

// Runs action once no program code is under way (at once when none is).
void WhenProgramIdle(std::function<void()> action);

// Shows the report of an exception that nothing handled, then asks the event loop to end with status 1.
void _UnhandledException(const RuntimeException& exception);

// Raises ThreadAccessingUIException unless called on the main thread.
void RequireMainThread();
