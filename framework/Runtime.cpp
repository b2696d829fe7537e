#include "framework/Runtime.h"

#include "framework/Application.h"
#include "framework/MsgBox.h"
#include "framework/ProgramBoundary.h"
#include "framework/Window.h"
#include "framework/text/Exceptions.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace {
std::unique_ptr<QApplication> ownedApplication;
int exitStatus = 0;
int requestedStatus = 0;
// Not Qt's display name: Qt would add that to every window's title.
std::string applicationDisplayName;
}

void RuntimeInit(const std::string& appName, const std::string& displayName)
{
    _SetUnhandledExceptionReporter(_UnhandledException);
    applicationDisplayName = displayName;
    if (QCoreApplication::instance())
        return;
    // Qt keeps the arguments for the application's lifetime.
    static std::string name;
    static int argc = 1;
    static char* argv[] = {nullptr, nullptr};
    name = appName;
    argv[0] = name.data();
    ownedApplication = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QString::fromStdString(appName));
    // Windows close themselves through the framework, which ends the loop after the last one.
    QApplication::setQuitOnLastWindowClosed(false);
}

const std::string& _ApplicationDisplayName()
{
    return applicationDisplayName;
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

void _UnhandledException(const RuntimeException& exception)
{
    MsgBox(std::string("An exception of class ") + exception.ClassName() + " was not handled. The application must shut down.\n\n"
        + exception.what());
    _RuntimeQuit(1);
}
