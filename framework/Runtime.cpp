#include "framework/Runtime.h"

#include "framework/Application.h"
#include "framework/MsgBox.h"
#include "framework/Window.h"
#include "framework/text/Exceptions.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <memory>
#include <vector>

namespace {
std::unique_ptr<QApplication> ownedApplication;
int programCallDepth = 0;
int waits = 0;
// The window of each call into program code under way, innermost last.
std::vector<Window*> callWindows;
int exitStatus = 0;
int requestedStatus = 0;
std::vector<std::function<void()>> idleActions;

void RunIdleActions()
{
    while (programCallDepth == 0 && !idleActions.empty()) {
        auto actions = std::move(idleActions);
        idleActions.clear();
        for (auto& action : actions)
            action();
    }
}
}

void RuntimeInit()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quorvane";
    static char* argv[] = {name, nullptr};
    ownedApplication = std::make_unique<QApplication>(argc, argv);
    // Windows close themselves through the framework, which ends the loop after the last one.
    QApplication::setQuitOnLastWindowClosed(false);
}

int _RuntimeRun()
{
    // The application has opened once the loop runs, after the late start-up queued before it.
    QTimer::singleShot(0, qApp, [] {
        if (Application* application = _GetAppObject())
            CallProgram([application] { application->Event_Open(); });
    });
    exitStatus = QApplication::exec();
    return exitStatus;
}

void _RuntimeQuit(int status)
{
    if (requestedStatus == 0)
        requestedStatus = status;
    QCoreApplication::exit(requestedStatus);
}

int RuntimeExit()
{
    _DestroyWindows();
    ownedApplication.reset();
    return requestedStatus != 0 ? requestedStatus : exitStatus;
}

void _RunFrameworkInitialization(std::function<void()> lateStartup)
{
    QTimer::singleShot(0, qApp, [lateStartup = std::move(lateStartup)] { CallProgram(lateStartup); });
}

bool CallProgram(const std::function<void()>& code, Window* window)
{
    if (waits > 0)
        return false;
    ++programCallDepth;
    callWindows.push_back(window);
    bool completed = false;
    try {
        code();
        completed = true;
    } catch (const RuntimeException& exception) {
        // The report is the application's, whatever became of the window.
        callWindows.back() = nullptr;
        _UnhandledException(exception);
    } catch (const std::exception& exception) {
        callWindows.back() = nullptr;
        _UnhandledException(RuntimeException(exception.what()));
    }
    callWindows.pop_back();
    if (--programCallDepth == 0 && !idleActions.empty())
        QTimer::singleShot(0, qApp, RunIdleActions);
    return completed;
}

ProgramWait::ProgramWait()
{
    ++waits;
}

ProgramWait::~ProgramWait()
{
    --waits;
}

bool _RunningForClosedWindow()
{
    return !callWindows.empty() && callWindows.back() && !callWindows.back()->IsOpen();
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

void _UnhandledException(const RuntimeException& exception)
{
    MsgBox(std::string("An exception of class ") + exception.ClassName() + " was not handled. The application must shut down.\n\n" +
           exception.what());
    _RuntimeQuit(1);
}

void RequireMainThread()
{
    auto* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread())
        throw ThreadAccessingUIException();
}
