#include "transcript_window/CaptionTrackList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";

std::vector<std::string> Names(const std::vector<CaptionTrack>& tracks)
{
    std::vector<std::string> names;
    for (const auto& track : tracks)
        names.push_back(track.name);
    return names;
}

}

TEST(CaptionTrackList, ListsEveryTrackInAnswerOrder)
{
    const auto tracks = ParseCaptionTrackList(declaration
        + "<list id=\"7\">"
          "<track id=\"0\" name=\"\" lang_code=\"de\" lang_translated=\"German\"/>"
          "<track id=\"1\" name=\"\" lang_code=\"en\" lang_translated=\"English\" lang_default=\"true\"/></list>");
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[0].element, "0 lang_code=\"de\" lang_translated=\"German\"/>");
    EXPECT_EQ(tracks[0].name, "German");
    EXPECT_EQ(tracks[0].code, "de");
    EXPECT_EQ(tracks[1].element, "1 lang_code=\"en\" lang_translated=\"English\" lang_default=\"true\"/>");
    EXPECT_EQ(tracks[1].name, "English");
    EXPECT_EQ(tracks[1].code, "en");
}

TEST(CaptionTrackList, ANamedTrackGivesTheSameLanguage)
{
    const auto tracks = ParseCaptionTrackList(
        "<list id=\"7\"><track id=\"3\" name=\"CC\" lang_code=\"fr-CA\" lang_translated=\"French &amp; more\"/></list>");
    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0].element, "3\" name=\"CC\" lang_code=\"fr-CA\" lang_translated=\"French &amp; more\"/>");
    EXPECT_EQ(tracks[0].name, "French &amp; more");
    EXPECT_EQ(tracks[0].code, "fr-CA");
}

TEST(CaptionTrackList, AnOpeningElementWithoutAttributesHidesTheFirstTrack)
{
    const auto tracks = ParseCaptionTrackList(declaration
        + "<list>"
          "<track id=\"0\" name=\"\" lang_code=\"de\" lang_translated=\"German\"/>"
          "<track id=\"1\" name=\"\" lang_code=\"en\" lang_translated=\"English\"/></list>");
    EXPECT_EQ(Names(tracks), std::vector<std::string> {"English"});
}

TEST(CaptionTrackList, PiecesThatAreNotTracksGiveNoRow)
{
    const std::string notTracks[] = {"", declaration + "<list id=\"7\"></list>", "<html><body>Not found</body></html>",
        "<error code=\"404\"><message lang=\"en\">Not found</message></error>"};
    for (const auto& answer : notTracks)
        EXPECT_TRUE(ParseCaptionTrackList(answer).empty()) << answer;

    const auto tracks = ParseCaptionTrackList("<list id=\"7\">"
                                              "<track id=\"0\" name=\"\" lang_code=\"de\"/>"
                                              "<track id=\"1\" name=\"\" lang_translated=\"Dutch\"/>"
                                              "<track id=\"2\" name=\"\" lang_translated=\"Welsh\" lang_code=\"cy\"/>"
                                              "<track id=\"3\" name=\"\" lang_code=\"en\" lang_translated=\"English\"/></list>");
    EXPECT_EQ(Names(tracks), std::vector<std::string> {"English"});
}
