#pragma once
// Seven-segment digits: which segments show each digit, and the four digits
// a time of day shows on a clock in 12-hour or 24-hour form.

#include <array>
#include <cstddef>

#include "platform/enum_set.h"

namespace zor {

// The segments of a digit, in the order the digital clock's artwork holds them.
enum class TSegment { sgLowerLeft, sgLowerRight, sgUpperLeft, sgUpperRight, sgTop, sgMiddle, sgBottom };
constexpr std::size_t EnumCount(TSegment) { return 7; }
using TSegments = TEnumSet<TSegment>;

// A digit that shows no segment at all.
inline constexpr int BlankDigit = 10;

// The segments lit for Digit 0..9; none for BlankDigit and above, or below 0.
TSegments SegmentsOf(int Digit);

// What a clock shows for a time of day: two digits of the hour, two of the
// minute, and whether it is after noon.
struct TClockDigits {
    std::array<int, 4> Digits;
    bool IsPM;
};

// Hour 0..23 and Minute 0..59 as a clock shows them. In 12-hour form the hour
// runs 12, 1, ..., 11, without a leading zero (a blank digit instead); in
// 24-hour form it runs 00 to 23.
TClockDigits ClockDigits(int Hour, int Minute, bool TwentyFourHour);

} // namespace zor
