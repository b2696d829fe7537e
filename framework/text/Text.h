#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The framework's text functions. Texts are std::string holding UTF-8 bytes; every function
// works on bytes, matches letter case exactly and never depends on the locale.

enum class Encodings { UTF8 };

// The pieces between the occurrences of delimiter, found left to right without overlap:
// n occurrences give n + 1 pieces, empty ones included. An empty delimiter never occurs,
// so it gives the whole text as the one piece.
std::vector<std::string> Split(std::string_view text, std::string_view delimiter);

// Piece index of a split; raises OutOfBoundsException past the last one.
const std::string& Piece(const std::vector<std::string>& pieces, std::size_t index);

// The first occurrence of find replaced; the text unchanged when there is none or find is empty.
std::string Replace(std::string_view text, std::string_view find, std::string_view replacement);

// Every occurrence replaced, left to right; the inserted text is not searched again.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// The start of the text up to bytes bytes, cut so as not to end inside a UTF-8 character: a cut
// before a continuation byte moves back to the byte that leads it, at most three bytes back.
std::string_view LeftBytes(std::string_view text, std::size_t bytes);

// Each line ending (a CR LF pair, a lone LF, a lone CR) replaced once.
std::string ReplaceLineEndings(std::string_view text, std::string_view replacement);
// The same, appended to result: for building one text from many pieces without a copy of each.
void AppendReplacingLineEndings(std::string& result, std::string_view text, std::string_view replacement);

// The decimal number at the start of the text: blanks, tabs and line breaks skipped, then an
// optional sign, digits, a point and decimals; the rest is ignored. 0 when there is no number,
// infinity for digits beyond the range of a double.
double Val(std::string_view text);

// An integer in decimal, with "-" when negative.
std::string Str(int number);

// Str and Format round halves away from zero. Infinities and NaN read "inf", "-inf" and "nan".

// Plain decimal with "." as the point, the exact binary value rounded once to seven significant
// digits, without trailing zeros and without a point for whole numbers: 1, 60, 62.0875,
// 1.258333, and 100.9999 for 6059.997 / 60, which lies just below 100.99995.
std::string Str(double number);

// Format rounds the shortest decimal form that reads back as the same double: 59.995 rounds to
// 60.00 as it is written, although its binary value lies just below.
//
// The number laid out by a pattern of zeros: the zeros before the point are the least number
// of integer digits, those after it the exact number of decimals ("00", "0", "00.00").
// Raises RuntimeException for any other pattern.
std::string Format(double number, std::string_view pattern);

double Floor(double number);

// The UTF-8 bytes of a code point; the empty text for a value that is not a Unicode scalar value.
std::string Chr(int codePoint);

// One byte, 0 to 255, without any encoding; the empty text for other values.
std::string ChrB(int byte);

// Declares the bytes to be in the encoding. Texts carry no encoding here, so the bytes are
// given back unchanged.
std::string DefineEncoding(std::string text, Encodings encoding);

// The platform's line ending.
std::string EndOfLine();
