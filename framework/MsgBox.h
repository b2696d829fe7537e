#pragma once

#include <functional>
#include <string>

// A modal alert with the text and an OK button; returns once it is dismissed. Shows nothing
// for code running for a window that has been closed.
void MsgBox(const std::string& text);

// Test hook: while set, MsgBox hands its text to the hook and returns at once instead of
// showing a modal box. An empty hook restores the box.
void SetMsgBoxHook(std::function<void(const std::string& text)> hook);
