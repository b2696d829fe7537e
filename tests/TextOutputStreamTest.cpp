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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <memory>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <ucontext.h>
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

std::string AttributeOf(const std::string& path, const char* name)
{
    char value[256];
    const ssize_t size = ::lgetxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? std::string("(none)") : std::string(value, static_cast<std::size_t>(size));
}

// How a forked child is set up.
struct ChildSetting {
    // The child runs as nobody when the test runs as root, who may write anything.
    bool unprivileged = false;
    // Where not 0, the child's file systems refuse anonymous temporary files with this error.
    int anonymousFileError = 0;
    // Where not 0, they refuse renames that must not replace with this error.
    int noReplaceError = 0;
    // Where not 0, a change of a file's owner or group is refused with this error.
    int ownerChangeError = 0;
    // Where not 0, reserving space for a file is refused with this error.
    int reserveError = 0;
    // Where set, a folder's fsync is answered with this error (0: none) and not done; see
    // AnswerFsync.
    std::optional<int> folderSyncAnswer = std::nullopt;

    bool operator==(const ChildSetting&) const = default;
};
constexpr uid_t kNobody = 65534;
// A user and a group of nobody's but the test's.
constexpr uid_t kOther = 4321;

// The ACL as system.posix_acl_access holds it: owner read and write, user kOther read and write,
// group read, mask read and write, others read.
std::string AclLettingOtherWrite()
{
    constexpr std::uint32_t kNoId = 0xFFFFFFFF;
    const struct {
        std::uint16_t tag;
        std::uint16_t permissions;
        std::uint32_t id;
    } entries[] = {{0x01, 6, kNoId}, {0x02, 6, kOther}, {0x04, 4, kNoId}, {0x10, 6, kNoId}, {0x20, 4, kNoId}};
    std::string acl;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    put(2, 4);
    for (const auto& entry : entries) {
        put(entry.tag, 2);
        put(entry.permissions, 2);
        put(entry.id, 4);
    }
    return acl;
}

// The name and text that AnswerFsync looks for in a synced folder.
constexpr char kSyncedName[] = "English.txt";
constexpr char kSyncedText[] = "new";
volatile sig_atomic_t gFolderSyncAnswer = 0;
// Syncs of a folder where kSyncedName already leads to kSyncedText.
volatile sig_atomic_t gFolderSyncsAfterPlacing = 0;

// Takes the fsync trapped in a child: a file's is done, as fdatasync, which is not trapped; a
// folder's is answered with gFolderSyncAnswer.
void AnswerFsync(int, siginfo_t*, [[maybe_unused]] void* context)
{
#if defined(__x86_64__)
    const int savedErrno = errno;
    greg_t* registers = static_cast<ucontext_t*>(context)->uc_mcontext.gregs;
    const int descriptor = static_cast<int>(registers[REG_RDI]);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISDIR(status.st_mode)) {
        registers[REG_RAX] = ::syscall(SYS_fdatasync, descriptor) == 0 ? 0 : -errno;
    } else {
        if (::fstatat(descriptor, kSyncedName, &status, AT_SYMLINK_NOFOLLOW) == 0 && status.st_size == sizeof kSyncedText - 1)
            gFolderSyncsAfterPlacing = gFolderSyncsAfterPlacing + 1;
        registers[REG_RAX] = -gFolderSyncAnswer;
    }
    errno = savedErrno;
#endif
}

bool BarFileSystemFeatures(const ChildSetting& setting)
{
    const auto answer = [](int error) { return error ? SECCOMP_RET_ERRNO | static_cast<unsigned>(error) : SECCOMP_RET_ALLOW; };
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fchown, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, answer(setting.ownerChangeError)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fallocate, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, answer(setting.reserveError)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fsync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, setting.folderSyncAnswer ? SECCOMP_RET_TRAP : SECCOMP_RET_ALLOW),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 5),
        BPF_STMT(BPF_RET | BPF_K, answer(setting.anonymousFileError)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_renameat2, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[4])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, RENAME_NOREPLACE, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, answer(setting.noReplaceError)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program {static_cast<unsigned short>(std::size(filter)), filter};
    if (setting.folderSyncAnswer) {
        gFolderSyncAnswer = *setting.folderSyncAnswer;
        struct sigaction action {};
        action.sa_sigaction = AnswerFsync;
        action.sa_flags = SA_SIGINFO;
        if (::sigaction(SIGSYS, &action, nullptr) != 0)
            return false;
    }
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

