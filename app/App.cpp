#include "app/App.h"

#include "app/HelpPage.h"
#include "app/aboutWin.h"
#include "framework/ShowURL.h"
#include "framework/text/Exceptions.h"
#include "transcript_window/Window1.h"

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
