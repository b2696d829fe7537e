#include "App.h"

#include "Exceptions.h"
#include "HelpPage.h"
#include "ShowURL.h"
#include "Window1.h"
#include "aboutWin.h"

void App::Event_Open()
{
    instance::Window1().Show();
}

bool App::_FileNewWindow_Action()
{
    instance::Window1().Show();
    return false;
}

bool App::_FileAboutQuorvane_Action()
{
    instance::aboutWin().Show();
    return false;
}

bool App::_FileHelp_Action()
{
    ShowURL(kHelpPageAddress);
    return false;
}

namespace instance {
::App& App()
{
    auto* app = dynamic_cast<::App*>(_GetAppObject());
    if (!app)
        throw NilObjectException("The application object is not registered.");
    return *app;
}
}

void _ApplicationAddMenuHandlers()
{
    instance::App()._AddMenuHandler("FileNewWindow", [] { return instance::App()._FileNewWindow_Action(); });
    instance::App()._AddMenuHandler("FileAboutQuorvane", [] { return instance::App()._FileAboutQuorvane_Action(); });
    instance::App()._AddMenuHandler("FileHelp", [] { return instance::App()._FileHelp_Action(); });
}
