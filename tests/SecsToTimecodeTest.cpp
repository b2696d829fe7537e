#include "transcript_window/SecsToTimecode.h"

#include "framework/text/Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

TEST(SecsToTimecode, GivesTheTimecodeOfEverySecondsValue)
{
    const struct {
        double seconds;
        std::string timecode;
    } cases[] = {
        {0, "00:00:00.00"},
        {5.2, "00:00:05.20"},
        {9.5, "00:00:09.50"},
        {10, "00:00:10.00"},
        {59.99, "00:00:59.99"},
        {59.995, "00:00:60.00"},
        {59.999, "00:00:60.00"},
        {60, "00:01:00.00"},
        {75.5, "00:01:15.50"},
        {119.999, "00:01:60.00"},
        {599.5, "00:09:59.50"},
        {3599.99, "00:59:59.99"},
        {3599.999, "00:59:60.00"},
        {3599.99999, "01:00:00.00"},
        {3600, "01:00:00.00"},
        {3725.25, "01:02:05.25"},
        {35999, "09:59:59.00"},
        {36000, "10:00:00.00"},
        {86399.5, "23:59:59.50"},
        {360000, "100:00:00.00"},
        {6059.997, "01:40:60.00"},
        {7259.997, "02:00:60.00"},
        {-5, "00:00:00.00"},
        {Val("abc"), "00:00:00.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SecsToTimecode(c.seconds), c.timecode) << c.seconds;
}

namespace {

__extension__ typedef __int128 Wide;

// The exact value of a double as mantissa × 2^exponent.
struct Binary {
    Wide mantissa;
    int exponent;
};

Binary ExactValue(double number)
{
    int exponent = 0;
    const double fraction = std::frexp(number, &exponent);
    return {static_cast<Wide>(std::ldexp(fraction, 53)), exponent - 53};
}

Wide PowerOfTen(int power)
{
    Wide value = 1;
    while (power-- > 0)
        value *= 10;
    return value;
}

// numerator / denominator rounded half up, for numerator >= 0.
Wide RoundedQuotient(Wide numerator, Wide denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

// value × 2^-shift, exact and below 10^7, rounded half up to seven significant digits: an
// integer R and a power p, the digits meaning R / 10^p.
std::pair<Wide, int> SevenDigits(Wide value, int shift)
{
    const Wide denominator = static_cast<Wide>(1) << shift;
    int power = 0;
    while (value * PowerOfTen(power) < PowerOfTen(6) * denominator)
        ++power;
    return {RoundedQuotient(value * PowerOfTen(power), denominator), power};
}

// The timecode of milliseconds / 1000 seconds, worked out on integers from the exact binary
// values the method's texts are made from: whole minutes from x / 60 to seven digits, then
// the seconds left over to seven digits, then to hundredths.
std::string ReferenceTimecode(std::int64_t milliseconds)
{
    const double seconds = static_cast<double>(milliseconds) / 1000;
    std::int64_t minutes = 0;
    if (seconds >= 60) {
        const auto [value, exponent] = ExactValue(seconds / 60);
        const auto [digits, power] = SevenDigits(value, -exponent);
        minutes = static_cast<std::int64_t>(digits / PowerOfTen(power));
    }
    const auto [value, exponent] = ExactValue(seconds);
    const auto left = value - (static_cast<Wide>(minutes * 60) << -exponent);
    std::int64_t hundredths = 0;
    if (left > 0) {
        const auto [digits, power] = SevenDigits(left, -exponent);
        hundredths
            = static_cast<std::int64_t>(power >= 2 ? RoundedQuotient(digits, PowerOfTen(power - 2)) : digits * PowerOfTen(2 - power));
    }
    const auto hours = static_cast<long long>(minutes / 60);
    const auto wholeSeconds = static_cast<long long>(hundredths / 100);
    const auto cents = static_cast<long long>(hundredths % 100);
    char text[64];
    if (hours == 0)
        std::snprintf(text, sizeof text, "00:%02lld:%02lld.%02lld", static_cast<long long>(minutes), wholeSeconds, cents);
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%02lld", hours, static_cast<long long>(minutes % 60), wholeSeconds, cents);
    return text;
}

}

TEST(SecsToTimecode, MatchesExactArithmeticForEveryMillisecondBelowTenHours)
{
#if defined(__SANITIZE_ADDRESS__)
    const std::int64_t step = 101; // A sanitized build is too slow for all 36 million.
#else
    const std::int64_t step = 1;
#endif
    // Four threads, each a quarter of the range, keep the sweep within seconds.
    constexpr int threads = 4;
    std::vector<std::string> mismatches[threads];
    std::vector<std::thread> workers;
    for (int thread = 0; thread < threads; ++thread) {
        workers.emplace_back([&, thread] {
            auto& found = mismatches[thread];
            for (std::int64_t milliseconds = thread * step; milliseconds < 36'000'000 && found.size() < 10;
                 milliseconds += threads * step) {
                const auto timecode = SecsToTimecode(static_cast<double>(milliseconds) / 1000);
                if (const auto expected = ReferenceTimecode(milliseconds); timecode != expected)
                    found.push_back(std::to_string(milliseconds) + " ms: " + timecode + " instead of " + expected);
            }
        });
    }
    for (auto& worker : workers)
        worker.join();
    for (const auto& found : mismatches) {
        for (const auto& mismatch : found)
            ADD_FAILURE() << mismatch;
    }
}
