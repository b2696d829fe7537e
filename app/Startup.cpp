#include "app/Startup.h"

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MainMenuBar.h"
#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "transcript_window/Window1.h"

#include <memory>
#include <string>

namespace {
// Names the folder the pictures are installed in.
const std::string kAppName = "quorvane";
// Titles the message boxes.
const std::string kDisplayName = "Quorvane";
std::unique_ptr<App> application;
}

void _NewAppInstance()
{
    application = std::make_unique<App>();
    application->SetMenuBar(instance::MainMenuBar());
    _RuntimeRegisterAppObject(application.get());
}

void _InitFileTypes()
{
    FileTypes1::_Initialize();
}

void _EarlyStartup()
{
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _MakeDefaultView()
{
    instance::Window1();
}

void _LateStartup()
{
    _MakeDefaultView();
}

void _RunFinalizers()
{
    FileTypes1::_Finalize();
    instance::_FinalizeMainMenuBar();
}

int _Main()
{
    RuntimeInit(kAppName, kDisplayName);
    if (CallProgram(_EarlyStartup)) {
        _RunFrameworkInitialization(_LateStartup);
        _RuntimeRun();
    }
    _RunFinalizers();
    return RuntimeExit();
}
