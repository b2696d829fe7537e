#include "tests/TranscriptWindowTest.h"

#include <QTreeView>

namespace {
using CaptionTrackSearchTest = TranscriptWindowTest;

const std::string kWorkedList = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><list id=\"7\">"
                                "<track id=\"0\" name=\"\" lang_code=\"de\" lang_translated=\"German\"/>"
                                "<track id=\"1\" name=\"\" lang_code=\"en\" lang_translated=\"English\" lang_default=\"true\"/>"
                                "</list>";
}

TEST_F(CaptionTrackSearchTest, AnEmptyAddressAsksForOneAndSendsNothing)
{
    Search("");
    EXPECT_EQ(messages, std::vector<std::string> {"Please paste a YouTube URL into the form first."});
    EXPECT_TRUE(listService.Requests().empty());
}

TEST_F(CaptionTrackSearchTest, AnAddressWithoutVideoParameterIsRefusedUnsent)
{
    for (const char* address : {"https://www.youtube.com/watch&v=abc", "abc", "?v", "v=abc", "https://youtu.be/abc", "?V=abc"}) {
        SCOPED_TRACE(address);
        messages.clear();
        Search(address);
        EXPECT_EQ(messages, std::vector<std::string> {kNotAnAddress});
    }
    EXPECT_TRUE(listService.Requests().empty());
}

TEST_F(CaptionTrackSearchTest, TheTextAfterTheVideoParameterGoesToTheListServiceAsWritten)
{
    const struct {
        const char* address;
        const char* requestLine;
    } cases[] = {
        {"https://www.youtube.com/watch?v=abc&t=42", "GET /timedtext?type=list&v=abc&t=42 HTTP/1.0"},
        {"https://www.youtube.com/watch?v=abc?v=def", "GET /timedtext?type=list&v=abc HTTP/1.0"},
        {"watch?v=", "GET /timedtext?type=list&v= HTTP/1.0"},
        {"?v=caf\xC3\xA9%41", "GET /timedtext?type=list&v=caf\xC3\xA9%41 HTTP/1.0"},
        // The field keeps no line break of an address copied with its line end.
        {"https://www.youtube.com/watch?v=abc\n", "GET /timedtext?type=list&v=abc HTTP/1.0"},
        {"\r\nhttps://www.youtube.com/watch?v=abc\r\n", "GET /timedtext?type=list&v=abc HTTP/1.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        Search(c.address);
        ASSERT_FALSE(listService.Requests().empty());
        const FakeRequest request = listService.Requests().back();
        EXPECT_EQ(request.requestLine, c.requestLine);
        EXPECT_EQ(request.headerLines, (std::vector<std::string> {"Host: video.google.com", "Accept: */*", "Accept-Language: en"}));
    }
    EXPECT_EQ(listService.Requests().size(), std::size(cases));
    EXPECT_TRUE(transcriptService.Requests().empty());
}

TEST_F(CaptionTrackSearchTest, TheWorkedAnswerListsGermanThenEnglishWithNoneSelected)
{
    listService.Respond(ListTarget("abc"), Page(kWorkedList));
    Search(Watch("abc"));
    EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"German", "de"}, {"English", "en"}}));
    EXPECT_EQ(window->XMLList().ListCount(), 2);
    for (int row = 0; row < 2; ++row)
        EXPECT_FALSE(window->Listbox1().Selected(row)) << row;
    const QAbstractItemModel* list = static_cast<QTreeView*>(window->Listbox1().Widget())->model();
    EXPECT_EQ(list->index(1, 0).data().toString(), "English");
    EXPECT_TRUE(messages.empty());
}

