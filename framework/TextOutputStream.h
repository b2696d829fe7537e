#pragma once

#include "framework/FolderItem.h"

#include <memory>
#include <string>

// Writes a file so that it appears whole or not at all: the bytes go to a temporary file in the
// target's folder, anonymous where the file system allows, which Close puts in place of the
// target. Failures raise IOException with the system's error number; a stream destroyed without
// Close leaves the target as it was.
class TextOutputStream {
public:
    // Creates the file, or replaces the one there once the stream is closed; through a symbolic
    // link, the file the link points to. A file the user may not write is refused.
    static std::unique_ptr<TextOutputStream> Create(const FolderItem& file);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Writes the bytes unchanged.
    void Write(const std::string& bytes);
    void Close();

private:
    TextOutputStream(std::string chosenPath, std::string targetPath, std::string folder, std::string temporaryPath, int descriptor);

    // Messages name the file as chosen; the text goes to the file it leads to.
    std::string chosenPath_;
    std::string targetPath_;
    std::string folder_;
    // Empty while the temporary file is anonymous.
    std::string temporaryPath_;
    int descriptor_;
};
