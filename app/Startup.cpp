#include "Startup.h"

#include "App.h"
#include "MainMenuBar.h"
#include "Runtime.h"
#include "Window1.h"

#include <memory>

namespace {
std::unique_ptr<App> application;
}

void _NewAppInstance()
{
    application = std::make_unique<App>();
    application->SetMenuBar(instance::MainMenuBar());
    _RuntimeRegisterAppObject(application.get());
}

void _EarlyStartup()
{
    _NewAppInstance();
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
    instance::_FinalizeMainMenuBar();
}

int _Main()
{
    RuntimeInit();
    if (CallProgram(_EarlyStartup)) {
        _RunFrameworkInitialization(_LateStartup);
        _RuntimeRun();
    }
    _RunFinalizers();
    return RuntimeExit();
}
