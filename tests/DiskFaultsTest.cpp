#include "tests/TranscriptWindowTest.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {
const std::string kFrench
    = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript><text start=\"1\" dur=\"1\">Bonjour</text></transcript>";

// About 180 KB of paragraph text.
std::string LongTranscript()
{
    std::string answer = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript>";
    for (int i = 0; i < 3000; ++i)
        answer += "<text start=\"" + std::to_string(i) + "\" dur=\"1\">" + std::string(60, 'a' + i % 26) + "</text>";
    return answer + "</transcript>";
}

// German cannot be saved where the user chose; French is saved beside the test folder's other
// files, and opened.
class DiskFaultsTest : public TranscriptWindowTest {
protected:
    void SetUp() override
    {
        TranscriptWindowTest::SetUp();
        SearchVideo("abc", {{"German", "de"}, {"French", "fr"}});
        transcriptService.Respond(TranscriptTarget("abc", "de"), Page(LongTranscript()));
        transcriptService.Respond(TranscriptTarget("abc", "fr"), Page(kFrench));
        window->paragraphBox().SetValue(true);
        window->openBox().SetValue(true);
        Select({0, 1});
    }

    void TearDown() override
    {
        for (const std::string& path : mounts_)
            ::umount2(path.c_str(), MNT_DETACH);
        TranscriptWindowTest::TearDown();
    }

    // The folder becomes a small file system of its own, in a mount namespace of this test
    // process alone. Gives false where the system does not allow that.
    bool MountSmallFileSystem(const std::string& folderName)
    {
        const std::string path = PathOf(folderName);
        if (!QDir().mkpath(QString::fromStdString(path)))
            return false;
        if (mounts_.empty() && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0))
            return false;
        if (::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") != 0)
            return false;
        mounts_.push_back(path);
        return true;
    }
    bool MakeReadOnly(const std::string& folderName)
    {
        return ::mount(nullptr, PathOf(folderName).c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    // Saves German to target and French to the test folder; German's message names the file
    // and the reason, and the download goes on.
    void ExpectGermanRefused(const std::string& target, const std::string& reason)
    {
        Answer({target, PathOf("French.txt")});
        Download();
        EXPECT_EQ(ProposedNames(), (std::vector<std::string> {"German.txt", "French.txt"}));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("\"" + target + "\""), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find(reason), std::string::npos) << messages[0];
        EXPECT_EQ(Read(PathOf("French.txt")), "Bonjour ");
        EXPECT_EQ(window->TextArea1().Text(), "");
        EXPECT_EQ(OpenedFiles(1), std::vector<std::string> {PathOf("French.txt")}) << "a file not saved is not opened";
    }

private:
    std::vector<std::string> mounts_;
};
}

TEST_F(DiskFaultsTest, AFolderWithoutWritePermissionKeepsItsFile)
{
    if (!MountSmallFileSystem("locked"))
        GTEST_SKIP() << "no mount namespace for a file system of the test's own here";
    Put(PathOf("locked/German.txt"), "old");
    ASSERT_TRUE(MakeReadOnly("locked"));
    ExpectGermanRefused(PathOf("locked/German.txt"), "Read-only file system");
    EXPECT_EQ(Read(PathOf("locked/German.txt")), "old");
    EXPECT_EQ(Entries("locked"), QStringList {"German.txt"});
}

TEST_F(DiskFaultsTest, AFullDiskKeepsTheFileThereAndLeavesNothingBehind)
{
    if (!MountSmallFileSystem("small"))
        GTEST_SKIP() << "no mount namespace for a file system of the test's own here";
    Put(PathOf("small/German.txt"), "old");
    ExpectGermanRefused(PathOf("small/German.txt"), "No space left on device");
    EXPECT_EQ(Read(PathOf("small/German.txt")), "old");
    EXPECT_EQ(Entries("small"), QStringList {"German.txt"});
}

TEST_F(DiskFaultsTest, AFolderChosenAsTheFileIsLeftAsItWas)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(PathOf("German.txt/inside"))));
    ExpectGermanRefused(PathOf("German.txt"), "Is a directory");
    EXPECT_EQ(Entries("German.txt"), QStringList {"inside"});
    EXPECT_EQ(Entries(), (QStringList {"French.txt", "German.txt"}));
}

TEST_F(DiskFaultsTest, APipeChosenAsTheFileIsLeftAsItWas)
{
    ASSERT_EQ(::mkfifo(PathOf("German.txt").c_str(), 0666), 0);
    ExpectGermanRefused(PathOf("German.txt"), "Not a regular file");
    struct stat status {};
    ASSERT_EQ(::lstat(PathOf("German.txt").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}
