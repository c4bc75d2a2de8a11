#include "instruments/seven_segment.h"

namespace zor {

namespace {

using enum TSegment;

// One row per digit, 0 to 9.
const std::array<TSegments, 10> DigitSegments = {{
    {sgLowerLeft, sgLowerRight, sgUpperLeft, sgUpperRight, sgTop, sgBottom},
    {sgLowerRight, sgUpperRight},
    {sgLowerLeft, sgUpperRight, sgTop, sgMiddle, sgBottom},
    {sgLowerRight, sgUpperRight, sgTop, sgMiddle, sgBottom},
    {sgLowerRight, sgUpperLeft, sgUpperRight, sgMiddle},
    {sgLowerRight, sgUpperLeft, sgTop, sgMiddle, sgBottom},
    {sgLowerLeft, sgLowerRight, sgUpperLeft, sgTop, sgMiddle, sgBottom},
    {sgLowerRight, sgUpperRight, sgTop},
    {sgLowerLeft, sgLowerRight, sgUpperLeft, sgUpperRight, sgTop, sgMiddle, sgBottom},
    {sgLowerRight, sgUpperLeft, sgUpperRight, sgTop, sgMiddle, sgBottom},
}};

} // namespace

TSegments SegmentsOf(int Digit)
{
    if (Digit < 0 || Digit >= BlankDigit)
        return {};
    return DigitSegments[static_cast<std::size_t>(Digit)];
}

TClockDigits ClockDigits(int Hour, int Minute, bool TwentyFourHour)
{
    const bool pm = Hour >= 12;
    int tens = Hour / 10;
    int ones = Hour % 10;
    if (!TwentyFourHour) {
        // Midnight and noon read 12.
        const int hour = Hour % 12 == 0 ? 12 : Hour % 12;
        tens = hour >= 10 ? hour / 10 : BlankDigit;
        ones = hour % 10;
    }
    return {{tens, ones, Minute / 10, Minute % 10}, pm};
}

} // namespace zor
