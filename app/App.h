#pragma once

#include "Application.h"

// The application object.
class App : public Application {
public:
    void Event_Open() override;
};

namespace instance {
// The registered application object.
::App& App();
}
