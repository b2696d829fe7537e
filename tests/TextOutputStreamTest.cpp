#include "framework/TextOutputStream.h"
#include "framework/FolderItem.h"
#include "framework/text/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// Everything in the folder, hidden files and broken links included.
QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

mode_t Permissions(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Unprivileged: the child runs as nobody when the test runs as root, who may write anything.
// WithoutAnonymousFiles: the child's file systems seem to lack anonymous temporary files.
enum ChildSetting { Unprivileged = 1, WithoutAnonymousFiles = 2 };
constexpr uid_t kNobody = 65534;

bool BarAnonymousFiles()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program {static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

struct ChildEnd {
    std::string report;
    int status;
};

// Runs work in a forked child set up as asked; gives what work returned and how the child ended.
ChildEnd RunInChild(int settings, const std::function<std::string()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {"no pipe", -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report;
        if ((settings & Unprivileged) && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            report = "cannot become nobody";
        else if ((settings & WithoutAnonymousFiles) && !BarAnonymousFiles())
            report = "cannot bar anonymous files";
        else
            report = work();
        [[maybe_unused]] const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(count));
    ::close(channel[0]);
    int status = -1;
    ::waitpid(child, &status, 0);
    return {report, status};
}

// Save, in a child process set up as asked.
std::optional<IOException> SaveInChild(int settings, const std::string& path, const std::string& bytes)
{
    const std::string report = RunInChild(settings, [&] {
        const auto failure = Save(path, bytes);
        return failure ? std::to_string(failure->ErrorNumber()) + " " + failure->what() : std::string("saved");
    }).report;
    if (report == "saved")
        return std::nullopt;
    const std::size_t space = report.find(' ');
    return IOException(space == std::string::npos ? -1 : std::atoi(report.substr(0, space).c_str()), report);
}

class TextOutputStreamTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    QStringList Entries() const { return EntriesOf(dir_.path()); }

    // The folder becomes a small file system of its own, in a mount namespace of this test
    // process alone. Gives false where the system does not allow that.
    bool MountSmallFileSystem()
    {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return false;
        mounted_ = ::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
        return mounted_;
    }
    bool MakeReadOnly() { return ::mount(nullptr, dir_.path().toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }
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
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
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
    EXPECT_EQ(Entries(), QStringList {"English.txt"}) << "the text being written has no name yet";
    stream->Close();

    EXPECT_EQ(Read(Path("English.txt")), "new");
    struct stat status {};
    ASSERT_EQ(::stat(Path("English.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
}

TEST_F(TextOutputStreamTest, StreamDroppedWithoutCloseLeavesTheFileAsItWas)
{
    Put(Path("English.txt"), "old");
    TextOutputStream::Create(FolderItem(Path("English.txt")))->Write("new");
    TextOutputStream::Create(FolderItem(Path("other.txt")))->Write("new");
    EXPECT_EQ(Read(Path("English.txt")), "old");
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
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
        EXPECT_EQ(Entries(), (QStringList {"English.txt", "folder"}));
        EXPECT_EQ(QDir(QString::fromStdString(Path("folder"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList {"inside"});
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
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
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
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
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
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
}

TEST_F(TextOutputStreamTest, AnyNameTheFolderAcceptsSaves)
{
    for (const int settings : {0, int(WithoutAnonymousFiles)}) {
        for (const std::size_t length : {244u, 255u}) {
            for (const bool existing : {false, true}) {
                const std::string name = std::string(length - 4, 'n') + ".txt";
                SCOPED_TRACE((settings ? "named, " : "anonymous, ") + std::to_string(length) + (existing ? ", existing" : ", new"));
                if (existing) {
                    Put(Path(name.c_str()), "old");
                    ASSERT_EQ(::chmod(Path(name.c_str()).c_str(), 0600), 0);
                }
                const auto failure = SaveInChild(settings, Path(name.c_str()), "new");
                EXPECT_FALSE(failure) << failure->what();
                EXPECT_EQ(Read(Path(name.c_str())), "new");
                if (existing) {
                    EXPECT_EQ(Permissions(Path(name.c_str())), 0600u);
                }
                EXPECT_EQ(Entries(), QStringList {QString::fromStdString(name)});
                ASSERT_TRUE(QFile::remove(QString::fromStdString(Path(name.c_str()))));
            }
        }
    }
}

TEST_F(TextOutputStreamTest, WritesThroughSymbolicLinksAndKeepsThem)
{
    // Links are made in order, "@" standing for the folder; the text goes through "link.txt".
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;
        const char* linkPath;
        const char* file;
        bool fileExists;
    } cases[] = {
        {"relative", {{"link.txt", "real/English.txt"}}, "link.txt", "real/English.txt", true},
        {"absolute", {{"link.txt", "@/real/English.txt"}}, "link.txt", "real/English.txt", true},
        {"chain", {{"hop.txt", "real/English.txt"}, {"link.txt", "hop.txt"}}, "link.txt", "real/English.txt", true},
        {"relative to the link's folder", {{"links/link.txt", "../real/English.txt"}}, "links/link.txt", "real/English.txt", true},
        {"to a file not there yet", {{"link.txt", "real/New.txt"}}, "link.txt", "real/New.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const std::string root = folder.path().toStdString();
        ASSERT_TRUE(QDir(folder.path()).mkpath("real") && QDir(folder.path()).mkpath("links"));
        if (c.fileExists) {
            Put(root + "/" + c.file, "old");
            ASSERT_EQ(::chmod((root + "/" + c.file).c_str(), 0640), 0);
        }
        for (const auto& [link, text] : c.links) {
            const std::string target = text[0] == '@' ? root + text.substr(1) : text;
            ASSERT_EQ(::symlink(target.c_str(), (root + "/" + link).c_str()), 0);
        }
        const QStringList before = EntriesOf(folder.path());

        const auto failure = Save(root + "/" + c.linkPath, "new");
        ASSERT_FALSE(failure) << failure->what();

        EXPECT_EQ(Read(root + "/" + c.file), "new");
        if (c.fileExists) {
            EXPECT_EQ(Permissions(root + "/" + c.file), 0640u);
        }
        for (const auto& [link, text] : c.links)
            EXPECT_TRUE(QFileInfo(QString::fromStdString(root + "/" + link)).isSymLink()) << link;
        EXPECT_EQ(EntriesOf(folder.path()), before);
        EXPECT_EQ(EntriesOf(folder.path() + "/real"), QStringList {QFileInfo(c.file).fileName()});
    }
}

TEST_F(TextOutputStreamTest, LinkThatLeadsNowhereIsRefused)
{
    ASSERT_EQ(::symlink("loop.txt", Path("loop.txt").c_str()), 0);
    const auto failure = Save(Path("loop.txt"), "new");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorNumber(), ELOOP);
    EXPECT_NE(std::string(failure->what()).find("\"" + Path("loop.txt") + "\""), std::string::npos) << failure->what();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("loop.txt"))).isSymLink());
    EXPECT_EQ(Entries(), QStringList {"loop.txt"});
}

TEST_F(TextOutputStreamTest, FileTheUserMayNotWriteIsRefusedAndUntouched)
{
    // The folder is the user's, so only the file's own permissions stand in the way.
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0777), 0);
    Put(Path("mine.txt"), "old");
    ASSERT_EQ(::chmod(Path("mine.txt").c_str(), 0444), 0);
    ASSERT_EQ(::symlink("mine.txt", Path("link.txt").c_str()), 0);
    std::vector<std::string> targets = {"mine.txt", "link.txt"};
    if (root) {
        ASSERT_EQ(::lchown(Path("mine.txt").c_str(), kNobody, kNobody), 0);
        Put(Path("roots.txt"), "old");
        ASSERT_EQ(::chmod(Path("roots.txt").c_str(), 0644), 0);
        targets.push_back("roots.txt");
    }
    const QStringList before = Entries();
    for (const std::string& name : targets) {
        SCOPED_TRACE(name);
        const auto failure = SaveInChild(Unprivileged, Path(name.c_str()), "new");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->ErrorNumber(), EACCES) << failure->what();
        EXPECT_NE(std::string(failure->what()).find("\"" + Path(name.c_str()) + "\""), std::string::npos) << failure->what();
        EXPECT_NE(std::string(failure->what()).find("Permission denied"), std::string::npos) << failure->what();
        EXPECT_EQ(Read(Path(name.c_str())), "old");
        EXPECT_EQ(Entries(), before);
    }
    EXPECT_EQ(Permissions(Path("mine.txt")), 0444u);
}

TEST_F(TextOutputStreamTest, WriterKilledBeforeCloseLeavesOnlyTheOldFile)
{
    Put(Path("English.txt"), "old");
    const ChildEnd end = RunInChild(0, [&] {
        auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
        for (int i = 0; i < 64; ++i)
            stream->Write(std::string(1 << 17, 'x'));
        ::kill(::getpid(), SIGKILL);
        return std::string("not killed");
    });
    ASSERT_TRUE(WIFSIGNALED(end.status)) << end.report;
    EXPECT_EQ(WTERMSIG(end.status), SIGKILL);
    EXPECT_EQ(Read(Path("English.txt")), "old");
    EXPECT_EQ(Entries(), QStringList {"English.txt"});
}
