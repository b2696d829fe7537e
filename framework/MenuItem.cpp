#include "framework/MenuItem.h"

MenuItem* MenuItem::Child(std::string_view name) const
{
    for (const auto& child : Get().children)
        if (child->Name() == name)
            return child.get();
    return nullptr;
}

MenuItem* MenuItem::_Lookup(std::string_view name) const
{
    for (const auto& child : Get().children) {
        if (child->Name() == name)
            return child.get();
        if (MenuItem* found = child->_Lookup(name))
            return found;
    }
    return nullptr;
}
