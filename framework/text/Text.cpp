#include "framework/text/Text.h"

#include "framework/text/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

// A finite number as decimal digits: ±0.d1 d2 d3 ... × 10^point, without trailing zeros;
// no digits at all for zero.
struct Decimal {
    bool negative = false;
    char digits[17] = {};
    int count = 0;
    int point = 0;
};

void DropTrailingZeros(Decimal& decimal)
{
    while (decimal.count > 0 && decimal.digits[decimal.count - 1] == '0')
        --decimal.count;
}

// The digits and point of number in scientific form: the shortest that read back as the same
// double, or rounded once to precision + 1 significant digits. Trailing zeros are kept.
Decimal Scientific(double number, std::optional<int> precision)
{
    Decimal decimal;
    decimal.negative = std::signbit(number);
    char text[32];
    const auto written = precision ? std::to_chars(text, text + sizeof text, number, std::chars_format::scientific, *precision).ptr
                                   : std::to_chars(text, text + sizeof text, number, std::chars_format::scientific).ptr;
    const char* at = decimal.negative ? text + 1 : text;
    for (; *at != 'e'; ++at) {
        if (*at != '.')
            decimal.digits[decimal.count++] = *at;
    }
    ++at;
    if (*at == '+')
        ++at;
    int exponent = 0;
    std::from_chars(at, written, exponent);
    decimal.point = exponent + 1;
    return decimal;
}

// The shortest digits that read back as the same double.
Decimal ToDecimal(double number)
{
    Decimal decimal;
    decimal.negative = std::signbit(number);
    // Whole numbers, most of those a timecode works on, are their own shortest digits.
    if (number == std::trunc(number) && std::fabs(number) < 0x1p53) {
        const auto whole = static_cast<std::int64_t>(std::fabs(number));
        decimal.count = static_cast<int>(std::to_chars(decimal.digits, decimal.digits + sizeof decimal.digits, whole).ptr - decimal.digits);
        decimal.point = decimal.count;
        DropTrailingZeros(decimal);
        return decimal;
    }
    decimal = Scientific(number, std::nullopt);
    DropTrailingZeros(decimal);
    return decimal;
}

// The exact binary value rounded once to `keep` significant digits, halves away from zero.
// Rounding the shortest digits instead would round twice: 100.99994999999999834 has the
// shortest form 100.99995, which would then round up to 101.
Decimal RoundedToSignificantDigits(double number, int keep)
{
    Decimal decimal;
    decimal.negative = std::signbit(number);
    // From 1 up to 2^53, where timecodes live, the exact value is an integer mantissa over a
    // power of two that integer arithmetic rounds faster than the general conversion.
    if (const double magnitude = std::fabs(number); magnitude >= 1 && magnitude < 0x1p53) {
        const auto whole = static_cast<std::int64_t>(magnitude);
        char text[24];
        const int integerDigits = static_cast<int>(std::to_chars(text, text + sizeof text, whole).ptr - text);
        const int decimals = keep - integerDigits;
        std::int64_t rounded = 0;
        if (decimals >= 0) {
            int exponent = 0;
            const double fraction = std::frexp(magnitude, &exponent);
            const int shift = 53 - exponent;
            __extension__ using Wide = unsigned __int128;
            Wide scaled = static_cast<Wide>(std::ldexp(fraction, 53));
            for (int power = 0; power < decimals; ++power)
                scaled *= 10;
            rounded = static_cast<std::int64_t>(shift > 0 ? (scaled + (static_cast<Wide>(1) << (shift - 1))) >> shift : scaled);
        } else {
            std::int64_t unit = 1;
            for (int power = 0; power < -decimals; ++power)
                unit *= 10;
            rounded = (whole + unit / 2) / unit;
        }
        decimal.count
            = static_cast<int>(std::to_chars(decimal.digits, decimal.digits + sizeof decimal.digits, rounded).ptr - decimal.digits);
        decimal.point = decimal.count - decimals;
        DropTrailingZeros(decimal);
        return decimal;
    }
    decimal = Scientific(number, keep - 1);
    std::int64_t kept = 0;
    for (int i = 0; i < decimal.count; ++i)
        kept = kept * 10 + (decimal.digits[i] - '0');
    const int exponent = decimal.point - 1;
    // to_chars breaks an exact tie towards the even digit; away from zero it goes up instead,
    // which differs only when the even digit was the lower one. Ties are exact doubles, so
    // they need a power of ten that is itself exact.
    const int tieExponent = exponent - keep;
    if (kept % 2 == 0 && tieExponent >= -22 && tieExponent <= 22) {
        const double tie = static_cast<double>(kept * 10 + 5);
        const double scale = std::pow(10.0, std::abs(tieExponent));
        const double magnitude = std::fabs(number);
        const bool isTie = tieExponent < 0 ? magnitude * scale == tie && std::fma(magnitude, scale, -tie) == 0
                                           : tie * scale == magnitude && std::fma(tie, scale, -magnitude) == 0;
        if (isTie)
            ++decimal.digits[decimal.count - 1];
    }
    DropTrailingZeros(decimal);
    return decimal;
}

// Keeps the first `keep` digits, rounding the dropped ones half away from zero.
void Round(Decimal& decimal, int keep)
{
    if (keep >= decimal.count)
        return;
    if (keep < 0) {
        decimal.count = 0;
        return;
    }
    const bool up = decimal.digits[keep] >= '5';
    decimal.count = keep;
    if (up) {
        int last = keep - 1;
        while (last >= 0 && decimal.digits[last] == '9')
            --last;
        if (last < 0) {
            decimal.digits[0] = '1';
            decimal.count = 1;
            ++decimal.point;
        } else {
            ++decimal.digits[last];
            decimal.count = last + 1;
        }
    }
    DropTrailingZeros(decimal);
}

