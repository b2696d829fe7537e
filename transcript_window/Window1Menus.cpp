#include "transcript_window/Window1.h"

#include "app/App.h"
#include "framework/text/Exceptions.h"

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

MenuItem* Window1::MenuItemNamed(std::string_view name) const
{
    MenuBar* bar = GetMenuBar();
    if (!bar)
        throw NilObjectException("The window has no menu bar.");
    return bar->_Lookup(name);
}

MenuItem* Window1::EditMenu() const
{
    return MenuItemNamed("EditMenu");
}

MenuItem* Window1::EditSelectAll() const
{
    return MenuItemNamed("EditSelectAll");
}

MenuItem* Window1::EditSeparator2() const
{
    return MenuItemNamed("EditSeparator2");
}

MenuItem* Window1::EditClear() const
{
    return MenuItemNamed("EditClear");
}

MenuItem* Window1::EditPaste() const
{
    return MenuItemNamed("EditPaste");
}

MenuItem* Window1::EditCopy() const
{
    return MenuItemNamed("EditCopy");
}

MenuItem* Window1::EditCut() const
{
    return MenuItemNamed("EditCut");
}

MenuItem* Window1::EditSeparator1() const
{
    return MenuItemNamed("EditSeparator1");
}

MenuItem* Window1::EditUndo() const
{
    return MenuItemNamed("EditUndo");
}

MenuItem* Window1::FileMenu() const
{
    return MenuItemNamed("FileMenu");
}

MenuItem* Window1::FileHelp() const
{
    return MenuItemNamed("FileHelp");
}

MenuItem* Window1::FileAboutQuorvane() const
{
    return MenuItemNamed("FileAboutQuorvane");
}

MenuItem* Window1::FileNewWindow() const
{
    return MenuItemNamed("FileNewWindow");
}
