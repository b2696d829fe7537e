#pragma once

class MenuBar;
class QMenuBar;
class Window;

// Shows a menu bar on a window. A chosen item runs the handler the window bound to its name; only
// when the window bound none, the application's; an Edit item with neither does its standard command
// on the focused text control, and one that enables itself is enabled exactly while that control can
// carry the command out, so that its shortcut otherwise reaches the control.
QMenuBar* BuildMenuBarView(const MenuBar& menuBar, Window& window);
