#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A menu, a menu item or a separator ("-"); a MenuBar is the item whose children are the menus.
class MenuItem {
public:
    virtual ~MenuItem() = default;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // The caption, "&" before the access key.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    bool IsSeparator() const { return text_ == "-"; }
    // "Cmd+" and a capital letter (Ctrl on Linux); nothing when the shortcut was never set.
    const std::optional<std::string>& KeyboardShortcut() const { return keyboardShortcut_; }
    void SetKeyboardShortcut(std::string shortcut) { keyboardShortcut_ = std::move(shortcut); }
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    void Append(std::unique_ptr<MenuItem> child) { children_.push_back(std::move(child)); }
    int Count() const { return static_cast<int>(children_.size()); }
    MenuItem& Item(int index) const { return *children_.at(index); }
    // The direct child of that name, or nullptr.
    MenuItem* Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nullptr.
    MenuItem* _Lookup(std::string_view name) const;

private:
    std::string name_;
    std::string text_;
    std::optional<std::string> keyboardShortcut_;
    bool autoEnable_ = false;
    bool visible_ = true;
    std::vector<std::unique_ptr<MenuItem>> children_;
};

class MenuBar : public MenuItem {};
