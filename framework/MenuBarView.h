#pragma once

class MenuBar;
class QMenuBar;
class Window;

// Shows a menu bar on a window. A chosen item runs the handler the window bound to its name; only
// when the window bound none, the application's; an Edit item with neither does its standard command
// on the focused text control.
QMenuBar* BuildMenuBarView(const MenuBar& menuBar, Window& window);
