#include "framework/TextOutputStream.h"

#include "framework/SaveDialog.h"
#include "framework/text/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string_view>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {
[[noreturn]] void Raise(int errorNumber, const char* action, const std::string& path, const std::string& reason)
{
    throw IOException(errorNumber, std::string("Cannot ") + action + " \"" + path + "\": " + reason + ".");
}

[[noreturn]] void Raise(int errorNumber, const char* action, const std::string& path)
{
    Raise(errorNumber, action, path, std::system_category().message(errorNumber));
}

// Only a regular file is replaced or written over; a device, a pipe or a socket is left as it
// is, whatever opening it would do.
void RefuseUnlessRegular(const struct stat& status, const std::string& path)
{
    if (S_ISDIR(status.st_mode))
        Raise(EISDIR, "create", path);
    if (!S_ISREG(status.st_mode))
        Raise(EINVAL, "create", path, "Not a regular file");
}

// Gives make fresh hidden names until one is free. The names are short and not made from the
// target's, so any name the folder accepts can be saved.
bool UnderFreshName(std::string& name, const std::function<bool(const std::string&)>& make)
{
    std::random_device random;
    for (int attempt = 0; attempt <= 100; ++attempt) {
        name = "." + std::to_string(random() % 1000000) + ".tmp";
        if (make(name))
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// The umask as /proc tells it: umask() would set it, for every thread, until set back.
std::optional<mode_t> CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::strtoul(line.c_str() + std::strlen("Umask:"), nullptr, 8) & 0777);
    }
    return std::nullopt;
}

bool WriteAll(int descriptor, std::string_view bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            written += static_cast<std::size_t>(count);
    }
    return true;
}
}

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    const std::string chosenPath = file.NativePath();
    const std::filesystem::path path = chosenPath;
    // A path that ends in a separator names a folder, refused as one.
    const std::string folderPath = path.has_parent_path() ? path.parent_path().string() : ".";
    const std::string name = path.has_filename() ? path.filename().string() : ".";
    // The folder's path is looked up once, here: whoever may change the folders on the way
    // cannot move a later step elsewhere.
    const int folder = ::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        Raise(errno, "create", chosenPath);
    // As an absolute path, for the next save dialogs; empty where the working folder is gone.
    std::error_code noFolder;
    const std::string absoluteFolder = std::filesystem::absolute(folderPath, noFolder).lexically_normal().string();
    std::unique_ptr<TextOutputStream> stream(new TextOutputStream(chosenPath, folder, absoluteFolder, name));
    stream->Open();
    return stream;
}

TextOutputStream::TextOutputStream(std::string chosenPath, int folder, std::string folderPath, std::string name)
    : chosenPath_(std::move(chosenPath)), folder_(folder), folderPath_(std::move(folderPath)), name_(std::move(name))
{
}

TextOutputStream::~TextOutputStream()
{
    Discard();
    ::close(folder_);
}

void TextOutputStream::Open()
{
    struct stat entry {};
    if (::fstatat(folder_, name_.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            Raise(errno, "create", chosenPath_);
        if (!OpenTemporary())
            Raise(errno, "create", chosenPath_);
        placing_ = Placing::NewName;
        return;
    }
    if (S_ISLNK(entry.st_mode)) {
        // The kernel follows the link, with the limits and protections open has; a rename
        // would replace the link, so the file it leads to is written in place.
        const int target = ::openat(folder_, name_.c_str(), O_PATH | O_CLOEXEC);
        if (target < 0 && errno != ENOENT)
            Raise(errno, "create", chosenPath_);
        if (target >= 0) {
            const int errorNumber = ::fstat(target, &entry) == 0 ? 0 : errno;
            ::close(target);
            if (errorNumber != 0)
                Raise(errorNumber, "create", chosenPath_);
            RefuseUnlessRegular(entry, chosenPath_);
        }
        OpenInPlace();
        return;
    }
    RefuseUnlessRegular(entry, chosenPath_);
    // The rename only needs the folder's permission; refuse a file the user may not write, as
    // opening it for writing would.
    if (::faccessat(folder_, name_.c_str(), W_OK, AT_EACCESS) != 0)
        Raise(errno, "create", chosenPath_);
    // A rename would part a file from its other names, and leave its ACL and attributes behind.
    if (entry.st_nlink > 1 || HasAttributesOfItsOwn() || !OpenReplacement(entry))
        OpenInPlace();
}

// An ACL shows as an attribute too. The security labels the system gives every file do not count,
// as a new file gets its own.
bool TextOutputStream::HasAttributesOfItsOwn() const
{
    // Through the held folder; listing through an O_PATH descriptor is not allowed everywhere.
    const std::string entry = "/proc/self/fd/" + std::to_string(folder_) + "/" + name_;
    std::string names;
    ssize_t listed = 0;
    do {
        listed = ::llistxattr(entry.c_str(), nullptr, 0);
        if (listed > 0) {
            names.resize(static_cast<std::size_t>(listed));
            listed = ::llistxattr(entry.c_str(), names.data(), names.size());
        }
        // ERANGE: the list grew since its size was asked.
    } while (listed < 0 && errno == ERANGE);
    // ENOTSUP, which is EOPNOTSUPP here: a file system without attributes.
    if (listed < 0 && errno == ENOTSUP)
        return false;
    if (listed < 0)
        Raise(errno, "create", chosenPath_);
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = std::min(names.find('\0', start), names.size());
        if (!std::string_view(names).substr(start, end - start).starts_with("security."))
            return true;
        start = end + 1;
    }
    return false;
}

