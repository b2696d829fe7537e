#include "tests/RealSaveDialog.h"
#include "tests/TranscriptWindowTest.h"

#include <QApplication>

namespace {
using namespace std::string_literals;
using DownloadTest = TranscriptWindowTest;

const std::vector<LanguageRow> kThreeLanguages = {{"English", "en"}, {"German", "de"}, {"French", "fr"}};
}

TEST_F(DownloadTest, ChecksTheFormThenTheAddressThenTheList)
{
    Download();
    EXPECT_EQ(messages, std::vector<std::string> {"You must choose your transcript format either in Paragraph Form or Line-by-line."});

    window->paragraphBox().SetValue(true);
    window->Listbox1().SetFocus();
    messages.clear();
    bool fieldFocusedAtMessage = true;
    SetMsgBoxHook([&](const std::string& text) {
        messages.push_back(text);
        fieldFocusedAtMessage = QApplication::focusWidget() == window->TextField1().Widget();
    });
    Download();
    EXPECT_EQ(messages,
        std::vector<std::string> {"You must paste the URL of your YouTube movie into the first form field before you "
                                  "can download the transcripts."});
    EXPECT_FALSE(fieldFocusedAtMessage) << "the cursor moves once the message is dismissed";
    EXPECT_EQ(QApplication::focusWidget(), window->TextField1().Widget());

    // The list is checked before the address is looked at again for a video.
    for (const std::string& address : {Watch("abc"), "hello"s}) {
        window->TextField1().SetText(address);
        messages.clear();
        Download();
        EXPECT_EQ(messages, std::vector<std::string> {"There are no selected languages to retrieve."}) << address;
    }

    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(transcriptService.Requests().empty());
}

TEST_F(DownloadTest, NothingIsFetchedForAnAddressWithoutVideoOrRowsWithoutSelection)
{
    SearchVideo("abc", kThreeLanguages);
    window->lineBox().SetValue(true);
    for (const std::string& address : {Watch("abc"), "https://www.youtube.com/watch&v=abc"s}) {
        window->TextField1().SetText(address);
        messages.clear();
        Download();
        EXPECT_EQ(messages, std::vector<std::string> {"There are no selected languages to retrieve."}) << address;
    }

    Select({1});
    window->TextField1().SetText("https://www.youtube.com/watch&v=abc");
    messages.clear();
    Download();
    EXPECT_EQ(messages, std::vector<std::string> {kNotAnAddress});

    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(transcriptService.Requests().empty());
}

