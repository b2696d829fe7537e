#include "framework/MenuHandlers.h"

#include "framework/ProgramBoundary.h"

#include <algorithm>

void MenuHandlers::Bind(const std::string& itemName, std::function<bool()> handler)
{
    for (auto& [name, bound] : Bound())
        if (name == itemName) {
            bound = std::move(handler);
            return;
        }
    Bound().emplace_back(itemName, std::move(handler));
}

const std::function<bool()>* MenuHandlers::Find(const std::string& itemName) const
{
    const Bindings& bindings = Bound();
    auto bound = std::find_if(bindings.begin(), bindings.end(), [&](const auto& entry) { return entry.first == itemName; });
    return bound != bindings.end() ? &bound->second : nullptr;
}

void MenuHandlers::Run(const std::string& itemName, Window& window) const
{
    // A copy: the handler may bind its own name anew while it runs.
    if (const std::function<bool()>* handler = Find(itemName))
        CallProgram([run = *handler] { run(); }, &window);
}

std::vector<std::string> MenuHandlers::ItemNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, handler] : Bound())
        names.push_back(name);
    return names;
}
