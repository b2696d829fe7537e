#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QObject;
class QWidget;

// The standard editing commands, which a text control carries out on its own text.
enum class EditCommand { Undo, Cut, Copy, Paste, Clear, SelectAll };

// The command of a standard Edit item, known by the item's name.
std::optional<EditCommand> EditCommandNamed(std::string_view itemName);

// Whether the control can carry out the command at this moment; a control that holds no text never can.
bool CanRun(EditCommand command, const QWidget* control);

// Carries out the command on the control, when it can.
void Run(EditCommand command, QWidget* control);

// Calls changed whenever what a text control can carry out may have changed (its text, selection,
// undo history, read-only state or the clipboard), as long as the returned watch lives.
std::unique_ptr<QObject> WatchEditState(QWidget* control, std::function<void()> changed);