// Anonymous, so a writer that dies leaves nothing behind; a named file where the file system has
// no anonymous ones (temporaryName_ then names it). The anonymous file is opened with 0666 so the
// umask applies as to any new file; the named one with 0600, since whoever opens it by name before
// it gets its final mode keeps reading what is written to it.
bool TextOutputStream::OpenTemporary()
{
    descriptor_ = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // EISDIR: a kernel that does not know O_TMPFILE; the others: file systems that refuse it.
    if (descriptor_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == ENOSYS || errno == EINVAL)) {
        UnderFreshName(temporaryName_, [this](const std::string& name) {
            descriptor_ = ::openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return descriptor_ >= 0;
        });
    }
    return descriptor_ >= 0;
}

// Gives false where the replacement cannot have everything of the replaced file that a rename
// would otherwise lose: a folder the user may not write, or an owner or group the user cannot
// give.
bool TextOutputStream::OpenReplacement(const struct stat& replaced)
{
    if (!OpenTemporary()) {
        if (errno != EACCES && errno != EPERM)
            Raise(errno, "create", chosenPath_);
        return false;
    }
    struct stat made {};
    if (::fstat(descriptor_, &made) != 0)
        Fail(errno, "create");
    if ((made.st_uid != replaced.st_uid || made.st_gid != replaced.st_gid)
        && ::fchown(descriptor_, replaced.st_uid, replaced.st_gid) != 0) {
        // EINVAL: an owner or group the user namespace has no number for.
        if (errno != EPERM && errno != EINVAL)
            Fail(errno, "create");
        Discard();
        return false;
    }
    // After the owner, whose change can clear permission bits.
    if (::fchmod(descriptor_, replaced.st_mode & 0777) != 0)
        Fail(errno, "create");
    placing_ = Placing::Replacing;
    return true;
}

// Opened now, so that a file the user may not write is refused before anything is written.
// O_CREAT: a link to no file yet makes that file, as open makes it. O_NONBLOCK and O_NOCTTY: a
// pipe or device put there since the check neither blocks nor becomes the terminal before it is
// refused.
void TextOutputStream::OpenInPlace()
{
    descriptor_ = ::openat(folder_, name_.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor_ < 0)
        Raise(errno, "create", chosenPath_);
    struct stat opened {};
    if (::fstat(descriptor_, &opened) != 0)
        Raise(errno, "create", chosenPath_);
    RefuseUnlessRegular(opened, chosenPath_);
    placing_ = Placing::InPlace;
}

void TextOutputStream::Discard()
{
    if (descriptor_ >= 0)
        ::close(std::exchange(descriptor_, -1));
    if (!temporaryName_.empty())
        ::unlinkat(folder_, std::exchange(temporaryName_, std::string()).c_str(), 0);
}

// Ends the stream: a temporary file goes, and later calls raise the same failure.
void TextOutputStream::Fail(int errorNumber, const char* action)
{
    Discard();
    failure_ = errorNumber;
    failedAction_ = action;
    Raise(errorNumber, action, chosenPath_);
}

