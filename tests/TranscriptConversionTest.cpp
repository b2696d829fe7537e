#include "transcript_window/TranscriptConversion.h"

#include "tests/support/ConversionStepByStep.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";

std::string Caption(const std::string& start, const std::string& duration, const std::string& text)
{
    return "<text start=\"" + start + "\" dur=\"" + duration + "\">" + text + "</text>";
}

std::string Answer(const std::string& captions)
{
    return declaration + "<transcript>" + captions + "</transcript>";
}

const std::string threeCaptions = Answer(
    Caption("5.2", "2.3", "Hello &amp;#39;world&amp;#39;") + Caption("75.5", "1.9", "Second\nline") + Caption("3725.25", "4", "Thanks"));

}

TEST(TranscriptConversion, WritesEachOfTheThreeForms)
{
    EXPECT_EQ(ConvertTranscript(threeCaptions, TranscriptForm::LineByLineWithTimecode),
        "[00:00:05.20]\tHello 'world'\n[00:01:15.50]\tSecond line\n[01:02:05.25]\tThanks\n");
    EXPECT_EQ(ConvertTranscript(threeCaptions, TranscriptForm::LineByLine), "Hello 'world'\nSecond line\nThanks\n");
    EXPECT_EQ(ConvertTranscript(threeCaptions, TranscriptForm::Paragraph), "Hello 'world' Second line Thanks ");
}

TEST(TranscriptConversion, LeavesOutACaptionCutOffByTheEndOfTheAnswer)
{
    const std::string complete = declaration + "<transcript>" + Caption("1", "2", "One");
    for (const std::string cut :
        {"<text start=\"3\" dur=\"1\">Tw", "<text start=\"3\" dur=\"1\">", "<text start=\"3\" dur=\"1\">Two</te", "<text start=\"3"})
        EXPECT_EQ(ConvertTranscript(complete + cut, TranscriptForm::LineByLineWithTimecode), "[00:00:01.00]\tOne\n") << cut;
}

TEST(TranscriptConversion, AnAnswerWithoutCaptionsGivesNoText)
{
    for (const auto form : {TranscriptForm::Paragraph, TranscriptForm::LineByLine, TranscriptForm::LineByLineWithTimecode}) {
        EXPECT_EQ(ConvertTranscript(Answer(""), form), "");
        EXPECT_EQ(ConvertTranscript("", form), "");
    }
}

TEST(TranscriptConversion, MakesLineBreaksAndFdFfPairsOneSpace)
{
    const auto converted
        = [](const std::string& text) { return ConvertTranscript(Answer(Caption("0", "1", text)), TranscriptForm::LineByLine); };
    EXPECT_EQ(converted("a\r\nb\nc\rd"), "a b c d\n");
    EXPECT_EQ(converted("a\r\r\nb"), "a  b\n");
    EXPECT_EQ(converted("a\xFD\xFF"
                        "b"),
        "a b\n");
    EXPECT_EQ(converted("\xFD\r\n\xFF\xFF\xFD"), "\xFD \xFF\xFF\xFD\n");
    // The escaped line breaks the service writes as text are removed, not made spaces.
    EXPECT_EQ(converted("a/\\r//\\n/b"), "ab\n");
}

TEST(TranscriptConversion, DecodesOnlyTheApostropheAndQuotationMark)
{
    const auto converted = ConvertTranscript(
        Answer(Caption("0", "1", "&amp;#39;a&amp;#39; &amp;quot;b&amp;quot; &amp;amp; &#39; &amp;lt;")), TranscriptForm::Paragraph);
    EXPECT_EQ(converted, "'a' \"b\" &amp;amp; &#39; &amp;lt; ");
}

TEST(TranscriptConversion, AForeignDeclarationMakesTheFirstTimecodeZero)
{
    const std::string answer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><transcript>" + Caption("5.2", "1", "One")
        + Caption("9", "1", "Two") + "</transcript>";
    EXPECT_EQ(ConvertTranscript(answer, TranscriptForm::LineByLineWithTimecode), "[00:00:00.00]\tOne\n[00:00:09.00]\tTwo\n");
}

// Long answers made of markers, pieces of markers and the bytes that the rewrites treat alike,
// so that markers meet, nest and straddle every place where a long answer is taken in chunks.
TEST(TranscriptConversion, GivesWhatTheRewritesOnTheWholeTextGive)
{
    const std::vector<std::string> fragments = {declaration, "<?xml", "<transcript>", "</transcript>", "<text start=\"", "<text",
        "\" dur=\"", "\" d", "\">", "\"", ">", "</text>", "</te", "&amp;#39;", "&amp;", "#39;", "&amp;quot;", "quot;", "/\\r/", "/\\n/",
        "/\\", "/", "\r", "\n", "\r\n", "\xFD", "\xFF", " ||| ", " |", "|| ", "12.5", "3600", "-", ".", "x", " "};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, fragments.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 60000);
    for (int round = 0; round < 40; ++round) {
        std::string answer;
        for (const auto wanted = length(random); answer.size() < wanted;)
            answer += fragments[pick(random)];
        for (const auto form : {TranscriptForm::Paragraph, TranscriptForm::LineByLine, TranscriptForm::LineByLineWithTimecode})
            ASSERT_EQ(ConvertTranscript(answer, form), ConvertedStepByStep(answer, form)) << "round " << round;
    }
}
