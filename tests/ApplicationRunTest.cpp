// The whole application in this process, from its own start-up to its exit: the user's part is
// played on the widgets once the main window is shown, through the menus and controls the user
// meets, while the framework's test hooks lead the requests to fake services on 127.0.0.1.
#include "app/Startup.h"
#include "framework/ProgramBoundary.h"
#include "tests/ProgramTest.h"
#include "tests/support/FakeService.h"
#include "tests/support/TestCertificates.h"
#include "transcript_window/ServiceAddresses.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
constexpr int kWatchdogMilliseconds = 30000;
constexpr int kWatchdogStatus = 99;

const std::string kAddress = "https://www.youtube.com/watch?v=Zp4Kq7wRt2E";
const std::string kListTarget = "/timedtext?type=list&v=Zp4Kq7wRt2E";
const std::string kTranscriptTarget = "/api/timedtext?&v=Zp4Kq7wRt2E&lang=";
const std::string kDeclaration = R"(<?xml version="1.0" encoding="utf-8" ?>)";

FakeResponse Answer(const std::string& body)
{
    FakeResponse response;
    response.headers = {"Content-Type: text/xml; charset=utf-8"};
    response.body = body;
    return response;
}

std::string Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(no file)";
}

QMainWindow* ShownMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window && window->isVisible() && window->windowTitle() == "Quorvane for YouTube")
            return window;
    }
    return nullptr;
}

// The child widget of class W that shows the text, as the user finds it by its caption.
template <class W> W* Captioned(QWidget* window, const QString& text)
{
    for (W* widget : window->findChildren<W*>())
        if (widget->text() == text)
            return widget;
    return nullptr;
}

// The child widget of class W that can be seen within the window.
template <class W> W* InView(QWidget* window)
{
    for (W* widget : window->findChildren<W*>())
        if (widget->isVisible() && !widget->visibleRegion().isEmpty())
            return widget;
    return nullptr;
}

void Choose(QMainWindow* window, const char* itemName)
{
    QAction* item = window->menuBar()->findChild<QAction*>(itemName);
    ASSERT_NE(item, nullptr) << itemName;
    item->trigger();
}

void Press(QWidget* window, const QString& caption)
{
    auto* button = Captioned<QPushButton>(window, caption);
    ASSERT_NE(button, nullptr) << caption.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on the box itself, left of its caption's end.
void Tick(QWidget* window, const QString& caption)
{
    auto* box = Captioned<QCheckBox>(window, caption);
    ASSERT_NE(box, nullptr) << caption.toStdString();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void ClickRow(QTreeView* list, int row, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(list->model()->index(row, 0)).center());
}
}

using ApplicationRunTest = FakeDesktopTest;

