#pragma once
// Dates and times as day counts: a TDateTime counts days since 30 December
// 1899, its fraction being the time of day. Decoding rounds to the
// millisecond first, so that 0.9999999999 is midnight of the next day and
// not 23:59:59.999 plus a rounding error.

#include <cstdint>

namespace zor {

using TDateTime = double;

struct TDecodedDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
};

struct TDecodedTime {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int MilliSecond = 0;
};

bool IsLeapYear(int Year);
// 28 to 31; Month is 1..12.
int DaysInMonth(int Year, int Month);
int DaysInYear(int Year);

TDecodedDate DecodeDate(TDateTime Value);
TDecodedTime DecodeTime(TDateTime Value);
// The day with the given year, month (1..12) and day (1..DaysInMonth), at
// midnight; raises EConvertError "Invalid argument to date encode" otherwise.
TDateTime EncodeDate(int Year, int Month, int Day);
// Hours 0..23, minutes and seconds 0..59, milliseconds 0..999, as a fraction
// of a day; raises EConvertError "Invalid argument to time encode" otherwise.
TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond);
// 1 for the first of January.
int DayOfTheYear(TDateTime Value);
// The local date and time now.
TDateTime Now();

} // namespace zor