TEST_F(CaptionTrackSearchTest, ASearchReplacesTheRowsOfTheOneBeforeUnlessItIsRefused)
{
    SearchVideo("abc", {{"English", "en"}, {"German", "de"}, {"French", "fr"}});
    ASSERT_EQ(Rows().size(), 3u);

    SearchVideo("xyz", {{"Japanese", "ja"}});
    EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"Japanese", "ja"}}));
    EXPECT_EQ(window->XMLList().ListCount(), 1);

    for (const char* refused : {"", "https://www.youtube.com/"}) {
        Search(refused);
        EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"Japanese", "ja"}})) << refused;
        EXPECT_EQ(window->XMLList().ListCount(), 1);
    }
    EXPECT_EQ(listService.Requests().size(), 2u);
}

TEST_F(CaptionTrackSearchTest, ANamedTrackGivesTheSameRowAsAnUnnamedOne)
{
    listService.Respond(ListTarget("abc"),
        Page("<?xml version=\"1.0\" encoding=\"utf-8\" ?><list id=\"7\">"
             "<track id=\"0\" name=\"CC\" lang_code=\"de\" lang_translated=\"German\"/>"
             "<track id=\"1\" name=\"\" lang_code=\"de\" lang_translated=\"German\"/></list>"));
    Search(Watch("abc"));
    EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"German", "de"}, {"German", "de"}}));
}

TEST_F(CaptionTrackSearchTest, AnOpeningElementWithoutAttributesKeepsTheFirstTrackUnlisted)
{
    listService.Respond(ListTarget("abc"),
        Page("<?xml version=\"1.0\" encoding=\"utf-8\" ?><list>"
             "<track id=\"0\" name=\"\" lang_code=\"de\" lang_translated=\"German\"/>"
             "<track id=\"1\" name=\"\" lang_code=\"en\" lang_translated=\"English\"/></list>"));
    Search(Watch("abc"));
    EXPECT_EQ(Rows(), (std::vector<LanguageRow> {{"English", "en"}}));
    EXPECT_EQ(window->XMLList().ListCount(), 1);
}

// A failed request looks like a video without caption tracks.
TEST_F(CaptionTrackSearchTest, NoTracksNoAnswerOrNoServiceEachTellThereAreNoTranscripts)
{
    const ClosedPort closed;
    const struct {
        const char* name;
        const char* answer;
        bool reachable;
    } cases[] = {
        {"no tracks", "<?xml version=\"1.0\" encoding=\"utf-8\" ?><list id=\"7\"></list>", true},
        {"empty answer", "", true},
        {"connection refused", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SearchVideo("before", {{"English", "en"}});
        ASSERT_EQ(Rows().size(), 1u);
        messages.clear();

        if (!c.reachable)
            RouteServices(closed.Port(), transcriptService.Port());
        listService.Respond(ListTarget("abc"), Page(c.answer));
        Search(Watch("abc"));
        RouteServices(listService.Port(), transcriptService.Port());

        EXPECT_EQ(messages, std::vector<std::string> {kNoTranscripts});
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(window->XMLList().ListCount(), 0);
    }
}

// No real list comes near the limit, so a longer answer is a failed request, not a long list.
TEST_F(CaptionTrackSearchTest, AListAnswerOverTheTrackListLimitTellsThereAreNoTranscripts)
{
    const std::string opening = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><list id=\"7\">"
                                "<track id=\"0\" name=\"\" lang_code=\"de\" lang_translated=\"";
    const std::string closing = "\"/></list>";
    for (const std::size_t size : {kTrackListBodyLimit, kTrackListBodyLimit + 1}) {
        SCOPED_TRACE(size);
        const std::string name(size - opening.size() - closing.size(), 'a');
        SearchVideo("before", {{"English", "en"}});
        messages.clear();
        listService.Respond(ListTarget("abc"), Page(opening + name + closing));
        Search(Watch("abc"));
        const bool admitted = size == kTrackListBodyLimit;
        const std::vector<LanguageRow> rows = admitted ? std::vector<LanguageRow> {{name, "de"}} : std::vector<LanguageRow>();
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(window->XMLList().ListCount(), admitted ? 1 : 0);
        EXPECT_EQ(messages, admitted ? std::vector<std::string>() : std::vector<std::string> {kNoTranscripts});
    }
}
