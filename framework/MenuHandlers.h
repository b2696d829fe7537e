#pragma once

#include "framework/ThreadCheck.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class Window;

// Menu handlers bound by item name; a handler gives true when it handled the command. Like every
// menu operation, a call on any thread but the main one raises ThreadAccessingUIException.
class MenuHandlers {
public:
    // Binding a name again replaces its handler and keeps its place.
    void Bind(const std::string& itemName, std::function<bool()> handler);
    bool Has(const std::string& itemName) const { return Find(itemName) != nullptr; }
    // Runs the bound handler through the program boundary, for the window whose menu was used.
    void Run(const std::string& itemName, Window& window) const;
    // The bound item names, in the order they were first bound.
    std::vector<std::string> ItemNames() const;

private:
    using Bindings = std::vector<std::pair<std::string, std::function<bool()>>>;
    // Every call reaches the bindings through here.
    const Bindings& Bound() const { return OnMainThread(handlers_); }
    Bindings& Bound() { return OnMainThread(handlers_); }
    const std::function<bool()>* Find(const std::string& itemName) const;

    Bindings handlers_;
};
