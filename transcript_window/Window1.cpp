#include "transcript_window/Window1.h"

#include "app/MainMenuBar.h"
#include "app/StoredLists.h"

namespace {
const PropertyList kWindowProperties = stored::WindowList({.width = 550,
    .height = 411,
    .title = "Quorvane for YouTube",
    .resizeable = false,
    .maximizeButton = true,
    .composite = true,
    .visible = false});
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
    return _ImplicitInstance<::Window1>();
}
}