struct ChildEnd {
    std::string report;
    int status;
};

// Runs work in a forked child set up as asked; gives what work returned and how the child ended.
ChildEnd RunInChild(const ChildSetting& setting, const std::function<std::string()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {"no pipe", -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report;
        if (setting.unprivileged && ::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            report = "cannot become nobody";
        else if (setting != ChildSetting {.unprivileged = setting.unprivileged} && !BarFileSystemFeatures(setting))
            report = "cannot bar file system features";
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
std::optional<IOException> SaveInChild(const ChildSetting& setting, const std::string& path, const std::string& bytes)
{
    const std::string report = RunInChild(setting, [&] {
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
    EXPECT_NO_THROW(stream->Close()) << "a second Close does nothing";
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

TEST_F(TextOutputStreamTest, NameTakenBeforeCloseIsLeftAsItIs)
{
    // What comes to a new file's name while it is written is neither replaced nor followed.
    const struct {
        const char* name;
        std::function<void(const std::string&)> take;
    } takers[] = {
        {"folder", [](const std::string& path) { ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path + "/inside"))); }},
        {"file", [](const std::string& path) { Put(path, "planted"); }},
        {"link", [](const std::string& path) { ASSERT_EQ(::symlink("elsewhere/victim.txt", path.c_str()), 0); }},
    };
    const ChildSetting settings[] = {{}, {.anonymousFileError = EOPNOTSUPP}, {.anonymousFileError = EOPNOTSUPP, .noReplaceError = EINVAL}};
    ASSERT_TRUE(QDir(dir_.path()).mkpath("elsewhere"));
    for (const ChildSetting& setting : settings) {
        for (const auto& taker : takers) {
            SCOPED_TRACE(std::string(taker.name) + (setting.anonymousFileError ? ", named" : ", anonymous")
                + (setting.noReplaceError ? ", linked" : ""));
            const std::string report = RunInChild(setting, [&] {
                try {
                    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
                    stream->Write("new");
                    taker.take(Path("English.txt"));
                    stream->Close();
                    return std::string("saved");
                } catch (const IOException& exception) {
                    return std::to_string(exception.ErrorNumber());
                }
            }).report;
            EXPECT_EQ(report, std::to_string(EEXIST));
            EXPECT_EQ(Entries(), (QStringList {"English.txt", "elsewhere"}));
            EXPECT_EQ(EntriesOf(QString::fromStdString(Path("elsewhere"))), QStringList {});
            const QFileInfo taken(QString::fromStdString(Path("English.txt")));
            if (taker.name == std::string("folder"))
                EXPECT_TRUE(taken.isDir());
            else if (taker.name == std::string("link"))
                EXPECT_TRUE(taken.isSymLink());
            else
                EXPECT_EQ(Read(Path("English.txt")), "planted");
            std::filesystem::remove_all(Path("English.txt"));
        }
    }
}

TEST_F(TextOutputStreamTest, FullDiskKeepsTheOldFile)
{
    if (!MountSmallFileSystem())
        GTEST_SKIP() << "no mount namespace for a small file system here";
    // With a second name the file is written in place, where the text waits for Close.
    const struct {
        const char* name;
        bool secondName;
        ChildSetting setting;
        bool writeFails;
    } cases[] = {
        {"replaced", false, {}, true},
        {"in place", true, {}, false},
        // As on many network file systems.
        {"in place where no space can be reserved", true, {.reserveError = EOPNOTSUPP}, false},
    };
    const std::string old(20000, 'o');
    const std::string full = std::to_string(ENOSPC) + " Cannot write to \"" + Path("English.txt") + "\": No space left on device.";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Put(Path("English.txt"), old);
        if (c.secondName) {
            ASSERT_EQ(::link(Path("English.txt").c_str(), Path("other name.txt").c_str()), 0);
        }
        // A line for each step: "done", or how it failed.
        const std::string report = RunInChild(c.setting, [&] {
            std::string outcomes;
            const auto step = [&](const std::function<void()>& action) {
                try {
                    action();
                    outcomes += "done\n";
                    return true;
                } catch (const IOException& exception) {
                    outcomes += std::to_string(exception.ErrorNumber()) + " " + exception.what() + "\n";
                    return false;
                }
            };
            std::unique_ptr<TextOutputStream> stream;
            if (step([&] { stream = TextOutputStream::Create(FolderItem(Path("English.txt"))); })) {
                step([&] { stream->Write(std::string(1 << 20, 'x')); });
                step([&] { stream->Close(); });
            }
            return outcomes;
        }).report;
        EXPECT_EQ(report, "done\n" + (c.writeFails ? full : "done") + "\n" + full + "\n");
        EXPECT_EQ(Read(Path("English.txt")), old);
        EXPECT_EQ(Entries(), c.secondName ? (QStringList {"English.txt", "other name.txt"}) : QStringList {"English.txt"});
        for (const QString& entry : Entries())
            ASSERT_TRUE(QFile::remove(dir_.filePath(entry)));
    }
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
    for (const ChildSetting setting : {ChildSetting {}, ChildSetting {.anonymousFileError = EOPNOTSUPP}}) {
        for (const std::size_t length : {244u, 255u}) {
            for (const bool existing : {false, true}) {
                const std::string name = std::string(length - 4, 'n') + ".txt";
                SCOPED_TRACE((setting.anonymousFileError ? "named, " : "anonymous, ") + std::to_string(length)
                    + (existing ? ", existing" : ", new"));
                if (existing) {
                    Put(Path(name.c_str()), "old");
                    ASSERT_EQ(::chmod(Path(name.c_str()).c_str(), 0600), 0);
                }
                const auto failure = SaveInChild(setting, Path(name.c_str()), "new");
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
        const auto failure = SaveInChild({.unprivileged = true}, Path(name.c_str()), "new");
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
    // With a second name the file is written in place.
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "replaced");
        if (secondName) {
            ASSERT_EQ(::link(Path("English.txt").c_str(), Path("other name.txt").c_str()), 0);
        }
        const ChildEnd end = RunInChild({}, [&] {
            auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
            for (int i = 0; i < 64; ++i)
                stream->Write(std::string(1 << 17, 'x'));
            ::kill(::getpid(), SIGKILL);
            return std::string("not killed");
        });
        ASSERT_TRUE(WIFSIGNALED(end.status)) << end.report;
        EXPECT_EQ(WTERMSIG(end.status), SIGKILL);
        EXPECT_EQ(Read(Path("English.txt")), "old");
        EXPECT_EQ(Entries(), secondName ? (QStringList {"English.txt", "other name.txt"}) : QStringList {"English.txt"});
    }
}

TEST_F(TextOutputStreamTest, FolderSwappedDuringTheSaveLeavesOtherFoldersAlone)
{
    // Whoever may write the parent folder moves the chosen folder away and leaves a link to
    // another folder in its place between Create and Close.
    for (const ChildSetting setting : {ChildSetting {}, ChildSetting {.anonymousFileError = EOPNOTSUPP}}) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(std::string(setting.anonymousFileError ? "named" : "anonymous") + (existing ? ", existing" : ", new"));
            QTemporaryDir folder;
            const std::string root = folder.path().toStdString();
            ASSERT_TRUE(QDir(folder.path()).mkpath("chosen") && QDir(folder.path()).mkpath("private"));
            Put(root + "/private/out.txt", "private");
            if (existing)
                Put(root + "/chosen/out.txt", "old");
            const std::string report = RunInChild(setting, [&] {
                try {
                    auto stream = TextOutputStream::Create(FolderItem(root + "/chosen/out.txt"));
                    if (::rename((root + "/chosen").c_str(), (root + "/moved").c_str()) != 0
                        || ::symlink("private", (root + "/chosen").c_str()) != 0)
                        return std::string("cannot swap the folder");
                    stream->Write("new");
                    stream->Close();
                    return std::string("saved");
                } catch (const IOException& exception) {
                    return std::string(exception.what());
                }
            }).report;
            EXPECT_EQ(report, "saved");
            EXPECT_EQ(Read(root + "/private/out.txt"), "private");
            EXPECT_EQ(EntriesOf(folder.path() + "/private"), QStringList {"out.txt"});
            EXPECT_EQ(Read(root + "/moved/out.txt"), "new");
            EXPECT_EQ(EntriesOf(folder.path() + "/moved"), QStringList {"out.txt"});
        }
    }
}

TEST_F(TextOutputStreamTest, ChainsOfLinksSaveAsFarAsOpenFollowsThem)
{
    for (const int links : {40, 41}) {
        SCOPED_TRACE(std::to_string(links) + " links");
        QTemporaryDir folder;
        const std::string root = folder.path().toStdString();
        Put(root + "/real.txt", "old");
        std::string link = "real.txt";
        for (int i = 1; i <= links; ++i) {
            const std::string next = "link" + std::to_string(i);
            ASSERT_EQ(::symlink(link.c_str(), (root + "/" + next).c_str()), 0);
            link = next;
        }
        const int opened = ::open((root + "/" + link).c_str(), O_WRONLY | O_CLOEXEC);
        const bool openFollows = opened >= 0;
        if (openFollows)
            ::close(opened);

        const auto failure = Save(root + "/" + link, "new");
        EXPECT_EQ(!failure, openFollows) << (failure ? failure->what() : "saved");
        if (failure) {
            EXPECT_EQ(failure->ErrorNumber(), ELOOP);
        }
        EXPECT_EQ(Read(root + "/real.txt"), openFollows ? "new" : "old");
        EXPECT_EQ(EntriesOf(folder.path()).size(), static_cast<qsizetype>(links + 1));
        EXPECT_TRUE(QFileInfo(QString::fromStdString(root + "/" + link)).isSymLink());
    }
}

TEST_F(TextOutputStreamTest, LinkPlantedInASharedFolderIsRefusedAsOpenRefusesIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    if (Read("/proc/sys/fs/protected_symlinks").substr(0, 1) != "1")
        GTEST_SKIP() << "this system follows any link in shared folders";
    // Another user's link in a shared folder leads to a file the saver has not made yet in a
    // folder of the saver's own.
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
    ASSERT_EQ(::mkdir(Path("shared").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Path("shared").c_str(), 01777), 0);
    ASSERT_EQ(::mkdir(Path("private").c_str(), 0700), 0);
    ASSERT_EQ(::chown(Path("private").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::symlink(Path("private/out.txt").c_str(), Path("shared/out.txt").c_str()), 0);
    ASSERT_EQ(::lchown(Path("shared/out.txt").c_str(), kOther, kOther), 0);

    const auto failure = SaveInChild({.unprivileged = true}, Path("shared/out.txt"), "new");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorNumber(), EACCES) << failure->what();
    EXPECT_EQ(EntriesOf(QString::fromStdString(Path("private"))), QStringList {});
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("shared/out.txt"))).isSymLink());
}

