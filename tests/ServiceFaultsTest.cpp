#include "tests/TranscriptWindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <chrono>

namespace {
using namespace std::chrono_literals;
using namespace std::string_literals;
using ServiceFaultsTest = TranscriptWindowTest;

const std::vector<LanguageRow> kTwoLanguages = {{"German", "de"}, {"French", "fr"}};
const std::string kFrench
    = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript><text start=\"1\" dur=\"1\">Bonjour</text></transcript>";

// The answer up to bytes, then the ending; with declared length, Content-Length counts it all.
FakeResponse Cut(
    const std::string& body, std::size_t bytes, FakeResponse::Ending ending, bool declaredLength, std::chrono::milliseconds stall = 0ms)
{
    FakeResponse response;
    response.body = body;
    response.bodyBytes = bytes;
    response.ending = ending;
    response.contentLength = declaredLength;
    response.beforeEnding = stall;
    return response;
}

FakeResponse Drip(const std::string& body)
{
    FakeResponse response;
    response.body = body;
    response.chunkSize = 16;
    response.chunkInterval = 10ms;
    return response;
}

FakeResponse Delayed(FakeResponse response, std::chrono::milliseconds delay)
{
    response.delay = delay;
    return response;
}

FakeResponse NotHTTP(const std::string& body)
{
    FakeResponse response;
    response.sendHead = false;
    response.body = body;
    return response;
}

FakeResponse Moved()
{
    FakeResponse response;
    response.statusLine = "HTTP/1.0 301 Moved Permanently";
    response.headers = {"Location: http://video.google.com/elsewhere"};
    response.body = "<html><body><a href=\"/elsewhere\">moved</a></body></html>";
    return response;
}

// An error page that holds the markers the parse cuts at, but no track.
const std::string kErrorPage = "<html><head><meta charset=\"utf-8\"/></head><body><p class=\"a\">Error</p>"
                               "<p class=\"b\">Try later</p></body></html>";
}

TEST_F(ServiceFaultsTest, AFaultyListAnswerListsTheTracksThatArrivedWhole)
{
    const std::string list = TrackList({{"German", "de"}, {"English", "en"}});
    const std::size_t midSecondTrack = list.find("English");
    const std::vector<LanguageRow> both = {{"German", "de"}, {"English", "en"}};
    const std::vector<LanguageRow> first = {{"German", "de"}};
    const struct {
        const char* name;
        FakeResponse response;
        std::vector<LanguageRow> rows;
        std::size_t bodyLimit = HTTPSocket::kBodyLimit;
    } cases[] = {
        {"reset in the body", Cut(list, midSecondTrack, FakeResponse::Ending::Reset, true), first},
        {"declared length not reached", Cut(list, midSecondTrack, FakeResponse::Ending::Close, true), first},
        {"stall, then closed without length", Cut(list, midSecondTrack, FakeResponse::Ending::Close, false, 300ms), first},
        {"slow drip", Drip(list), both},
        {"over the body limit", Page(list), {}, list.size() - 1},
        {"just under the body limit", Page(list), both, list.size()},
        {"404 without body", Page("", "HTTP/1.0 404 Not Found"), {}},
        {"500 error page", Page(kErrorPage, "HTTP/1.0 500 Internal Server Error"), {}},
        {"301", Moved(), {}},
        {"no HTTP head", NotHTTP(list), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        HTTPSocket::TestLimitBody(c.bodyLimit);
        listService.Enqueue(c.response);
        const std::size_t before = listService.Requests().size();
        Search(Watch("abc"));
        EXPECT_EQ(listService.Requests().size(), before + 1) << "no redirection followed, nothing retried";
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(window->XMLList().ListCount(), static_cast<int>(c.rows.size()));
        EXPECT_EQ(messages, c.rows.empty() ? std::vector<std::string> {kNoTranscripts} : std::vector<std::string> {});

        HTTPSocket::TestLimitBody(HTTPSocket::kBodyLimit);
        SearchVideo("next", {{"Japanese", "ja"}});
        EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"Japanese", "ja"}})) << "the next search lists again";
    }
}

TEST_F(ServiceFaultsTest, ListNamesThatAreNotUTF8AreListedAsTheyCame)
{
    SearchVideo("abc",
        {{"Fran\xE7"
          "ais",
             "fr"},
            {"\xFF\xFE", "xx"}});
    EXPECT_EQ(Rows(),
        (std::vector<LanguageRow> {{"Fran\xE7"
                                    "ais",
                                       "fr"},
            {"\xFF\xFE", "xx"}}));
    const QAbstractItemModel* list = static_cast<QTreeView*>(window->Listbox1().Widget())->model();
    EXPECT_EQ(list->index(0, 0).data().toString(), QString("Fran") + QChar::ReplacementCharacter + "ais");
    EXPECT_FALSE(list->index(1, 0).data().toString().isEmpty());
}

