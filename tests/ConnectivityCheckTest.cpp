#include "app/aboutWin.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTimer>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {
const char* const kNoConnection = "Quorvane cannot work without an Internet connection. Please check your connection prior to continuing.";

class ConnectivityCheckTest : public ProgramTest {
protected:
    void TearDown() override
    {
        qunsetenv("FAKE_PING_STATUS");
        qunsetenv("FAKE_PING_SECONDS");
        ProgramTest::TearDown();
    }

    std::vector<FakeTools::Call> Pings() const
    {
        std::vector<FakeTools::Call> pings;
        for (const FakeTools::Call& call : tools.Calls())
            if (call.front() == "ping")
                pings.push_back(call);
        return pings;
    }
};

void Choose(Window& window, const char* itemName)
{
    QAction* action = window.TopLevelWidget()->menuBar()->findChild<QAction*>(itemName);
    ASSERT_NE(action, nullptr) << itemName;
    action->trigger();
}
}

TEST_F(ConnectivityCheckTest, AReplyOpensTheWindowSilentlyAfterOnePingOfOneRequestWithinFiveSeconds)
{
    Window1& window = instance::Window1();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_TRUE(messages.empty());

    const std::vector<FakeTools::Call> pings = Pings();
    ASSERT_EQ(pings.size(), 1u);
    ASSERT_EQ(pings[0].size(), 8u);
    EXPECT_EQ(std::vector<std::string>(pings[0].begin(), pings[0].end() - 1),
        (std::vector<std::string> {"ping", "-n", "-q", "-W", "5", "-c", "1"}));
    // A public IPv4 address in dotted decimal: no name to look up, not one of the private or local ranges.
    const QRegularExpressionMatch dotted
        = QRegularExpression(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)").match(QString::fromStdString(pings[0].back()));
    ASSERT_TRUE(dotted.hasMatch()) << pings[0].back();
    std::vector<int> octets;
    for (int i = 1; i <= 4; ++i)
        octets.push_back(dotted.captured(i).toInt());
    for (int octet : octets)
        EXPECT_LE(octet, 255) << pings[0].back();
    const bool local = octets[0] == 0 || octets[0] == 10 || octets[0] == 127 || octets[0] >= 224
        || (octets[0] == 172 && octets[1] >= 16 && octets[1] <= 31) || (octets[0] == 192 && octets[1] == 168)
        || (octets[0] == 169 && octets[1] == 254);
    EXPECT_FALSE(local) << pings[0].back();
}

TEST_F(ConnectivityCheckTest, EveryFailureWarnsOnceWhileTheWindowIsVisibleAndLeavesItUsable)
{
    for (const char* status : {"1", "2"}) {
        qputenv("FAKE_PING_STATUS", status);
        std::vector<bool> visibleAtMessage;
        SetMsgBoxHook([&](const std::string& text) {
            messages.push_back(text);
            Window* window = _GetImplicitWindow(Window1::kClassName);
            visibleAtMessage.push_back(window && window->IsVisible());
        });
        Window1& window = instance::Window1();
        EXPECT_EQ(messages, std::vector<std::string> {kNoConnection}) << "status " << status;
        EXPECT_EQ(visibleAtMessage, std::vector<bool> {true}) << "status " << status;
        EXPECT_TRUE(window.IsOpen());
        EXPECT_TRUE(window.IsVisible());
        EXPECT_TRUE(window.TopLevelWidget()->isEnabled());
        EXPECT_TRUE(window.PushButton2().Enabled());
        // About stays open, so that closing the main window does not end the application.
        instance::aboutWin();
        window.Close();
        messages.clear();
    }
}

TEST_F(ConnectivityCheckTest, TheUserInterfaceKeepsRespondingWhilePingWaits)
{
    qputenv("FAKE_PING_SECONDS", "0.3");
    bool constructing = true;
    int ticksDuringCheck = 0;
    bool queuedRanDuringCheck = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksDuringCheck += constructing; });
    ticker.start(20);
    QMetaObject::invokeMethod(
        qApp, [&] { queuedRanDuringCheck = constructing; }, Qt::QueuedConnection);

    instance::Window1();
    constructing = false;
    EXPECT_TRUE(queuedRanDuringCheck);
    // About 15 ticks in 300 ms; a wait that blocked would let none through.
    EXPECT_GE(ticksDuringCheck, 5);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConnectivityCheckTest, APingThatEndsAtOnceStillCostsOnePollSlice)
{
    bool constructing = true;
    bool queuedRanDuringCheck = false;
    QMetaObject::invokeMethod(
        qApp, [&] { queuedRanDuringCheck = constructing; }, Qt::QueuedConnection);
    QElapsedTimer elapsed;
    elapsed.start();
    instance::Window1();
    constructing = false;
    EXPECT_GE(elapsed.elapsed(), 25);
    EXPECT_TRUE(queuedRanDuringCheck);
}