TEST_F(TextOutputStreamTest, FileWithSeveralNamesIsWrittenInPlace)
{
    const std::string old(5000, 'o');
    std::string longer;
    for (int i = 0; i < 12000; ++i)
        longer += static_cast<char>('a' + i % 26);
    Put(Path("English.txt"), old);
    ASSERT_EQ(::link(Path("English.txt").c_str(), Path("other name.txt").c_str()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(Path("English.txt").c_str(), &before), 0);
    for (const std::string& text : {std::string("new"), longer}) {
        SCOPED_TRACE(text.size() < old.size() ? "shorter" : "longer");
        Put(Path("English.txt"), old);

        auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
        stream->Write(text);
        EXPECT_EQ(Read(Path("English.txt")), old) << "the old text stays until Close";
        stream->Close();

        EXPECT_EQ(Read(Path("English.txt")), text);
        EXPECT_EQ(Read(Path("other name.txt")), text);
        struct stat after {};
        ASSERT_EQ(::stat(Path("English.txt").c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_nlink, 2u);
        EXPECT_EQ(Entries(), (QStringList {"English.txt", "other name.txt"}));
    }
}

TEST_F(TextOutputStreamTest, OwnerGroupAndFolderPermissionsAreKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make files of other users";
    struct Attribute {
        const char* name;
        std::string value;
    };
    const struct {
        const char* name;
        ChildSetting saver;
        uid_t owner;
        gid_t group;
        mode_t mode;
        mode_t folderMode;
        bool inPlace;
        // Set on the file before the save; a save in place keeps it.
        std::optional<Attribute> attribute = std::nullopt;
    } cases[] = {
        {"another user's file in the saver's group", {.unprivileged = true}, kOther, kNobody, 0664, 0777, true},
        {"the saver's file in a group not the saver's", {.unprivileged = true}, kNobody, kOther, 0644, 0777, true},
        {"a user's file saved by root", {}, kOther, kOther, 0644, 0755, false},
        {"a writable file in a folder the saver may not write", {.unprivileged = true}, kNobody, kNobody, 0644, 0755, true},
        // As in a user namespace, where an owner from outside it shows as nobody and cannot be given.
        {"a user's file saved by root who may not give its owner", {.ownerChangeError = EINVAL}, kOther, kOther, 0644, 0755, true},
        {"a file with an attribute of its own", {.unprivileged = true}, kNobody, kNobody, 0644, 0777, true,
            Attribute {"user.origin", "web"}},
        // The mode's group bits are the ACL's mask.
        {"a file whose ACL lets another user write it", {}, kNobody, kNobody, 0664, 0755, true,
            Attribute {"system.posix_acl_access", AclLettingOtherWrite()}},
        // As the labels a security module gives every file, new ones too.
        {"a file with a security label alone", {}, kNobody, kNobody, 0644, 0755, false, Attribute {"security.test", "label"}},
    };
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
    std::string skipped;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Path(c.name);
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const std::string file = folder + "/English.txt";
        Put(file, "old");
        ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        if (c.attribute && ::setxattr(file.c_str(), c.attribute->name, c.attribute->value.data(), c.attribute->value.size(), 0) != 0) {
            ASSERT_EQ(errno, ENOTSUP) << std::strerror(errno);
            skipped += std::string(" ") + c.attribute->name;
            continue;
        }
        struct stat before {};
        ASSERT_EQ(::stat(file.c_str(), &before), 0);

        const auto failure = SaveInChild(c.saver, file, "new");
        ASSERT_FALSE(failure) << failure->what();

        EXPECT_EQ(Read(file), "new");
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_ino == before.st_ino, c.inPlace);
        EXPECT_EQ(status.st_uid, c.owner);
        EXPECT_EQ(status.st_gid, c.group);
        EXPECT_EQ(status.st_mode & 07777, c.mode);
        if (c.attribute && c.inPlace) {
            EXPECT_EQ(AttributeOf(file, c.attribute->name), c.attribute->value);
        }
        EXPECT_EQ(EntriesOf(QString::fromStdString(folder)), QStringList {"English.txt"});
    }
    if (!skipped.empty())
        GTEST_SKIP() << "the file system here takes none of these attributes:" << skipped;
}

