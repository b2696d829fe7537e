#include "framework/FolderItem.h"
#include "framework/ShowURL.h"
#include "tests/support/FakeTools.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {
// Only one call: waits a little longer in case a second one is on its way.
std::vector<FakeTools::Call> TheCalls(const FakeTools& tools)
{
    tools.WaitForCalls(1);
    QThread::msleep(200);
    return tools.Calls();
}
}

TEST(DesktopOpener, LaunchHandsThePathToTheOpenerOnce)
{
    const std::string cwd = QDir::currentPath().toStdString();
    const struct {
        std::string path;
        std::string handed;
    } cases[] = {
        {"/tmp/Deutsch (Deutschland) 'ü\" $HOME;.txt", "/tmp/Deutsch (Deutschland) 'ü\" $HOME;.txt"},
        {"-English.txt", cwd + "/-English.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FakeTools tools;
        FolderItem(c.path).Launch(true);
        EXPECT_EQ(TheCalls(tools), (std::vector<FakeTools::Call> {{"xdg-open", c.handed}}));
    }
}

TEST(DesktopOpener, ShowURLHandsTheAddressToTheOpenerOnce)
{
    FakeTools tools;
    const std::string address = "https://example.com/help?page=1&lang=en#top";
    ShowURL(address);
    EXPECT_EQ(TheCalls(tools), (std::vector<FakeTools::Call> {{"xdg-open", address}}));
}

TEST(FolderItem, NameAndExistence)
{
    EXPECT_EQ(FolderItem("/tmp/notes/English.txt").Name(), "English.txt");
    EXPECT_EQ(FolderItem("/tmp/notes/English.txt").NativePath(), "/tmp/notes/English.txt");
    EXPECT_TRUE(FolderItem("/tmp").Exists());
    EXPECT_FALSE(FolderItem("/tmp/no such folder/English.txt").Exists());
}