TEST_F(DownloadTest, TheOneRowOfAListIsFetchedSelectedOrNot)
{
    SearchVideo("abc", {{"German", "de"}});
    transcriptService.Respond(TranscriptTarget("abc", "de"), Page(kTranscript));
    window->paragraphBox().SetValue(true);
    Answer({PathOf("German.txt")});
    Download();
    EXPECT_EQ(RequestLines(transcriptService), std::vector<std::string> {"GET /api/timedtext?&v=abc&lang=de HTTP/1.0"});
    EXPECT_EQ(Read(PathOf("German.txt")), kParagraphs);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DownloadTest, SelectedRowsAreFetchedAndSavedOneAfterAnotherInListOrder)
{
    SearchVideo("abc", kThreeLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "en"), Page(kTranscript));
    transcriptService.Respond(TranscriptTarget("abc", "fr"),
        Page("<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript>"
             "<text start=\"1\" dur=\"1\">Bonjour</text></transcript>"));
    window->lineBox().SetValue(true);
    Select({2, 0});
    Answer({PathOf("English.txt"), PathOf("French.txt")});
    Download();

    EXPECT_EQ(RequestLines(transcriptService),
        (std::vector<std::string> {"GET /api/timedtext?&v=abc&lang=en HTTP/1.0", "GET /api/timedtext?&v=abc&lang=fr HTTP/1.0"}));
    EXPECT_EQ(ProposedNames(), (std::vector<std::string> {"English.txt", "French.txt"}));
    EXPECT_EQ(Read(PathOf("English.txt")), kLines);
    EXPECT_EQ(Read(PathOf("French.txt")), "Bonjour\n");
    EXPECT_EQ(Entries(), (QStringList {"English.txt", "French.txt"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->TextArea1().Text(), "");
    EXPECT_EQ(Rows(), kThreeLanguages);
    EXPECT_TRUE(window->Listbox1().Selected(0) && !window->Listbox1().Selected(1) && window->Listbox1().Selected(2));
}

TEST_F(DownloadTest, TheRequestNamesTheVideoOfTheAddressNowAndTheListedLanguageWithoutSpaces)
{
    SearchVideo("abc", {{"German", "de"}, {"Chinese", "zh Hans "}});
    Select({0, 1});
    window->paragraphBox().SetValue(true);
    const struct {
        const char* address;
        const char* first;
        const char* second;
    } cases[] = {
        {"https://www.youtube.com/watch?v=ID&t=30s", "/api/timedtext?&v=ID&t=30s&lang=de", "/api/timedtext?&v=ID&t=30s&lang=zhHans"},
        {" https://www.you tube.com/watch?v= I D ?v=x", "/api/timedtext?&v=ID&lang=de", "/api/timedtext?&v=ID&lang=zhHans"},
        {"https://www.youtube.com/watch?v=other", "/api/timedtext?&v=other&lang=de", "/api/timedtext?&v=other&lang=zhHans"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        window->TextField1().SetText(c.address);
        const std::size_t before = transcriptService.Requests().size();
        Download();
        const std::vector<FakeRequest> requests = transcriptService.Requests();
        ASSERT_EQ(requests.size(), before + 2);
        EXPECT_EQ(requests[before].requestLine, std::string("GET ") + c.first + " HTTP/1.0");
        EXPECT_EQ(requests[before + 1].requestLine, std::string("GET ") + c.second + " HTTP/1.0");
        EXPECT_EQ(requests[before].headerLines, (std::vector<std::string> {"Host: www.youtube.com", "Accept: */*", "Accept-Language: en"}));
    }
    EXPECT_EQ(listService.Requests().size(), 1u) << "the list is not asked again";
}

TEST_F(DownloadTest, TheTranscriptIsWrittenExactlyInTheChosenForm)
{
    SearchVideo("abc", kThreeLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "en"), Page(kTranscript));
    Select({0});
    const struct {
        const char* name;
        bool paragraph, line, timecode;
        const char* text;
    } cases[] = {
        {"paragraphs", true, false, false, kParagraphs},
        {"lines", false, true, false, kLines},
        {"lines with timecodes", false, true, true, kTimedLines},
        // Ticked after the paragraph box, which unticks it, the timecode box has no effect.
        {"paragraphs, timecode ticked", true, false, true, kParagraphs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->paragraphBox().SetValue(c.paragraph);
        window->lineBox().SetValue(c.line);
        window->timecodeBox().SetValue(c.timecode);
        ASSERT_EQ(window->timecodeBox().Value(), c.timecode);
        dialogs.clear();
        const std::string path = PathOf(std::string(c.name) + ".txt");
        Answer({path});
        Download();
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].filter, "Text files (*.text *.txt)");
        EXPECT_EQ(ProposedNames(), std::vector<std::string> {"English.txt"});
        EXPECT_EQ(Read(path), c.text);
        EXPECT_EQ(window->TextArea1().Text(), "");
    }
    EXPECT_TRUE(messages.empty());
}

// No real transcript comes near the limit, which lies far below the client's own: a longer
// answer is a failed request, with no dialog.
TEST_F(DownloadTest, ATranscriptAnswerOverTheTranscriptLimitIsAFailedRequest)
{
    ASSERT_LT(kTranscriptBodyLimit, HTTPSocket::kBodyLimit);
    const std::string opening = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript><text start=\"1\" dur=\"1\">";
    const std::string closing = "</text></transcript>";
    SearchVideo("abc", {{"English", "en"}});
    window->paragraphBox().SetValue(true);
    for (const std::size_t size : {kTranscriptBodyLimit, kTranscriptBodyLimit + 1}) {
        SCOPED_TRACE(size);
        const std::string caption(size - opening.size() - closing.size(), 'a');
        transcriptService.Respond(TranscriptTarget("abc", "en"), Page(opening + caption + closing));
        messages.clear();
        dialogs.clear();
        const std::string path = PathOf(std::to_string(size) + ".txt");
        Answer({path});
        Download();
        const bool admitted = size == kTranscriptBodyLimit;
        EXPECT_EQ(
            messages, admitted ? std::vector<std::string>() : std::vector<std::string> {ConnectionFailure(HTTPSocket::kBodyTooLarge)});
        EXPECT_EQ(dialogs.size(), admitted ? 1u : 0u);
        // Compared whole, not printed: the texts are megabytes long.
        EXPECT_TRUE(Read(path) == (admitted ? caption + " " : "(unreadable)"));
        EXPECT_EQ(window->TextArea1().Text(), "");
        answers.clear();
    }
}

TEST_F(DownloadTest, ACancelledDialogWritesAndOpensNothing)
{
    SearchVideo("abc", kThreeLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "de"), Page(kTranscript));
    transcriptService.Respond(TranscriptTarget("abc", "fr"), Page(kTranscript));
    window->paragraphBox().SetValue(true);
    window->openBox().SetValue(true);
    Select({1, 2});
    Answer({std::nullopt, PathOf("French.txt")});
    Download();

    EXPECT_EQ(ProposedNames(), (std::vector<std::string> {"German.txt", "French.txt"}));
    EXPECT_EQ(Entries(), QStringList {"French.txt"});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->TextArea1().Text(), "");

    EXPECT_EQ(OpenedFiles(1), std::vector<std::string> {PathOf("French.txt")}) << "only the saved file is opened";
}