TEST_F(TextOutputStreamTest, WhatIsNotARegularFileIsRefusedAndLeftAsItIs)
{
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0666), 0);
    ASSERT_EQ(::symlink("pipe", Path("link to pipe").c_str()), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkpath("folder"));
    ASSERT_EQ(::symlink("folder", Path("link to folder").c_str()), 0);
    std::vector<std::pair<std::string, int>> targets
        = {{"pipe", EINVAL}, {"link to pipe", EINVAL}, {"link to folder", EISDIR}, {"folder/", EISDIR}};
    // A device node like the one that discards what is written to it.
    if (::mknod(Path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        targets.emplace_back("device", EINVAL);
        ASSERT_EQ(::symlink("device", Path("link to device").c_str()), 0);
        targets.emplace_back("link to device", EINVAL);
    }
    const auto typeOf = [](const std::string& path) {
        struct stat status {};
        return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & S_IFMT : 0;
    };
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0777), 0);
    const QStringList before = Entries();
    for (const auto& [name, errorNumber] : targets) {
        SCOPED_TRACE(name);
        const std::string path = Path(name.c_str());
        const mode_t type = typeOf(path);
        // As an unprivileged user too, in a folder the user may write.
        for (const bool unprivileged : {false, true}) {
            const auto failure = SaveInChild({.unprivileged = unprivileged}, path, "new");
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->ErrorNumber(), errorNumber) << failure->what();
            EXPECT_NE(std::string(failure->what()).find("\"" + path + "\""), std::string::npos) << failure->what();
            EXPECT_NE(std::string(failure->what()).find(errorNumber == EISDIR ? "Is a directory" : "Not a regular file"), std::string::npos)
                << failure->what();
            EXPECT_EQ(typeOf(path), type);
            EXPECT_EQ(Entries(), before);
        }
    }
    EXPECT_EQ(typeOf(Path("pipe")), static_cast<mode_t>(S_IFIFO));
}