TEST_F(ApplicationRunTest, FromStartUpThroughSearchAndDownloadToTwoSavedFilesAndAnOrderlyExit)
{
    TestCertificates certificates;
    FakeService lists;
    FakeService transcripts(certificates.Issue({kTranscriptHost}));
    lists.Respond(kListTarget,
        Answer(kDeclaration
            + R"(<transcript_list docid="4711">)"
              R"(<track id="0" name="" lang_code="de" lang_translated="German"/>)"
              R"(<track id="1" name="" lang_code="en" lang_translated="English" lang_default="true"/>)"
              R"(<track id="2" name="" lang_code="fr" lang_translated="French"/>)"
              "</transcript_list>"));
    transcripts.Respond(kTranscriptTarget + "de",
        Answer(kDeclaration
            + "<transcript>"
              R"(<text start="0.5" dur="2.1">Guten Tag, &amp;#39;Welt&amp;#39;</text>)"
              "<text start=\"75.25\" dur=\"3\">Zwei\nZeilen</text>"
              R"(<text start="3725.5" dur="4">Grüße &amp;quot;an alle&amp;quot;</text>)"
              "</transcript>"));
    transcripts.Respond(kTranscriptTarget + "fr",
        Answer(kDeclaration
            + "<transcript>"
              "<text start=\"1\" dur=\"1.5\">Ça va ?\r\nOui &amp;amp; non</text>"
              R"(<text start="59.99" dur="2">Fin</text>)"
              "</transcript>"));
    HTTPSocket::TestRouteHost(kTrackListHost, lists.Port());
    HTTPSocket::TestRouteHost(kTranscriptHost, transcripts.Port());
    HTTPSocket::TestTrustCertificateAuthority(certificates.AuthorityFile());

    QTemporaryDir saved;
    const QString german = saved.filePath("German.txt"), french = saved.filePath("French.txt");
    answers = {german.toStdString(), french.toStdString()};

    int mainWindowsAfterNewWindow = 0;
    const auto user = [&] {
        QMainWindow* window = ShownMainWindow();
        Choose(window, "FileNewWindow");
        mainWindowsAfterNewWindow = static_cast<int>(OpenWindows().size());

        QApplication::clipboard()->setText(QString::fromStdString(kAddress));
        QLineEdit* address = InView<QLineEdit>(window);
        ASSERT_NE(address, nullptr);
        QTest::mouseClick(address, Qt::LeftButton);
        Choose(window, "EditPaste");
        Press(window, "Search");

        QTreeView* languages = InView<QTreeView>(window);
        ASSERT_NE(languages, nullptr);
        ASSERT_EQ(languages->model()->rowCount(), 3);
        ClickRow(languages, 0, Qt::NoModifier);
        ClickRow(languages, 2, Qt::ControlModifier);
        Tick(window, "Line-by-line");
        Tick(window, "Include Timecode");
        Press(window, "Download Transcript(s)");

        window->close();
    };

    // The user begins once start-up is over: the main window shown, its connectivity check done.
    QTimer waitForMainWindow;
    QObject::connect(&waitForMainWindow, &QTimer::timeout, [&] {
        if (ShownMainWindow() && ProgramCallDepth() == 0 && !tools.Calls().empty()) {
            waitForMainWindow.stop();
            user();
            // A failed assertion above left the window open; closing it ends the run.
            if (QMainWindow* window = ShownMainWindow())
                window->close();
        }
    });
    waitForMainWindow.start(10);
    QTimer::singleShot(kWatchdogMilliseconds, [] { QCoreApplication::exit(kWatchdogStatus); });

    EXPECT_EQ(_Main(), 0);

    EXPECT_EQ(mainWindowsAfterNewWindow, 1);
    EXPECT_EQ(messages, std::vector<std::string> {});
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].filter, "Text files (*.text *.txt)");
    EXPECT_EQ(QFileInfo(QString::fromStdString(dialogs[0].proposedPath)).fileName(), "German.txt");
    EXPECT_EQ(QFileInfo(QString::fromStdString(dialogs[1].proposedPath)).fileName(), "French.txt");
    EXPECT_EQ(Contents(german),
        "[00:00:00.50]\tGuten Tag, 'Welt'\n"
        "[00:01:15.25]\tZwei Zeilen\n"
        "[01:02:05.50]\tGrüße \"an alle\"\n");
    EXPECT_EQ(Contents(french),
        "[00:00:01.00]\tÇa va ? Oui &amp;amp; non\n"
        "[00:00:59.99]\tFin\n");
    EXPECT_EQ(QDir(saved.path()).entryList(QDir::Files), QStringList({"French.txt", "German.txt"}));

    std::vector<std::string> requestLines;
    for (const FakeService* service : {&lists, &transcripts})
        for (const FakeRequest& request : service->Requests())
            requestLines.push_back(request.requestLine);
    EXPECT_EQ(requestLines,
        (std::vector<std::string> {
            "GET " + kListTarget + " HTTP/1.0", "GET " + kTranscriptTarget + "de HTTP/1.0", "GET " + kTranscriptTarget + "fr HTTP/1.0"}));
    const std::vector<FakeTools::Call> calls = tools.WaitForCalls(3);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].front(), "ping");
    EXPECT_EQ(calls[1], (FakeTools::Call {"xdg-open", german.toStdString()}));
    EXPECT_EQ(calls[2], (FakeTools::Call {"xdg-open", french.toStdString()}));
}
