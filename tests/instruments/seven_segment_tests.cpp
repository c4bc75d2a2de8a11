// Seven-segment digits and the digits a clock shows for each hour and minute
// in 12-hour and 24-hour form.

#include <gtest/gtest.h>

#include "instruments/seven_segment.h"

namespace zor::test {
namespace {

using enum TSegment;

TEST(SevenSegment, EachDigitLightsItsSegments)
{
    // Per segment, the digits that light it.
    const struct {
        TSegment Segment;
        std::initializer_list<int> Digits;
    } segments[] = {
        {sgLowerLeft, {0, 2, 6, 8}},
        {sgLowerRight, {0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {sgUpperLeft, {0, 4, 5, 6, 8, 9}},
        {sgUpperRight, {0, 1, 2, 3, 4, 7, 8, 9}},
        {sgTop, {0, 2, 3, 5, 6, 7, 8, 9}},
        {sgMiddle, {2, 3, 4, 5, 6, 8, 9}},
        {sgBottom, {0, 2, 3, 5, 6, 8, 9}},
    };
    for (const auto& row : segments)
        for (int digit = 0; digit <= 9; ++digit) {
            const bool lit = std::find(row.Digits.begin(), row.Digits.end(), digit) != row.Digits.end();
            EXPECT_EQ(SegmentsOf(digit).Contains(row.Segment), lit)
                << "segment " << static_cast<int>(row.Segment) << ", digit " << digit;
        }
    EXPECT_TRUE(SegmentsOf(BlankDigit).IsEmpty());
    EXPECT_TRUE(SegmentsOf(-1).IsEmpty());
    EXPECT_TRUE(SegmentsOf(42).IsEmpty());
}

TEST(SevenSegment, EveryHourInBothForms)
{
    constexpr int Blank = BlankDigit;
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        const TClockDigits twelve = ClockDigits(hour, 0, false);
        const int shown = hour % 12 == 0 ? 12 : hour % 12;
        EXPECT_EQ(twelve.Digits[0], shown >= 10 ? 1 : Blank);
        EXPECT_EQ(twelve.Digits[1], shown % 10);
        EXPECT_EQ(twelve.IsPM, hour >= 12);

        const TClockDigits full = ClockDigits(hour, 0, true);
        EXPECT_EQ(full.Digits[0], hour / 10);
        EXPECT_EQ(full.Digits[1], hour % 10);
        EXPECT_EQ(full.IsPM, hour >= 12);
    }
}

TEST(SevenSegment, EveryMinute)
{
    for (int minute = 0; minute < 60; ++minute) {
        const TClockDigits shown = ClockDigits(7, minute, false);
        EXPECT_EQ(shown.Digits[2], minute / 10) << minute;
        EXPECT_EQ(shown.Digits[3], minute % 10) << minute;
    }
}

TEST(SevenSegment, TheClockFaces)
{
    constexpr int Blank = BlankDigit;
    const struct {
        int Hour, Minute;
        std::array<int, 4> Twelve;
        bool PM;
        std::array<int, 4> TwentyFour;
    } times[] = {
        {0, 5, {1, 2, 0, 5}, false, {0, 0, 0, 5}},   {12, 30, {1, 2, 3, 0}, true, {1, 2, 3, 0}},
        {13, 7, {Blank, 1, 0, 7}, true, {1, 3, 0, 7}}, {23, 59, {1, 1, 5, 9}, true, {2, 3, 5, 9}},
        {10, 0, {1, 0, 0, 0}, false, {1, 0, 0, 0}},  {9, 41, {Blank, 9, 4, 1}, false, {0, 9, 4, 1}},
    };
    for (const auto& time : times) {
        SCOPED_TRACE(time.Hour * 100 + time.Minute);
        EXPECT_EQ(ClockDigits(time.Hour, time.Minute, false).Digits, time.Twelve);
        EXPECT_EQ(ClockDigits(time.Hour, time.Minute, false).IsPM, time.PM);
        EXPECT_EQ(ClockDigits(time.Hour, time.Minute, true).Digits, time.TwentyFour);
    }
}

} // namespace
} // namespace zor::test