TEST_F(TextOutputStreamTest, SavesWhereTheFileSystemHasNoAnonymousFiles)
{
    // The errors that file systems and kernels without anonymous files give.
    for (const int error : {EOPNOTSUPP, EISDIR, ENOSYS, EINVAL}) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(std::string(strerrordesc_np(error)) + (existing ? ", existing" : ", new"));
            if (existing) {
                Put(Path("English.txt"), "old");
                ASSERT_EQ(::chmod(Path("English.txt").c_str(), 0600), 0);
            }
            // While the text is written, only the saver may open the temporary file it goes to.
            const std::string report = RunInChild({.anonymousFileError = error}, [&] {
                ::umask(022);
                try {
                    auto stream = TextOutputStream::Create(FolderItem(Path("English.txt")));
                    stream->Write("new");
                    std::string modes;
                    for (const QString& entry : Entries()) {
                        if (entry != "English.txt")
                            modes += " " + QString::number(Permissions(Path(entry.toLocal8Bit().constData())), 8).toStdString();
                    }
                    stream->Close();
                    return "temporary" + modes;
                } catch (const IOException& exception) {
                    return std::string(exception.what());
                }
            }).report;
            EXPECT_EQ(report, "temporary 600");
            EXPECT_EQ(Read(Path("English.txt")), "new");
            EXPECT_EQ(Permissions(Path("English.txt")), existing ? 0600u : 0644u);
            EXPECT_EQ(Entries(), QStringList {"English.txt"});
            ASSERT_TRUE(QFile::remove(QString::fromStdString(Path("English.txt"))));
        }
    }
}

