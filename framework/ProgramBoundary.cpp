#include "framework/ProgramBoundary.h"

#include "framework/text/Exceptions.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {
int programCallDepth = 0;
int waits = 0;
// The window of each call into program code under way, innermost last.
std::vector<const Window*> callWindows;
// Closed, and not yet destroyed.
std::vector<const Window*> closedWindows;
std::vector<std::function<void()>> idleActions;
std::function<void(const RuntimeException&)> unhandledExceptionReporter;

void RunIdleActions()
{
    while (programCallDepth == 0 && !idleActions.empty()) {
        auto actions = std::move(idleActions);
        idleActions.clear();
        for (auto& action : actions)
            action();
    }
}

void ReportUnhandled(const RuntimeException& exception)
{
    // The report is the application's, whatever became of the window.
    callWindows.back() = nullptr;
    if (unhandledExceptionReporter)
        unhandledExceptionReporter(exception);
}
}

bool CallProgram(const std::function<void()>& code, const Window* window)
{
    if (ProgramWaiting())
        return false;
    ++programCallDepth;
    callWindows.push_back(window);
    bool completed = false;
    try {
        code();
        completed = true;
    } catch (const RuntimeException& exception) {
        ReportUnhandled(exception);
    } catch (const std::exception& exception) {
        ReportUnhandled(RuntimeException(exception.what()));
    } catch (...) {
        // Nothing may unwind through the event loop, whatever program code throws.
        ReportUnhandled(RuntimeException("An unknown exception"));
    }
    callWindows.pop_back();
    if (--programCallDepth == 0 && !idleActions.empty())
        QTimer::singleShot(0, qApp, RunIdleActions);
    return completed;
}

void _SetUnhandledExceptionReporter(std::function<void(const RuntimeException&)> reporter)
{
    unhandledExceptionReporter = std::move(reporter);
}

ProgramWait::ProgramWait()
{
    ++waits;
}

ProgramWait::~ProgramWait()
{
    --waits;
}

bool ProgramWaiting()
{
    return waits > 0;
}

void _WindowClosed(const Window* window)
{
    closedWindows.push_back(window);
}

void _WindowDestroyed(const Window* window)
{
    std::erase(closedWindows, window);
}

bool _RunningForClosedWindow()
{
    return !callWindows.empty() && callWindows.back() && std::ranges::find(closedWindows, callWindows.back()) != closedWindows.end();
}

int ProgramCallDepth()
{
    return programCallDepth;
}

void WhenProgramIdle(std::function<void()> action)
{
    if (programCallDepth == 0) {
        action();
        return;
    }
    idleActions.push_back(std::move(action));
}
