#pragma once

#include <functional>
#include <map>
#include <string>

// Menu handlers bound by item name; a handler gives true when it handled the command.
class MenuHandlers {
public:
    void Bind(const std::string& itemName, std::function<bool()> handler) { handlers_[itemName] = std::move(handler); }
    bool Has(const std::string& itemName) const { return handlers_.contains(itemName); }
    // Runs the bound handler through the program boundary.
    void Run(const std::string& itemName) const;

private:
    std::map<std::string, std::function<bool()>> handlers_;
};