TEST_F(TextOutputStreamTest, FolderIsSyncedOnceTheNameIsPlaced)
{
#if !defined(__x86_64__)
    GTEST_SKIP() << "the fsync trap reads the registers of x86-64 alone";
#endif
    const std::string path = Path(kSyncedName);
    const struct {
        const char* name;
        ChildSetting setting;
    } ways[] = {
        {"anonymous", {}},
        {"named", {.anonymousFileError = EOPNOTSUPP}},
        {"linked", {.anonymousFileError = EOPNOTSUPP, .noReplaceError = EINVAL}},
    };
    for (const auto& way : ways) {
        for (const bool existing : {false, true}) {
            // EINVAL: a file system that does not sync folders.
            for (const int answer : {0, EIO, EINVAL}) {
                SCOPED_TRACE(std::string(way.name) + (existing ? ", existing, " : ", new, ") + strerrordesc_np(answer));
                if (existing)
                    Put(path, "old text");
                ChildSetting setting = way.setting;
                setting.folderSyncAnswer = answer;
                const std::string report = RunInChild(setting, [&] {
                    const auto failure = Save(path, kSyncedText);
                    return std::to_string(gFolderSyncsAfterPlacing) + " " + (failure ? failure->what() : "saved");
                }).report;
                EXPECT_EQ(report, "1 " + (answer == EIO ? "Cannot save \"" + path + "\": Input/output error." : std::string("saved")));
                EXPECT_EQ(Entries(), QStringList {kSyncedName});
                ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
            }
        }
    }
    // A folder the saver may not read cannot be opened to be synced; the save goes on without.
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
    ASSERT_EQ(::mkdir(Path("unreadable").c_str(), 0700), 0);
    ASSERT_EQ(::chmod(Path("unreadable").c_str(), 0333), 0);
    const std::string report = RunInChild({.unprivileged = true, .folderSyncAnswer = EIO}, [&] {
        const auto failure = Save(Path("unreadable") + "/" + kSyncedName, kSyncedText);
        return failure ? failure->what() : std::string("saved");
    }).report;
    EXPECT_EQ(report, "saved");
}
