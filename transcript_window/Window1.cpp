#include "Window1.h"

#include "MainMenuBar.h"

namespace {
const PropertyList kWindowProperties = {
    {"Width", 550},
    {"Height", 411},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    {"Frame", 0},
    {"Title", std::string("Quorvane for YouTube")},
    {"CloseButton", true},
    {"Resizeable", false},
    {"MaximizeButton", true},
    {"MinimizeButton", true},
    {"FullScreenButton", false},
    {"Composite", true},
    {"MacProcID", 0},
    {"Placement", 0},
    {"Visible", false},
    {"LiveResize", true},
    {"FullScreen", false},
    {"HasBackColor", false},
    {"BackColor", RGB(255, 255, 255)},
    {"MenuBarVisible", true},
};
}

void Window1::Layout()
{
    SetMenuBar(instance::MainMenuBar());
    _SetProperties(*this, kWindowProperties);
}

void Window1::CreateControls()
{
    _CreateControls0();
}

namespace instance {
::Window1& Window1()
{
    if (Window* open = _GetImplicitWindow("Window1.Window1"))
        return dynamic_cast<::Window1&>(*open);
    return Window::Construct<::Window1>();
}
}
