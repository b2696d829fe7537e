#pragma once

#include "framework/FolderItem.h"

#include <memory>
#include <string>
#include <sys/stat.h>

// Writes a file whole or not at all where a rename loses nothing: the bytes go to a temporary file
// in the target's folder, anonymous where the file system allows, which Close puts in place of the
// target, syncing the folder after so that the save outlasts a power loss. Where a rename would
// lose something (the target is reached through a symbolic link, has other hard links, has an ACL
// or extended attributes, has an owner or group the saver cannot give, or lies in a folder the
// saver may not write), Close writes the file in place. The folder is held open from Create to
// Close, so every step happens in the folder Create found. Failures raise IOException with the
// system's error number, and every later Write and Close raise the same again, so a Close after a
// failed Write cannot pass for a save; a stream destroyed without Close leaves the target as it
// was.
class TextOutputStream {
public:
    // Creates the file, or replaces the one there once the stream is closed; through a symbolic
    // link, the file the link points to, as the kernel follows it (a link to no file yet makes
    // that file now). A file the user may not write and anything that is not a regular file are
    // refused.
    static std::unique_ptr<TextOutputStream> Create(const FolderItem& file);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Writes the bytes unchanged.
    void Write(const std::string& bytes);
    // Saves the file; the next save dialogs open in its folder.
    void Close();

private:
    enum class Placing { NewName, Replacing, InPlace };

    TextOutputStream(std::string chosenPath, int folder, std::string folderPath, std::string name);
    void Open();
    bool HasAttributesOfItsOwn() const;
    bool OpenTemporary();
    bool OpenReplacement(const struct stat& replaced);
    void OpenInPlace();
    void WriteOver();
    void Place();
    void SyncFolder();
    void Discard();
    [[noreturn]] void Fail(int errorNumber, const char* action);

    // Messages name the file as chosen.
    std::string chosenPath_;
    int folder_;
    // The folder of the chosen path, made absolute.
    std::string folderPath_;
    // The last component of the chosen path, looked up in folder_.
    std::string name_;
    Placing placing_ = Placing::NewName;
    // The temporary file, or in place the target itself.
    int descriptor_ = -1;
    // Empty while the temporary file is anonymous.
    std::string temporaryName_;
    // In place the text waits here for Close, so the file keeps its old text until then.
    std::string pending_;
    // The failure that ended the stream, 0 while there is none, and the action it names.
    int failure_ = 0;
    const char* failedAction_ = nullptr;
};