// Each fault ends its own row with the failure message, with no dialog and no file; the next
// row is fetched and saved as usual.
TEST_F(ServiceFaultsTest, AFailedTranscriptRequestEndsItsRowOnly)
{
    const std::string transcript = kTranscript;
    const std::size_t midLastCaption = transcript.find("Thanks") + 3;
    const struct {
        const char* name;
        FakeResponse response;
        int errorCode;
    } cases[] = {
        {"reset in the body", Cut(transcript, midLastCaption, FakeResponse::Ending::Reset, true), 56},
        {"reset before the body", Cut(transcript, 0, FakeResponse::Ending::Reset, true), 56},
        {"declared length not reached", Cut(transcript, midLastCaption, FakeResponse::Ending::Close, true), 18},
        {"stall, then closed before the declared length", Cut(transcript, midLastCaption, FakeResponse::Ending::Close, true, 300ms), 18},
        {"over the body limit", Page(std::string(2000, 'x')), HTTPSocket::kBodyTooLarge},
        {"404", Page("<html>Not Found</html>", "HTTP/1.0 404 Not Found"), 404},
        {"500", Page(kTranscript, "HTTP/1.0 500 Internal Server Error"), 500},
        {"301", Moved(), 301},
        {"no HTTP head", NotHTTP(transcript), 1},
        {"no answer within the time-out", Cut(transcript, 0, FakeResponse::Ending::Stall, true), HTTPSocket::kTimedOut},
    };
    SearchVideo("abc", kTwoLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "fr"), Page(kFrench));
    window->paragraphBox().SetValue(true);
    Select({0, 1});
    HTTPSocket::TestLimitBody(1000);
    // Long enough for the 300 ms stall above; the time-out case then takes 1 s, not 30.
    HTTPSocket::TestLimitTimeout(1s);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        dialogs.clear();
        QFile::remove(QString::fromStdString(PathOf("French.txt")));
        transcriptService.Enqueue(c.response);
        const std::size_t before = transcriptService.Requests().size();
        Answer({PathOf("French.txt")});
        Download();
        EXPECT_EQ(transcriptService.Requests().size(), before + 2);
        EXPECT_EQ(messages, std::vector<std::string> {ConnectionFailure(c.errorCode)});
        EXPECT_EQ(ProposedNames(), std::vector<std::string> {"French.txt"});
        EXPECT_EQ(Entries(), QStringList {"French.txt"});
        EXPECT_EQ(Read(PathOf("French.txt")), "Bonjour ");
        EXPECT_EQ(window->TextArea1().Text(), "");
    }
}

TEST_F(ServiceFaultsTest, TranscriptsThatArriveWholeAreSavedHoweverTheyCame)
{
    const std::string transcript = kTranscript;
    const struct {
        const char* name;
        FakeResponse response;
        std::string text;
    } cases[] = {
        {"slow drip", Drip(transcript), kParagraphs},
        {"to the close, without length", Cut(transcript, std::string::npos, FakeResponse::Ending::Close, false), kParagraphs},
        // Without a length, the end of the connection is the end of the answer: the caption cut
        // off there is left out.
        {"stall, then closed without length", Cut(transcript, transcript.find("Thanks") + 3, FakeResponse::Ending::Close, false, 300ms),
            "Hello 'world' Second line "},
        {"bytes that are not UTF-8", Page("<text start=\"1\" dur=\"1\">caf\xE9 \xFF\xFE\xC3\0.</text>"s), "caf\xE9 \xFF\xFE\xC3\0. "s},
    };
    SearchVideo("abc", kTwoLanguages);
    window->paragraphBox().SetValue(true);
    Select({0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        transcriptService.Enqueue(c.response);
        Answer({PathOf("German.txt")});
        Download();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Read(PathOf("German.txt")), c.text);
    }
}

TEST_F(ServiceFaultsTest, AnUnreachableOrUnprovenTranscriptServiceIsAFailedRequest)
{
    const ClosedPort closed;
    FakeService impostor(Certificates().Issue({"other.example"}));
    FakeService selfSigned(Certificates().IssueSelfSigned({kTranscriptHost}));
    const struct {
        const char* name;
        int port;
        int errorCode;
    } cases[] = {
        {"connection refused", closed.Port(), 7},
        {"certificate for another host", impostor.Port(), 60},
        {"certificate signed by itself", selfSigned.Port(), 60},
    };
    SearchVideo("abc", kTwoLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "de"), Page(kTranscript));
    window->paragraphBox().SetValue(true);
    Select({0, 1});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        RouteServices(listService.Port(), c.port);
        Download();
        EXPECT_EQ(messages, std::vector<std::string>(2, ConnectionFailure(c.errorCode)));
        EXPECT_TRUE(dialogs.empty());
    }
    EXPECT_TRUE(impostor.Requests().empty()) << "nothing is sent to a server that did not prove its name";
    EXPECT_TRUE(selfSigned.Requests().empty());
    EXPECT_TRUE(Entries().isEmpty());

    messages.clear();
    RouteServices(listService.Port(), transcriptService.Port());
    window->Listbox1().SetSelected(1, false);
    Answer({PathOf("German.txt")});
    Download();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Read(PathOf("German.txt")), kParagraphs);
}

