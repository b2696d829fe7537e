#include "Window1.h"

#include "HelpPage.h"
#include "ShowURL.h"
#include "aboutWin.h"

void Window1::AddMenuHandlers()
{
    _AddMenuHandler("FileAboutQuorvane", [this] { return _FileAboutQuorvane_Action(); });
    _AddMenuHandler("FileNewWindow", [this] { return _FileNewWindow_Action(); });
    _AddMenuHandler("FileHelp", [this] { return _FileHelp_Action(); });
}

bool Window1::_FileAboutQuorvane_Action()
{
    instance::aboutWin().Show();
    return false;
}

bool Window1::_FileNewWindow_Action()
{
    instance::Window1().Show();
    return false;
}

bool Window1::_FileHelp_Action()
{
    ShowURL(kHelpPageAddress);
    return false;
}
