#include "instruments/circular_scale.h"

#include <cmath>

namespace zor {

namespace {

constexpr double FullTurn = 360;
constexpr double HalfTurn = 180;

// Whole-degree ends compare exactly; the tolerance only absorbs the
// rounding of fractional ones.
constexpr double SameAngleTolerance = 1e-9;

} // namespace

double ReducedAngle(double Angle)
{
    if (!std::isfinite(Angle))
        return 0;
    double reduced = std::fmod(Angle, FullTurn);
    if (reduced < 0)
        reduced += FullTurn;
    // fmod of a tiny negative number plus a full turn can round up to 360.
    return reduced >= FullTurn ? 0 : reduced;
}

double AngleDistance(double A, double B)
{
    const double difference = ReducedAngle(A - B);
    return difference > HalfTurn ? FullTurn - difference : difference;
}

bool IsFullCircle(double StartAngle, double StopAngle)
{
    return AngleDistance(StartAngle, StopAngle) < SameAngleTolerance;
}

double RangeFraction(double Value, double Min, double Max)
{
    const double range = Max - Min;
    if (range == 0)
        return 0;
    const double fraction = (Value - Min) / range;
    return std::isfinite(fraction) ? fraction : 0;
}

double CountFraction(double Part, double Whole)
{
    return Whole == 0 ? 0 : Part / Whole;
}

double ScaleAngle(double Value, double Min, double Max, double StartAngle, double StopAngle)
{
    return RangeFraction(Value, Min, Max) * (StopAngle - StartAngle) + StartAngle;
}

double LabelOffset(double Angle)
{
    return ReducedAngle(Angle) / FullTurn * 0.5 + 0.0625;
}

int NearestMarkerIndex(double Angle, double StartAngle, double StopAngle, int MajorMarkers)
{
    const double span = StopAngle - StartAngle;
    if (MajorMarkers <= 0 || span == 0)
        return 0;
    const double step = std::fabs(span) / MajorMarkers;
    // How far round from the start, in the arc's own direction.
    const double along = ReducedAngle(span > 0 ? Angle - StartAngle : StartAngle - Angle);
    const double index = std::nearbyint(along / step);
    if (IsFullCircle(StartAngle, StopAngle) || index <= MajorMarkers)
        return static_cast<int>(index);
    return AngleDistance(Angle, StartAngle) > AngleDistance(Angle, StopAngle) ? MajorMarkers : 0;
}

} // namespace zor