TEST_F(ConnectivityCheckTest, NewWindowChecksOnlyWhenItBuildsAFreshMainWindow)
{
    Window1& first = instance::Window1();
    first.TextField1().SetText("https://www.youtube.com/watch?v=abcdefghijk");
    first.Listbox1().AddRow("English");
    first.paragraphBox().SetValue(true);
    first.openBox().SetValue(false);

    Choose(first, "FileNewWindow");
    EXPECT_EQ(OpenWindows(), std::vector<Window*> {&first});
    EXPECT_TRUE(first.IsVisible());
    EXPECT_EQ(Pings().size(), 1u) << "the open main window is shown, not checked again";

    // With the main window closed, the About window's menu is the one left to choose from.
    aboutWin& about = instance::aboutWin();
    first.Close();
    qputenv("FAKE_PING_STATUS", "1");
    Choose(about, "FileNewWindow");
    auto* second = dynamic_cast<Window1*>(_GetImplicitWindow(Window1::kClassName));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, &first);
    EXPECT_TRUE(second->IsVisible());
    EXPECT_EQ(Pings().size(), 2u);
    EXPECT_EQ(messages, std::vector<std::string> {kNoConnection});

    EXPECT_EQ(second->TextField1().Text(), "");
    EXPECT_EQ(second->Listbox1().ListCount(), 0);
    EXPECT_FALSE(second->paragraphBox().Value());
    EXPECT_FALSE(second->lineBox().Value());
    EXPECT_FALSE(second->timecodeBox().Value());
    EXPECT_TRUE(second->openBox().Value());
    EXPECT_TRUE(second->plainTextBox().Value());
    EXPECT_FALSE(second->PDFbox().Value());
    EXPECT_EQ(second->BoundMenuHandlers().ItemNames(), (std::vector<std::string> {"FileAboutQuorvane", "FileNewWindow", "FileHelp"}));
}

TEST_F(ConnectivityCheckTest, ClosingTheOnlyMainWindowDuringItsCheckEndsTheApplicationOnceTheCheckIsOverWithoutSpinning)
{
    qputenv("FAKE_PING_SECONDS", "0.3");
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);

    bool checkEnded = false;
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(60, qApp, [] { _GetImplicitWindow(Window1::kClassName)->Close(); });
        instance::Window1();
        checkEnded = true;
    });
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpuBefore = std::clock();
    EXPECT_EQ(QCoreApplication::exec(), 0);
    const double cpuMilliseconds = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;

    EXPECT_TRUE(checkEnded);
    EXPECT_GE(wall.elapsed(), 300) << "the check waits for ping to end";
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_EQ(Pings().size(), 1u);
    // Once the application is quitting, Qt runs no event loop: slices that returned at once would
    // keep a processor busy for the rest of the wait.
    EXPECT_LT(cpuMilliseconds, wall.elapsed() / 2.0);
}

TEST_F(ConnectivityCheckTest, AMainWindowClosedWhileItsCheckWaitsShowsNoWarningWhenTheCheckFails)
{
    qputenv("FAKE_PING_STATUS", "1");
    qputenv("FAKE_PING_SECONDS", "0.3");
    // About stays open, so that closing the main window does not end the application.
    aboutWin& about = instance::aboutWin();
    const std::vector<std::pair<const char*, std::function<void()>>> builds = {
        {"built by program code", [] { instance::Window1(); }},
        {"built by New Window", [&about] { Choose(about, "FileNewWindow"); }},
    };
    for (const auto& [how, build] : builds) {
        QTimer::singleShot(60, qApp, [] { _GetImplicitWindow(Window1::kClassName)->Close(); });
        build();
        EXPECT_EQ(_GetImplicitWindow(Window1::kClassName), nullptr) << how;
        EXPECT_TRUE(messages.empty()) << how;
    }
    EXPECT_EQ(Pings().size(), 2u);
}
