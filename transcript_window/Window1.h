#pragma once

#include "Window.h"

// The main window: the address field, the language list, the options and the download.
class Window1 : public Window {
public:
    std::string ClassName() const override { return "Window1.Window1"; }

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
};

namespace instance {
// The open main window, or a new one, built hidden.
::Window1& Window1();
}
