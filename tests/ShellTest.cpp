#include "framework/Shell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// Polls as the program does: a slice of events, then a look at IsRunning. Gives the slices.
int WaitForEnd(Shell& shell)
{
    int slices = 0;
    do {
        QTest::qWait(25);
        ++slices;
    } while (shell.IsRunning());
    return slices;
}

// The number a command wrote into the file, once it is there.
qint64 NumberIn(const QString& path)
{
    QFile file(path);
    for (int slice = 0; slice < 400; ++slice) {
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray content = file.readAll().trimmed();
            file.close();
            if (!content.isEmpty())
                return content.toLongLong();
        }
        QTest::qWait(25);
    }
    return 0;
}

// True while the process exists, even as a zombie.
bool ProcessExists(qint64 pid)
{
    return QFile::exists(QString("/proc/%1").arg(pid));
}

bool ProcessLives(qint64 pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    return status.open(QIODevice::ReadOnly) && !status.readAll().contains("State:\tZ");
}
}

TEST(Shell, ErrorCodeIsTheExitStatus)
{
    const struct {
        const char* command;
        int errorCode;
    } cases[] = {
        {"exit 0", 0},
        {"true", 0},
        {"exit 1", 1},
        {"test -d /no-such-folder", 1},
        {"no-such-command-anywhere", 127},
        {"kill -KILL $$", 128 + 9},
        {"kill -TERM $$", 128 + 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Shell shell;
        shell.SetMode(2);
        shell.Execute(c.command);
        WaitForEnd(shell);
        EXPECT_EQ(shell.ErrorCode(), c.errorCode);
    }
}

TEST(Shell, ModeZeroWaitsForTheCommand)
{
    Shell shell;
    EXPECT_EQ(shell.Mode(), 0);
    shell.Execute("sleep 0.1; exit 3");
    EXPECT_FALSE(shell.IsRunning());
    EXPECT_EQ(shell.ErrorCode(), 3);
}

TEST(Shell, ModeTwoReturnsAtOnceAndIsRunningTurnsFalseBetweenSlices)
{
    Shell shell;
    shell.SetMode(2);
    shell.Execute("sleep 0.3; exit 4");
    EXPECT_TRUE(shell.IsRunning());
    EXPECT_GT(WaitForEnd(shell), 1);
    EXPECT_EQ(shell.ErrorCode(), 4);
}

TEST(Shell, IsRunningNoticesTheEndWithoutTheEventLoop)
{
    Shell shell;
    shell.SetMode(2);
    shell.Execute("exit 5");
    QThread::msleep(300);
    EXPECT_FALSE(shell.IsRunning());
    EXPECT_EQ(shell.ErrorCode(), 5);
}

TEST(Shell, EndedCommandIsReaped)
{
    QTemporaryDir dir;
    Shell shell;
    shell.SetMode(2);
    shell.Execute(("echo $$ > '" + dir.filePath("shell") + "'").toStdString());
    WaitForEnd(shell);
    const qint64 pid = NumberIn(dir.filePath("shell"));
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(ProcessExists(pid));
}

TEST(Shell, DestroyingAShellStopsItsCommandAndWhatItStarted)
{
    QTemporaryDir dir;
    qint64 shellPid = 0;
    qint64 childPid = 0;
    {
        Shell shell;
        shell.SetMode(2);
        shell.Execute(
            ("sleep 60 & echo $! > '" + dir.filePath("child") + "'; echo $$ > '" + dir.filePath("shell") + "'; wait").toStdString());
        shellPid = NumberIn(dir.filePath("shell"));
        childPid = NumberIn(dir.filePath("child"));
        ASSERT_GT(shellPid, 0);
        ASSERT_GT(childPid, 0);
        EXPECT_TRUE(ProcessLives(childPid));
    }
    EXPECT_FALSE(ProcessExists(shellPid)) << "killed and reaped";
    for (int slice = 0; slice < 200 && ProcessLives(childPid); ++slice)
        QTest::qWait(10);
    EXPECT_FALSE(ProcessLives(childPid));
}

TEST(Shell, ExecuteAgainStopsTheCommandStillRunning)
{
    Shell shell;
    shell.SetMode(2);
    shell.Execute("sleep 60");
    shell.Execute("exit 6");
    WaitForEnd(shell);
    EXPECT_EQ(shell.ErrorCode(), 6);
}
