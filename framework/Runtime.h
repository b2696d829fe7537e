#pragma once

#include <functional>
#include <string>

class RuntimeException;

// Starts the runtime: plugs the unhandled-exception report into the program boundary, and makes
// the Qt application object unless one exists already (as in tests). appName, the internal name,
// names the pictures folder; displayName, the name the user knows, titles the message boxes.
// Command-line arguments are not handed to Qt: the program takes none.
void RuntimeInit(const std::string& appName, const std::string& displayName);

// The name the user knows, as RuntimeInit was given it.
const std::string& _ApplicationDisplayName();

// Runs the event loop until the framework ends it; gives the exit status.
int _RuntimeRun();

// Ends the runtime and gives the status the event loop ended with.
int RuntimeExit();

// Asks the event loop to end. A failure status, once asked for, is not replaced by a later 0.
void _RuntimeQuit(int status);

// Hands the framework a callback that it runs once the event loop has started.
void _RunFrameworkInitialization(std::function<void()> lateStartup);

// Shows the report of an exception that nothing handled, then asks the event loop to end with status 1.
void _UnhandledException(const RuntimeException& exception);
