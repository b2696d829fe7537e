#include "framework/text/Text.h"
#include "framework/text/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

using Pieces = std::vector<std::string>;

TEST(Text, SplitCutsAtEveryOccurrenceWithoutOverlap)
{
    const struct {
        std::string text, delimiter;
        Pieces pieces;
    } cases[] = {
        {"a,b,c", ",", {"a", "b", "c"}},
        {",a,,b,", ",", {"", "a", "", "b", ""}},
        {"abc", ",", {"abc"}},
        {"", ",", {""}},
        {"aaa", "aa", {"", "a"}},
        {"5.2 ||| 2.3 ||| Hi ||| ", " ||| ", {"5.2", "2.3", "Hi", ""}},
        {"Abc", "a", {"Abc"}},
        {"abc", "", {"abc"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Split(c.text, c.delimiter), c.pieces) << c.text << " at " << c.delimiter;
}

TEST(Text, ReadingPastTheLastPieceIsOutOfBounds)
{
    const auto pieces = Split("watch?v=abc", "?v=");
    EXPECT_EQ(Piece(pieces, 1), "abc");
    EXPECT_THROW(Piece(Split("watch", "?v="), 1), OutOfBoundsException);
}

TEST(Text, ReplaceChangesTheFirstOccurrenceAndReplaceAllEvery)
{
    EXPECT_EQ(Replace("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(Replace("abc", "x", "+"), "abc");
    EXPECT_EQ(Replace("abc", "", "+"), "abc");
    EXPECT_EQ(Replace("English\" lang_default=\"true", "\" lang_default=\"true", ""), "English");

    EXPECT_EQ(ReplaceAll("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceAll("abc", "", "+"), "abc");
    // Inserted text is not searched again, and no match is made across what was removed.
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceAll("<<a>>", "<a>", ""), "<>");
}

TEST(Text, LeftBytesNeverCutsACharacter)
{
    const struct {
        std::string text;
        std::size_t bytes;
        std::string left;
    } cases[] = {
        {"English", 3, "Eng"},
        {"English", 7, "English"},
        {"English", 100, "English"},
        {"", 5, ""},
        {"\xC3\xA9t\xC3\xA9", 1, ""},
        {"\xC3\xA9t\xC3\xA9", 2, "\xC3\xA9"},
        {"\xC3\xA9t\xC3\xA9", 4, "\xC3\xA9t"},
        {"a\xE2\x82\xAC", 3, "a"},
        {"a\xF0\x9F\x98\x80", 4, "a"},
        {"a\xF0\x9F\x98\x80", 5, "a\xF0\x9F\x98\x80"},
        {"a\x80\x80\x80\x80\x80z", 4, "a"},
        {"a\x80\x80\x80\x80\x80z", 5, "a\x80"},
        {"\xFF\xFE", 1, "\xFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeftBytes(c.text, c.bytes), c.left) << c.text << " " << c.bytes;
}

TEST(Text, ReplaceLineEndingsCountsCrLfOnce)
{
    EXPECT_EQ(ReplaceLineEndings("a\r\nb\nc\rd", " "), "a b c d");
    EXPECT_EQ(ReplaceLineEndings("\r\r\n\n\r", "|"), "||||");
    EXPECT_EQ(ReplaceLineEndings("\n\r", "<>"), "<><>");
    EXPECT_EQ(ReplaceLineEndings("none", " "), "none");
}

TEST(Text, AppendReplacingLineEndingsKeepsWhatCameBefore)
{
    std::string text = "kept\r";
    AppendReplacingLineEndings(text, "a\r\nb\r", " ");
    AppendReplacingLineEndings(text, "", " ");
    AppendReplacingLineEndings(text, "\nc", "|");
    EXPECT_EQ(text, "kept\ra b |c");
}

TEST(Text, ValReadsTheNumberAtTheStart)
{
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"5.2", 5.2},
        {"3725.25", 3725.25},
        {" \t\r\n75.5 dur", 75.5},
        {"-5", -5},
        {"+3", 3},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"1e5", 1},
        {"1,5", 1},
        {"0-5", 0},
        {"0-0.00001", 0},
        {"-", 0},
        {".", 0},
        {"- 5", 0},
        {"inf", 0},
        {"nan", 0},
        {"<?xml?>5.2", 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Val(c.text), c.value) << c.text;
    EXPECT_EQ(Val(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0);
}

TEST(Text, StrWritesPlainDecimalWithSevenSignificantDigits)
{
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(-1), "-1");
    EXPECT_EQ(Str(INT_MIN), "-2147483648");

    const struct {
        double number;
        std::string text;
    } cases[] = {
        {1, "1"},
        {60, "60"},
        {62.0875, "62.0875"},
        {75.5 / 60, "1.258333"},
        {3599.999 / 60, "59.99998"},
        {3599.99 - 3540, "59.99"},
        {0.5, "0.5"},
        {-5, "-5"},
        {-0.0, "0"},
        {0.00001234567891, "0.00001234568"},
        {123456789, "123456800"},
        {9999999.5, "10000000"},
        {6059.997 / 60, "100.9999"},
        {0.1, "0.1"},
        {123456.25, "123456.3"},
        {-123456.25, "-123456.3"},
        {1234567.5, "1234568"},
        {1e-7, "0.0000001"},
        {5e-324, "0." + std::string(323, '0') + "4940656"},
        {1.7976931348623157e308, "1797693" + std::string(302, '0')},
        {1e20, "100000000000000000000"},
        {HUGE_VAL, "inf"},
        {-HUGE_VAL, "-inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Str(c.number), c.text) << c.text;
}

TEST(Text, FormatPadsAndRoundsHalvesAwayFromZero)
{
    const struct {
        double number;
        std::string pattern, text;
    } cases[] = {
        {5.2, "00.00", "05.20"},
        {59.999, "00.00", "60.00"},
        {59.995, "00.00", "60.00"},
        {59.994, "00.00", "59.99"},
        {0.125, "00.00", "00.13"},
        {-0.125, "00.00", "-00.13"},
        {99.995, "00.00", "100.00"},
        {0, "00.00", "00.00"},
        {0.004, "00.00", "00.00"},
        {7, "00", "07"},
        {2.5, "00", "03"},
        {0.4, "00", "00"},
        {-0.4, "00", "00"},
        {123, "00", "123"},
        {1.5, "0", "2"},
        {0, "0", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.number, c.pattern), c.text) << c.number << " as " << c.pattern;
    for (const auto* pattern : {"", "#.##", "0.", "00.0a"})
        EXPECT_THROW(Format(1, pattern), RuntimeException) << pattern;
}

TEST(Text, CharactersAndBytes)
{
    EXPECT_EQ(Floor(1.9), 1);
    EXPECT_EQ(Floor(-1.1), -2);

    EXPECT_EQ(Chr(9), "\t");
    EXPECT_EQ(Chr(0xE9), "\xC3\xA9");
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
    for (int invalid : {-1, 0xD800, 0x110000})
        EXPECT_EQ(Chr(invalid), "") << invalid;

    EXPECT_EQ(ChrB(253) + ChrB(255), std::string("\xFD\xFF"));
    EXPECT_EQ(ChrB(0), std::string(1, '\0'));
    EXPECT_EQ(ChrB(256), "");

    const std::string notUtf8 = "a\xFD\xFF\xC3";
    EXPECT_EQ(DefineEncoding(notUtf8, Encodings::UTF8), notUtf8);
    EXPECT_EQ(EndOfLine(), "\n");
}
