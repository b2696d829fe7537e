#pragma once

#include "framework/ThreadCheck.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A menu, a menu item or a separator ("-"); a MenuBar is the item whose children are the menus.
// Menus are the user interface's: a call on any thread but the main one raises ThreadAccessingUIException.
class MenuItem {
public:
    virtual ~MenuItem() = default;

    const std::string& Name() const { return Get().name; }
    void SetName(std::string name) { Get().name = std::move(name); }
    // The caption, "&" before the access key.
    const std::string& Text() const { return Get().text; }
    void SetText(std::string text) { Get().text = std::move(text); }
    bool IsSeparator() const { return Get().text == "-"; }
    // "Cmd+" and a capital letter (Ctrl on Linux); nothing when the shortcut was never set.
    const std::optional<std::string>& KeyboardShortcut() const { return Get().keyboardShortcut; }
    void SetKeyboardShortcut(std::string shortcut) { Get().keyboardShortcut = std::move(shortcut); }
    bool AutoEnable() const { return Get().autoEnable; }
    void SetAutoEnable(bool autoEnable) { Get().autoEnable = autoEnable; }
    bool Visible() const { return Get().visible; }
    void SetVisible(bool visible) { Get().visible = visible; }

    void Append(std::unique_ptr<MenuItem> child) { Get().children.push_back(std::move(child)); }
    int Count() const { return static_cast<int>(Get().children.size()); }
    MenuItem& Item(int index) const { return *Get().children.at(index); }
    // The direct child of that name, or nullptr.
    MenuItem* Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nullptr.
    MenuItem* _Lookup(std::string_view name) const;

private:
    struct State {
        std::string name;
        std::string text;
        std::optional<std::string> keyboardShortcut;
        bool autoEnable = false;
        bool visible = true;
        std::vector<std::unique_ptr<MenuItem>> children;
    };
    // Every call reaches the item's state through here.
    const State& Get() const { return OnMainThread(state_); }
    State& Get() { return OnMainThread(state_); }

    State state_;
};

class MenuBar : public MenuItem {};
