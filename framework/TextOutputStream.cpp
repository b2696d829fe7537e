#include "TextOutputStream.h"

#include "Exceptions.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
[[noreturn]] void Raise(int errorNumber, const char* action, const std::string& path)
{
    throw IOException(errorNumber, std::string("Cannot ") + action + " \"" + path + "\": " +
                                       std::system_category().message(errorNumber) + ".");
}

// A new file beside the target, named after it and hidden; opened with 0666 so the umask
// applies as to any new file.
int OpenTemporary(const std::string& targetPath, std::string& temporaryPath)
{
    const QFileInfo target(QString::fromStdString(targetPath));
    const std::string prefix = target.absolutePath().toStdString() + "/." + target.fileName().toStdString() + ".";
    std::random_device random;
    for (int attempt = 0;; ++attempt) {
        temporaryPath = prefix + std::to_string(random() % 1000000) + ".tmp";
        const int descriptor = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST || attempt == 100)
            return descriptor;
    }
}
}

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    const std::string targetPath = file.NativePath();
    struct stat existing {};
    const bool exists = ::stat(targetPath.c_str(), &existing) == 0;
    std::string temporaryPath;
    const int descriptor = OpenTemporary(targetPath, temporaryPath);
    if (descriptor < 0)
        Raise(errno, "create", targetPath);
    std::unique_ptr<TextOutputStream> stream(new TextOutputStream(targetPath, temporaryPath, descriptor));
    // The replacement keeps the permissions of the file it replaces.
    if (exists && ::fchmod(descriptor, existing.st_mode & 0777) != 0)
        Raise(errno, "create", targetPath);
    return stream;
}

TextOutputStream::TextOutputStream(std::string targetPath, std::string temporaryPath, int descriptor)
    : targetPath_(std::move(targetPath)), temporaryPath_(std::move(temporaryPath)), descriptor_(descriptor)
{
}

TextOutputStream::~TextOutputStream()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        ::unlink(temporaryPath_.c_str());
    }
}

void TextOutputStream::Write(const std::string& bytes)
{
    if (descriptor_ < 0)
        Raise(EBADF, "write to", targetPath_);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor_, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            Raise(errno, "write to", targetPath_);
        written += static_cast<std::size_t>(count);
    }
}

void TextOutputStream::Close()
{
    if (descriptor_ < 0)
        return;
    // On disk before the rename, so the target never names a file whose data is still missing.
    if (::fsync(descriptor_) != 0)
        Raise(errno, "write to", targetPath_);
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::close(descriptor) != 0 || ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        const int errorNumber = errno;
        ::unlink(temporaryPath_.c_str());
        Raise(errorNumber, "save", targetPath_);
    }
}
