// Day counts of dates and times: decoding and encoding against known days,
// negative counts, rounding at midnight, and the calendar questions.

#include <gtest/gtest.h>

#include "platform/date_time.h"
#include "platform/exceptions.h"

#include <limits>

namespace zor::test {
namespace {

struct TDayCase {
    TDateTime Value;
    int Year, Month, Day, Hour, Minute, Second;
};

const TDayCase DayCases[] = {
    {0, 1899, 12, 30, 0, 0, 0},
    {1.25, 1899, 12, 31, 6, 0, 0},
    // The fraction of a negative count is the time after its whole day.
    {-1.25, 1899, 12, 29, 6, 0, 0},
    {45337.5, 2024, 2, 15, 12, 0, 0},
    // Rounded to the millisecond, a hair before midnight is midnight.
    {45337.99999999999, 2024, 2, 16, 0, 0, 0},
    {45337 + (10 * 3600 + 8 * 60 + 37) / 86400.0, 2024, 2, 15, 10, 8, 37},
};

TEST(DateTime, DecodesDaysAndTimes)
{
    for (const TDayCase& c : DayCases) {
        SCOPED_TRACE(c.Value);
        const TDecodedDate date = DecodeDate(c.Value);
        const TDecodedTime time = DecodeTime(c.Value);
        EXPECT_EQ(date.Year, c.Year);
        EXPECT_EQ(date.Month, c.Month);
        EXPECT_EQ(date.Day, c.Day);
        EXPECT_EQ(time.Hour, c.Hour);
        EXPECT_EQ(time.Minute, c.Minute);
        EXPECT_EQ(time.Second, c.Second);
    }
}

TEST(DateTime, EncodesWhatItDecodes)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(2024, 2, 15), 45337);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTime, AnswersCalendarQuestions)
{
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInYear(2023), 365);
    EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 1, 1)), 1);
    EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 12, 31) + 0.75), 366);
}

TEST(DateTime, LimitsCountsBeyondTheCalendar)
{
    // Nothing undefined for counts no calendar holds: they are limited.
    EXPECT_NO_THROW(DecodeDate(1e300));
    EXPECT_NO_THROW(DecodeDate(-1e300));
    EXPECT_NO_THROW(DecodeTime(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace
} // namespace zor::test
