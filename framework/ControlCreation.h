#pragma once

// The creation step every control of a declared layout goes through.
#include "framework/PropertyList.h"
#include "framework/Window.h"

#include <algorithm>
#include <string>
#include <variant>

// Makes a control of class T on the window, registers it under the name and finds it again.
template <class T> inline T& Register(Window& window, const std::string& name)
{
    window._AddControl(name, window.__New<T>());
    return window._ControlByName<T>(name);
}

// Makes the control named by its list's "Name" entry, which need not come first, and applies the list to it.
template <class T> inline void Create(Window& window, const PropertyList& list)
{
    auto name = std::find_if(list.begin(), list.end(), [](const PropertyEntry& entry) { return entry.name == "Name"; });
    if (name == list.end())
        throw PropertyListException("A control's list holds no \"Name\".");
    _SetProperties(Register<T>(window, std::get<std::string>(name->value)), list);
}