TEST_F(DownloadTest, AnAnswerWithoutCaptionsGivesAnEmptyFile)
{
    SearchVideo("abc", kThreeLanguages);
    transcriptService.Respond(TranscriptTarget("abc", "en"), Page(""));
    transcriptService.Respond(TranscriptTarget("abc", "de"), Page("<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript></transcript>"));
    Put(PathOf("English.txt"), "old");
    window->lineBox().SetValue(true);
    window->timecodeBox().SetValue(true);
    Select({0, 1});
    Answer({PathOf("English.txt"), PathOf("German.txt")});
    Download();
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(Read(PathOf("English.txt")), "");
    EXPECT_EQ(Read(PathOf("German.txt")), "");
    EXPECT_EQ(Entries(), (QStringList {"English.txt", "German.txt"}));
    EXPECT_TRUE(messages.empty());
}

// The service's names become file names: none leads the dialog out of the documents folder,
// and one too long for a folder is cut, between two characters, to fit with its ".txt".
TEST_F(DownloadTest, TheProposedFileIsInTheDocumentsFolderWhateverTheLanguageName)
{
    std::string longName = "a";
    for (int i = 0; i < 200; ++i)
        longName += "\u00e9/";
    SearchVideo("abc", {{"German", "de"}, {"Chinese (Simplified/Traditional)", "zh"}, {"/etc/cron.d/x", "xx"}, {longName, "fr"}});
    for (const char* code : {"de", "zh", "xx", "fr"})
        transcriptService.Respond(TranscriptTarget("abc", code), Page(kTranscript));
    window->paragraphBox().SetValue(true);
    Select({0, 1, 2, 3});
    Download();
    ASSERT_EQ(dialogs.size(), 4u);
    std::string longNameFitted = "a";
    for (int i = 0; i < 83; ++i)
        longNameFitted += "\u00e9-";
    longNameFitted += ".txt";
    ASSERT_EQ(longNameFitted.size(), 254u) << "the next character would end at byte 256";
    EXPECT_EQ(ProposedNames(),
        (std::vector<std::string> {"German.txt", "Chinese (Simplified-Traditional).txt", "-etc-cron.d-x.txt", longNameFitted}));
    const auto folderOf = [](const Dialog& dialog) { return QFileInfo(QString::fromStdString(dialog.proposedPath)).path().toStdString(); };
    for (const Dialog& dialog : dialogs)
        EXPECT_EQ(folderOf(dialog), folderOf(dialogs[0])) << dialog.proposedPath;
}

// Names from the service, saved through the real dialog: each file written is the one whose
// name the dialog showed, in the folder it showed.
TEST_F(DownloadTest, TheRealDialogWritesTheFilesItShowsWhateverTheLanguageName)
{
    SearchVideo("abc", {{"Q\".bashrc\"", "en"}, {"Eng\u202etxt.exe", "de"}, {"Tab\tand\x1b[2Jescape", "fr"}});
    ASSERT_EQ(Rows(), (std::vector<LanguageRow> {{"Q\".bashrc\"", "en"}, {"Eng\u202etxt.exe", "de"}, {"Tab\tand\x1b[2Jescape", "fr"}}));
    for (const char* code : {"en", "de", "fr"})
        transcriptService.Respond(TranscriptTarget("abc", code), Page(kTranscript));
    window->paragraphBox().SetValue(true);
    Select({0, 1, 2});
    SetSaveDialogHook({});
    const HomeFolder home(folder.path());
    ASSERT_TRUE(QDir(folder.path()).mkdir("Documents"));
    SaveDialogUser user(3);
    Download();

    const QStringList shown {"Q-.bashrc-.txt", "Eng-txt.exe.txt", "Tab-and-[2Jescape.txt"};
    ASSERT_EQ(user.Dialogs().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(user.Dialogs()[i].folder.toStdString(), PathOf("Documents"));
        EXPECT_EQ(user.Dialogs()[i].fileName.toStdString(), shown[i].toStdString());
        EXPECT_EQ(Read(PathOf("Documents/" + shown[i].toStdString())), kParagraphs) << shown[i].toStdString();
    }
    EXPECT_EQ(Entries("Documents").join(" | ").toStdString(), "Eng-txt.exe.txt | Q-.bashrc-.txt | Tab-and-[2Jescape.txt");
    EXPECT_TRUE(messages.empty());
}
