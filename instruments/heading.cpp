#include "instruments/heading.h"

#include <cmath>

namespace zor {

THeadingParts SplitHeading(double Angle)
{
    const int degrees = static_cast<int>(std::trunc(Angle));
    const double minutes = (Angle - degrees) * 60;
    const int wholeMinutes = static_cast<int>(std::trunc(minutes));
    return {degrees, wholeMinutes, (minutes - wholeMinutes) * 60};
}

double JoinHeading(int Degrees, int Minutes, double Seconds)
{
    return Degrees + Minutes / 60.0 + Seconds / 3600.0;
}

double WithDegrees(double Angle, int Degrees)
{
    return Angle - std::trunc(Angle) + Degrees;
}

QString HeadingText(double Angle)
{
    const THeadingParts parts = SplitHeading(Angle);
    return QStringLiteral("%1° %2′ %3″").arg(parts.Degrees).arg(parts.Minutes).arg(std::lround(parts.Seconds));
}

} // namespace zor