void TextOutputStream::Write(const std::string& bytes)
{
    if (failure_ != 0)
        Raise(failure_, failedAction_, chosenPath_);
    if (descriptor_ < 0)
        Raise(EBADF, "write to", chosenPath_);
    if (placing_ == Placing::InPlace)
        pending_ += bytes;
    else if (!WriteAll(descriptor_, bytes))
        Fail(errno, "write to");
}

void TextOutputStream::Close()
{
    if (failure_ != 0)
        Raise(failure_, failedAction_, chosenPath_);
    if (descriptor_ < 0)
        return;
    if (placing_ == Placing::InPlace)
        WriteOver();
    // A named new file gets the mode any new file gets only now: until then it is the saver's
    // alone. Where the umask cannot be read it stays so.
    if (placing_ == Placing::NewName && !temporaryName_.empty()) {
        const std::optional<mode_t> mask = CurrentUmask();
        if (mask && ::fchmod(descriptor_, 0666 & ~*mask) != 0)
            Fail(errno, "save");
    }
    // On disk before the rename, so the name never leads to a file whose data is still missing.
    if (::fsync(descriptor_) != 0)
        Fail(errno, "write to");
    Place();
    if (placing_ != Placing::InPlace)
        SyncFolder();
    _SavedIn(folderPath_);
}

// Space for the whole text is taken before any of it is written. Where the file system cannot
// take space ahead, the part beyond the old end is written first and cut off again if that fails;
// only then is the old part overwritten. Either way a full disk leaves the old text, unless
// overwriting takes new space too, as on copy-on-write file systems.
void TextOutputStream::WriteOver()
{
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0)
        Fail(errno, "write to");
    const std::string_view text = pending_;
    const auto size = static_cast<off_t>(text.size());
    if (size > 0 && ::fallocate(descriptor_, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP)
        Fail(errno, "write to");
    const off_t overwritten = std::min(status.st_size, size);
    const auto head = static_cast<std::size_t>(overwritten);
    if (size > overwritten && (::lseek(descriptor_, overwritten, SEEK_SET) < 0 || !WriteAll(descriptor_, text.substr(head)))) {
        const int errorNumber = errno;
        Fail(::ftruncate(descriptor_, status.st_size) == 0 ? errorNumber : errno, "write to");
    }
    if (::lseek(descriptor_, 0, SEEK_SET) < 0 || !WriteAll(descriptor_, text.substr(0, head)) || ::ftruncate(descriptor_, size) != 0)
        Fail(errno, "write to");
    pending_.clear();
}

// Gives the written file its name; a new file's name without replacing anything that came there
// since Create.
void TextOutputStream::Place()
{
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    const auto linkSelf
        = [&](const std::string& name) { return ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0; };
    if (placing_ == Placing::NewName && temporaryName_.empty() && !linkSelf(name_))
        Fail(errno, "save");
    // A complete anonymous file gets a name only now, since rename needs one.
    if (placing_ == Placing::Replacing && temporaryName_.empty() && !UnderFreshName(temporaryName_, linkSelf))
        Fail(errno, "save");
    if (::close(std::exchange(descriptor_, -1)) != 0)
        Fail(errno, "save");
    if (temporaryName_.empty())
        return;
    const char* from = temporaryName_.c_str();
    const char* to = name_.c_str();
    bool placed = false;
    if (placing_ == Placing::Replacing) {
        placed = ::renameat(folder_, from, folder_, to) == 0;
    } else {
        placed = ::renameat2(folder_, from, folder_, to, RENAME_NOREPLACE) == 0;
        // EINVAL: a file system without such renames, where a second name does the same.
        if (!placed && errno == EINVAL && ::linkat(folder_, from, folder_, to, 0) == 0) {
            placed = true;
            ::unlinkat(folder_, from, 0);
        }
    }
    if (!placed)
        Fail(errno, "save");
    temporaryName_.clear();
}

// Until the folder is on disk, a power loss can bring back the old file, or no file for a new
// name.
void TextOutputStream::SyncFolder()
{
    const int readable = ::openat(folder_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the saver may write but not read cannot be synced.
    if (readable < 0 && errno == EACCES)
        return;
    if (readable < 0)
        Fail(errno, "save");
    // EINVAL: a file system that does not sync folders.
    int errorNumber = ::fsync(readable) == 0 || errno == EINVAL ? 0 : errno;
    if (::close(readable) != 0 && errorNumber == 0)
        errorNumber = errno;
    if (errorNumber != 0)
        Fail(errorNumber, "save");
}
