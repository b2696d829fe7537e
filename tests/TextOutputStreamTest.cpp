#include "Exceptions.h"
#include "FolderItem.h"
#include "TextOutputStream.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {
std::string Read(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "(unreadable)";
    return file.readAll().toStdString();
}

void Put(const std::string& path, const std::string& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::optional<IOException> Save(const std::string& path, const std::string& bytes)
{
    try {
        auto stream = TextOutputStream::Create(FolderItem(path));
        stream->Write(bytes);
        stream->Close();
    } catch (const IOException& exception) {
        return exception;
    }
    return std::nullopt;
}

class TextOutputStreamTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    // Everything in the folder, hidden files included.
    QStringList Entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The folder becomes a small file system of its own, in a mount namespace of this test
    // process alone. Gives false where the system does not allow that.
    bool MountSmallFileSystem()
    {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return false;
        mounted_ = ::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
        return mounted_;
    }
    bool MakeReadOnly()
    {
        return ::mount(nullptr, dir_.path().toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    void TearDown() override
    {
        if (mounted_)
            ::umount2(dir_.path().toLocal8Bit().constData(), MNT_DETACH);
    }

    QTemporaryDir dir_;
    bool mounted_ = false;
};
}

TEST_F(TextOutputStreamTest, WritesEveryByteUnchanged)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\r\n\xFD\xFF caf\xC3\xA9 \xE9t\xE9\n";
    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
    stream->Write(bytes.substr(0, 100));
    stream->Write(bytes.substr(100));
    stream->Close();
    EXPECT_EQ(Read(Path("English.txt")), bytes);
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}

TEST_F(TextOutputStreamTest, EmptyTextGivesEmptyFile)
{
    EXPECT_FALSE(Save(Path("empty.txt"), ""));
    EXPECT_EQ(Read(Path("empty.txt")), "");
}

TEST_F(TextOutputStreamTest, NewFileGetsTheUsualPermissions)
{
    const mode_t previous = ::umask(022);
    EXPECT_FALSE(Save(Path("new.txt"), "x"));
    ::umask(previous);
    struct stat status {};
    ASSERT_EQ(::stat(Path("new.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(TextOutputStreamTest, ReplacesAnExistingFileWholeAndKeepsItsPermissions)
{
    Put(Path("English.txt"), std::string(5000, 'o'));
    ASSERT_EQ(::chmod(Path("English.txt").c_str(), 0640), 0);

    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
    stream->Write("new");
    EXPECT_EQ(Read(Path("English.txt")), std::string(5000, 'o')) << "the old file stays until Close";
    stream->Close();

    EXPECT_EQ(Read(Path("English.txt")), "new");
    struct stat status {};
    ASSERT_EQ(::stat(Path("English.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}

TEST_F(TextOutputStreamTest, StreamDroppedWithoutCloseLeavesTheFileAsItWas)
{
    Put(Path("English.txt"), "old");
    TextOutputStream::Create(FolderItem(Path("English.txt")))->Write("new");
    TextOutputStream::Create(FolderItem(Path("other.txt")))->Write("new");
    EXPECT_EQ(Read(Path("English.txt")), "old");
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}

TEST_F(TextOutputStreamTest, WriteAfterCloseIsRefused)
{
    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
    stream->Close();
    try {
        stream->Write("late");
        FAIL() << "no exception";
    } catch (const IOException& exception) {
        EXPECT_EQ(exception.ErrorNumber(), EBADF);
    }
    EXPECT_EQ(Read(Path("English.txt")), "");
}

TEST_F(TextOutputStreamTest, FailuresRaiseWithTheSystemErrorAndLeaveNothingBehind)
{
    ASSERT_TRUE(QDir(QString::fromStdString(Path("folder"))).mkpath("inside"));
    Put(Path("English.txt"), "old");
    const struct {
        std::string target;
        int errorNumber;
        const char* reason;
    } cases[] = {
        {Path("folder"), EISDIR, "Is a directory"},
        {Path("missing") + "/English.txt", ENOENT, "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const auto failure = Save(c.target, "new");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->ErrorNumber(), c.errorNumber);
        EXPECT_NE(std::string(failure->what()).find("\"" + c.target + "\""), std::string::npos) << failure->what();
        EXPECT_NE(std::string(failure->what()).find(c.reason), std::string::npos) << failure->what();
        EXPECT_EQ(Entries(), (QStringList{"English.txt", "folder"}));
        EXPECT_EQ(QDir(QString::fromStdString(Path("folder"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{"inside"});
        EXPECT_EQ(Read(Path("English.txt")), "old");
    }
}

TEST_F(TextOutputStreamTest, TargetTurnedIntoAFolderBeforeCloseFailsTheRename)
{
    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
    stream->Write("new");
    ASSERT_TRUE(QDir(dir_.path()).mkpath("English.txt/inside"));
    try {
        stream->Close();
        FAIL() << "no exception";
    } catch (const IOException& exception) {
        EXPECT_EQ(exception.ErrorNumber(), EISDIR);
    }
    stream.reset();
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}

TEST_F(TextOutputStreamTest, FullDiskKeepsTheOldFile)
{
    if (!MountSmallFileSystem())
        GTEST_SKIP() << "no mount namespace for a small file system here";
    Put(Path("English.txt"), "old");
    const auto failure = Save(Path("English.txt"), std::string(1 << 20, 'x'));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorNumber(), ENOSPC);
    EXPECT_EQ(Read(Path("English.txt")), "old");
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}

TEST_F(TextOutputStreamTest, ReadOnlyFolderKeepsTheOldFile)
{
    if (!MountSmallFileSystem())
        GTEST_SKIP() << "no mount namespace for a small file system here";
    Put(Path("English.txt"), "old");
    ASSERT_TRUE(MakeReadOnly());
    const auto failure = Save(Path("English.txt"), "new");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorNumber(), EROFS);
    EXPECT_EQ(Read(Path("English.txt")), "old");
    EXPECT_EQ(Entries(), QStringList{"English.txt"});
}
