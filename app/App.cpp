#include "App.h"

#include "Exceptions.h"
#include "Window1.h"

void App::Event_Open()
{
    instance::Window1().Show();
}

namespace instance {
::App& App()
{
    auto* app = dynamic_cast<::App*>(_GetAppObject());
    if (!app)
        throw NilObjectException("The application object is not registered.");
    return *app;
}
}