char DigitAt(const Decimal& decimal, int index)
{
    return index >= 0 && index < decimal.count ? decimal.digits[index] : '0';
}

std::string Layout(const Decimal& decimal, int leastIntegerDigits, int decimals)
{
    const bool minus = decimal.negative && decimal.count > 0;
    const int integerDigits = std::max(decimal.point, 0);
    const int padding = std::max(leastIntegerDigits - integerDigits, 0);
    std::string text(minus + padding + integerDigits + (decimals > 0 ? 1 + decimals : 0), '0');
    char* at = text.data();
    if (minus)
        *at++ = '-';
    at += padding;
    for (int index = 0; index < integerDigits; ++index)
        *at++ = DigitAt(decimal, index);
    if (decimals > 0) {
        *at++ = '.';
        for (int index = 0; index < decimals; ++index)
            *at++ = DigitAt(decimal, decimal.point + index);
    }
    return text;
}

std::string NonFiniteText(double number)
{
    char text[8];
    return {text, std::to_chars(text, text + sizeof text, number).ptr};
}

bool AllZeros(std::string_view text)
{
    return !text.empty() && text.find_first_not_of('0') == std::string_view::npos;
}

}

std::vector<std::string> Split(std::string_view text, std::string_view delimiter)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    if (!delimiter.empty()) {
        for (auto at = text.find(delimiter); at != std::string_view::npos; at = text.find(delimiter, start)) {
            pieces.emplace_back(text.substr(start, at - start));
            start = at + delimiter.size();
        }
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

const std::string& Piece(const std::vector<std::string>& pieces, std::size_t index)
{
    if (index >= pieces.size())
        throw OutOfBoundsException();
    return pieces[index];
}

std::string Replace(std::string_view text, std::string_view find, std::string_view replacement)
{
    const auto at = find.empty() ? std::string_view::npos : text.find(find);
    if (at == std::string_view::npos)
        return std::string(text);
    std::string result;
    result.reserve(text.size() - find.size() + replacement.size());
    result.append(text.substr(0, at)).append(replacement).append(text.substr(at + find.size()));
    return result;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement)
{
    if (find.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (auto at = text.find(find); at != std::string_view::npos; at = text.find(find, start)) {
        result.append(text.substr(start, at - start)).append(replacement);
        start = at + find.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string_view LeftBytes(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    const auto continues = [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; };
    // A character has at most three continuation bytes; a longer run is no character.
    std::size_t end = bytes;
    while (end > 0 && end + 3 > bytes && continues(text[end]))
        --end;
    return text.substr(0, end);
}

std::string ReplaceLineEndings(std::string_view text, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size());
    AppendReplacingLineEndings(result, text, replacement);
    return result;
}

void AppendReplacingLineEndings(std::string& result, std::string_view text, std::string_view replacement)
{
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        result.append(text.substr(start, at - start)).append(replacement);
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    result.append(text.substr(start));
}

double Val(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n'))
        ++at;
    if (at == text.size())
        return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    const auto skipDigits = [&] {
        const auto from = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at > from;
    };
    const auto start = at;
    bool hasDigits = skipDigits();
    const auto integerEnd = at;
    if (at < text.size() && text[at] == '.') {
        ++at;
        hasDigits = skipDigits() || hasDigits;
    }
    if (!hasDigits)
        return 0;
    double number = 0;
    const auto error = std::from_chars(text.data() + start, text.data() + at, number, std::chars_format::fixed).ec;
    if (error == std::errc::result_out_of_range) {
        const auto integerPart = text.substr(start, integerEnd - start);
        number = integerPart.find_first_not_of('0') == std::string_view::npos ? 0.0 : HUGE_VAL;
    }
    return negative ? -number : number;
}

std::string Str(int number)
{
    char text[16];
    return {text, std::to_chars(text, text + sizeof text, number).ptr};
}

std::string Str(double number)
{
    if (!std::isfinite(number))
        return NonFiniteText(number);
    Decimal decimal = RoundedToSignificantDigits(number, 7);
    const int decimals = decimal.count > 0 ? std::max(decimal.count - decimal.point, 0) : 0;
    return Layout(decimal, 1, decimals);
}

std::string Format(double number, std::string_view pattern)
{
    const auto point = pattern.find('.');
    const auto integerZeros = pattern.substr(0, point);
    const auto decimalZeros = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    if (!AllZeros(integerZeros) || (point != std::string_view::npos && !AllZeros(decimalZeros)))
        throw RuntimeException("Format does not know the pattern \"" + std::string(pattern) + "\".");
    if (!std::isfinite(number))
        return NonFiniteText(number);
    Decimal decimal = ToDecimal(number);
    const int decimals = static_cast<int>(decimalZeros.size());
    Round(decimal, decimal.point + decimals);
    return Layout(decimal, static_cast<int>(integerZeros.size()), decimals);
}

double Floor(double number)
{
    return std::floor(number);
}

std::string Chr(int codePoint)
{
    if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {};
    const auto byte = [](unsigned value) { return static_cast<char>(value); };
    const auto c = static_cast<unsigned>(codePoint);
    if (c < 0x80)
        return {byte(c)};
    if (c < 0x800)
        return {byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
    return {byte(0xF0 | c >> 18), byte(0x80 | (c >> 12 & 0x3F)), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
}

std::string ChrB(int byte)
{
    if (byte < 0 || byte > 255)
        return {};
    return std::string(1, static_cast<char>(byte));
}

std::string DefineEncoding(std::string text, Encodings)
{
    return text;
}

std::string EndOfLine()
{
    return "\n";
}