// The window's events go on while a request waits, its close among them.
TEST_F(ServiceFaultsTest, AWindowClosedWhileItsRequestWaitsEndsItsHandlerCleanly)
{
    listService.Enqueue(Delayed(Page(TrackList({{"German", "de"}})), 300ms));
    QTimer::singleShot(50, [this] { window->TopLevelWidget()->close(); });
    Search(Watch("abc"));
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_TRUE(messages.empty());

    window = &instance::Window1();
    SearchVideo("abc", {{"German", "de"}});
    transcriptService.Enqueue(Delayed(Page(kTranscript), 300ms));
    window->paragraphBox().SetValue(true);
    QTimer::singleShot(50, [this] { window->TopLevelWidget()->close(); });
    Answer({PathOf("German.txt")});
    Download();
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->TextArea1().Text(), "");
}

// Closing the window ends its request at once, and the rest of its handler fails quietly at once:
// no message, no dialog, nothing saved or opened, whatever the server still holds back.
TEST_F(ServiceFaultsTest, ClosingTheWindowAbandonsItsRequestsAtOnce)
{
    SearchVideo("abc", kTwoLanguages);
    Select({0, 1});
    window->paragraphBox().SetValue(true);
    window->openBox().SetValue(true);
    for (int i = 0; i < 2; ++i)
        transcriptService.Enqueue(Delayed(Page(kTranscript), 5s));
    Answer({PathOf("German.txt"), PathOf("French.txt")});
    QTimer::singleShot(100, [this] { window->TopLevelWidget()->close(); });
    const auto start = std::chrono::steady_clock::now();
    Download();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_TRUE(OpenedFiles(0).empty());
    EXPECT_EQ(transcriptService.Requests().size(), 1u);
}

// A press that arrives while a handler waits, such as a screen reader's, starts nothing.
TEST_F(ServiceFaultsTest, APressWhileAHandlerWaitsIsDropped)
{
    SearchVideo("abc", kTwoLanguages);
    Select({0, 1});
    window->paragraphBox().SetValue(true);
    for (int i = 0; i < 2; ++i)
        transcriptService.Enqueue(Delayed(Page(kTranscript), 400ms));
    Answer({PathOf("German.txt"), PathOf("French.txt")});
    QTimer::singleShot(100, [this] { window->PushButton2().Push(); });
    QTimer::singleShot(150, [this] {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(window->PushButton1().Widget());
        ASSERT_NE(button, nullptr);
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    Download();
    EXPECT_EQ(listService.Requests().size(), 1u);
    EXPECT_EQ(transcriptService.Requests().size(), 2u);
    EXPECT_EQ(ProposedNames(), (std::vector<std::string> {"German.txt", "French.txt"}));
    EXPECT_EQ(Rows(), kTwoLanguages);
    EXPECT_TRUE(messages.empty());
    QTest::qWait(300);
    EXPECT_EQ(transcriptService.Requests().size(), 2u);
}

// What a screen reader changes while the download waits is refused, whatever the control: the
// files still to come keep their form, their video and their languages.
TEST_F(ServiceFaultsTest, ChangesThroughAnAccessibilityToolWhileTheDownloadWaitsAreRefused)
{
    SearchVideo("abc", {{"German", "de"}, {"French", "fr"}, {"Spanish", "es"}});
    Select({0, 1});
    window->paragraphBox().SetValue(true);
    for (int i = 0; i < 2; ++i)
        transcriptService.Enqueue(Delayed(Page(kTranscript), 400ms));
    Answer({PathOf("German.txt"), PathOf("French.txt")});
    QTimer::singleShot(100, [this] {
        QAccessible::queryAccessibleInterface(window->lineBox().Widget())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QAccessibleInterface* address = QAccessible::queryAccessibleInterface(window->TextField1().Widget());
        address->setText(QAccessible::Value, QString::fromStdString(Watch("xyz")));
        address->editableTextInterface()->insertText(0, "x");
        QAccessibleTableInterface* languages = QAccessible::queryAccessibleInterface(window->Listbox1().Widget())->tableInterface();
        languages->unselectRow(1);
        languages->selectRow(2);
    });
    Download();
    EXPECT_FALSE(window->lineBox().Value());
    EXPECT_TRUE(window->paragraphBox().Value());
    EXPECT_EQ(window->TextField1().Text(), Watch("abc"));
    EXPECT_TRUE(window->Listbox1().Selected(1));
    EXPECT_FALSE(window->Listbox1().Selected(2));
    EXPECT_EQ(RequestLines(transcriptService),
        (std::vector<std::string> {"GET /api/timedtext?&v=abc&lang=de HTTP/1.0", "GET /api/timedtext?&v=abc&lang=fr HTTP/1.0"}));
    EXPECT_EQ(Read(PathOf("German.txt")), kParagraphs);
    EXPECT_EQ(Read(PathOf("French.txt")), kParagraphs);
    EXPECT_TRUE(messages.empty());
}
