#include "Window1.h"

#include "App.h"

void Window1::AddMenuHandlers()
{
    _AddMenuHandler("FileAboutQuorvane", [this] { return _FileAboutQuorvane_Action(); });
    _AddMenuHandler("FileNewWindow", [this] { return _FileNewWindow_Action(); });
    _AddMenuHandler("FileHelp", [this] { return _FileHelp_Action(); });
}

// The window's commands do what the application's do.

bool Window1::_FileAboutQuorvane_Action()
{
    return instance::App()._FileAboutQuorvane_Action();
}

bool Window1::_FileNewWindow_Action()
{
    return instance::App()._FileNewWindow_Action();
}

bool Window1::_FileHelp_Action()
{
    return instance::App()._FileHelp_Action();
}
