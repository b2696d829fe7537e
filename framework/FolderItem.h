#pragma once

#include <string>

// A place in the file system, which may or may not hold a file yet.
class FolderItem {
public:
    explicit FolderItem(std::string nativePath);

    // The last component of the path: the file's name.
    std::string Name() const;
    std::string NativePath() const { return nativePath_; }
    bool Exists() const;

    // Opens the file in the desktop's default application for it. Whether that application
    // comes to the front is the desktop's decision, so activate changes nothing here.
    void Launch(bool activate = true) const;

private:
    std::string nativePath_;
};
