#include "SecsToTimecode.h"

#include "Text.h"

#include <gtest/gtest.h>

#include <string>

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
        {-5, "00:00:00.00"},
        {Val("abc"), "00:00:00.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SecsToTimecode(c.seconds), c.timecode) << c.seconds;
}
