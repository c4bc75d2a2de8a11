#pragma once
// A compass heading in degrees, and the same heading in degrees, minutes and
// seconds of arc: 12.5 is 12 degrees, 30 minutes and 0 seconds.

#include <QString>

namespace zor {

struct THeadingParts {
    int Degrees;
    int Minutes;
    double Seconds;
};

// The whole degrees, the whole minutes of what is left, and the seconds of
// what is left then (each part truncated towards zero).
THeadingParts SplitHeading(double Angle);
// Degrees + Minutes / 60 + Seconds / 3600.
double JoinHeading(int Degrees, int Minutes, double Seconds);
// Angle with its whole degrees replaced by Degrees.
double WithDegrees(double Angle, int Degrees);
// The heading as a reader says it: "12° 30′ 0″".
QString HeadingText(double Angle);

} // namespace zor
