#pragma once
// The arithmetic of a round scale: angles in degrees, clockwise from twelve
// o'clock, on an arc from a start angle to a stop angle. Arcs may start below
// 0 or run past 360; every placement works on angles reduced into [0, 360)
// and on the shorter way round the circle, and a range or a count of nothing
// gives a fraction of 0 rather than a division by zero.

namespace zor {

// Angle reduced into [0, 360).
double ReducedAngle(double Angle);
// The shorter distance round the circle between two angles, 0..180.
double AngleDistance(double A, double B);
// Whether the arc from StartAngle to StopAngle closes on itself (its ends
// are the same point of the circle).
bool IsFullCircle(double StartAngle, double StopAngle);

// (Value - Min) / (Max - Min); 0 when the range is empty.
double RangeFraction(double Value, double Min, double Max);
// Part / Whole; 0 when Whole is 0.
double CountFraction(double Part, double Whole);

// The angle of Value on the arc: its fraction of the range, StartAngle for
// an empty range. Not wrapped: a hand may turn past 360.
double ScaleAngle(double Value, double Min, double Max, double StartAngle, double StopAngle);

// The start offset of a label at Angle along "TextCircle", as a fraction of
// the circle's length: the circle is run twice from 45 degrees before twelve
// o'clock, so one turn is 0.5 and twelve o'clock is 0.0625.
double LabelOffset(double Angle);

// The major marker (0..MajorMarkers) nearest to Angle on the arc. Outside
// the arc of a partial circle it is the end nearer round the circle
// (MajorMarkers for the stop end, 0 for the start end); without markers 0.
int NearestMarkerIndex(double Angle, double StartAngle, double StopAngle, int MajorMarkers);

} // namespace zor
