#include "framework/TextOutputStream.h"

#include "framework/text/Exceptions.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
[[noreturn]] void Raise(int errorNumber, const char* action, const std::string& path)
{
    throw IOException(
        errorNumber, std::string("Cannot ") + action + " \"" + path + "\": " + std::system_category().message(errorNumber) + ".");
}

// Gives make fresh hidden names in the folder until one is free. The names are short and not
// made from the target's, so any name the folder accepts can be saved.
bool UnderFreshName(const std::string& folder, std::string& path, const std::function<bool(const std::string&)>& make)
{
    std::random_device random;
    for (int attempt = 0; attempt <= 100; ++attempt) {
        path = folder + "/." + std::to_string(random() % 1000000) + ".tmp";
        if (make(path))
            return true;
        if (errno != EEXIST)
            break;
    }
    path.clear();
    return false;
}

// The file that path leads to once every symbolic link on the way is followed, so that saving
// through a link changes the file it points to and keeps the link. Raises ELOOP as open would.
std::string FinalTarget(const std::string& path)
{
    std::filesystem::path target = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code notALink;
        const std::filesystem::path next = std::filesystem::read_symlink(target, notALink);
        if (notALink)
            return target.string();
        target = target.parent_path() / next;
    }
    Raise(ELOOP, "create", path);
}

// Anonymous, so a writer that dies leaves nothing behind; a named file where the file system has
// no anonymous ones (temporaryPath then names it). Opened with 0666 so the umask applies as to
// any new file.
int OpenTemporary(const std::string& folder, std::string& temporaryPath)
{
    const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // EISDIR: a kernel that does not know O_TMPFILE.
    if (descriptor >= 0 || (errno != EOPNOTSUPP && errno != EISDIR))
        return descriptor;
    int named = -1;
    UnderFreshName(folder, temporaryPath, [&named](const std::string& path) {
        named = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return named >= 0;
    });
    return named;
}
}

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    const std::string chosenPath = file.NativePath();
    const std::string targetPath = FinalTarget(chosenPath);
    const std::string folder = QFileInfo(QString::fromStdString(targetPath)).absolutePath().toStdString();
    struct stat existing {};
    const bool exists = ::stat(targetPath.c_str(), &existing) == 0;
    // The rename only needs the folder's permission; refuse a file the user may not write, as
    // opening it for writing would.
    if (exists && ::faccessat(AT_FDCWD, targetPath.c_str(), W_OK, AT_EACCESS) != 0)
        Raise(errno, "create", chosenPath);
    std::string temporaryPath;
    const int descriptor = OpenTemporary(folder, temporaryPath);
    if (descriptor < 0)
        Raise(errno, "create", chosenPath);
    std::unique_ptr<TextOutputStream> stream(new TextOutputStream(chosenPath, targetPath, folder, temporaryPath, descriptor));
    // The replacement keeps the permissions of the file it replaces.
    if (exists && ::fchmod(descriptor, existing.st_mode & 0777) != 0)
        Raise(errno, "create", chosenPath);
    return stream;
}

TextOutputStream::TextOutputStream(
    std::string chosenPath, std::string targetPath, std::string folder, std::string temporaryPath, int descriptor)
    : chosenPath_(std::move(chosenPath)),
      targetPath_(std::move(targetPath)),
      folder_(std::move(folder)),
      temporaryPath_(std::move(temporaryPath)),
      descriptor_(descriptor)
{
}

TextOutputStream::~TextOutputStream()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        if (!temporaryPath_.empty())
            ::unlink(temporaryPath_.c_str());
    }
}

void TextOutputStream::Write(const std::string& bytes)
{
    if (descriptor_ < 0)
        Raise(EBADF, "write to", chosenPath_);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor_, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            Raise(errno, "write to", chosenPath_);
        written += static_cast<std::size_t>(count);
    }
}

void TextOutputStream::Close()
{
    if (descriptor_ < 0)
        return;
    // On disk before the rename, so the target never names a file whose data is still missing.
    if (::fsync(descriptor_) != 0)
        Raise(errno, "write to", chosenPath_);
    const int descriptor = descriptor_;
    descriptor_ = -1;
    // A complete anonymous file gets a name only now, since rename needs one.
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    if (temporaryPath_.empty() && !UnderFreshName(folder_, temporaryPath_, [&self](const std::string& path) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
        })) {
        const int errorNumber = errno;
        ::close(descriptor);
        Raise(errorNumber, "save", chosenPath_);
    }
    if (::close(descriptor) != 0 || ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        const int errorNumber = errno;
        ::unlink(temporaryPath_.c_str());
        Raise(errorNumber, "save", chosenPath_);
    }
}
