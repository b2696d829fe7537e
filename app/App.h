#pragma once

#include "framework/Application.h"

// The application object.
class App : public Application {
public:
    void Event_Open() override;
    bool _FileNewWindow_Action();
    bool _FileAboutQuorvane_Action();
    bool _FileHelp_Action();
};

namespace instance {
// The registered application object.
::App& App();
}

// Binds the application's menu handlers, which serve when the active window bound none.
void _ApplicationAddMenuHandlers();
