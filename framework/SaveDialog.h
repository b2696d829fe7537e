#pragma once

#include "framework/FolderItem.h"

#include <functional>
#include <optional>
#include <string>

// A modal save dialog in the folder where this run last saved a file (see _SavedIn), or until
// then, or once that folder is gone, in the user's documents folder (home where there is none),
// proposing the name and listing the files of the registered file type named by filter. It asks
// before replacing a file. Gives the chosen file, or nothing when cancelled; nothing, unshown, for code running for a closed window. The
// name proposes a file in that folder, the one Save writes: each "/", double quote, control
// character (C0, DEL, C1), line or paragraph separator and bidirectional control (U+061C, U+200E,
// U+200F, U+202A to U+202E, U+2066 to U+2069) in it becomes "-", and so does a leading "~";
// then a name of more than 255 bytes in UTF-8 is cut at a character boundary before its
// extension (from its last "."), which it keeps, to 255 bytes.
std::optional<FolderItem> GetSaveFolderItem(const std::string& filter, const std::string& proposedName);

// Told by TextOutputStream each time it has saved a file, with the folder's path.
void _SavedIn(const std::string& folderPath);

// Test hook: while set, GetSaveFolderItem shows no dialog. The hook receives what the dialog
// would show (its filter, such as "Text files (*.text *.txt)", empty for an unregistered type,
// and the proposed path) and gives the chosen path, or nothing for a cancelled dialog.
// An empty hook restores the dialog.
using SaveDialogHook = std::function<std::optional<std::string>(const std::string& filter, const std::string& proposedPath)>;
void SetSaveDialogHook(SaveDialogHook hook);
