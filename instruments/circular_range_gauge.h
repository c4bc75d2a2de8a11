#pragma once
// Round gauges that publish their scale: the arc with its markers, and the
// arc with its range and value. The instruments that show a value on an arc
// build on these; the base gauge keeps them protected.

#include "instruments/circular_gauge.h"

namespace zor {

// A gauge whose arc and markers are published.
class TZorCircularArcGauge : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)

public:
    using TZorCustomCircularGauge::TZorCustomCircularGauge;

    using TZorCustomCircularGauge::MajorMarkers;
    using TZorCustomCircularGauge::MinorMarkers;
    using TZorCustomCircularGauge::SetMajorMarkers;
    using TZorCustomCircularGauge::SetMinorMarkers;
    using TZorCustomCircularGauge::SetStartAngle;
    using TZorCustomCircularGauge::SetStopAngle;
    using TZorCustomCircularGauge::StartAngle;
    using TZorCustomCircularGauge::StopAngle;
};

// A gauge whose arc, range and value are published: by itself, the base
// gauge's twelve hours of a full circle with its three hands.
class TZorCircularRangeGauge : public TZorCircularArcGauge {
    Q_OBJECT
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    using TZorCircularArcGauge::TZorCircularArcGauge;

    using TZorCustomCircularGauge::Max;
    using TZorCustomCircularGauge::Min;
    using TZorCustomCircularGauge::SetMax;
    using TZorCustomCircularGauge::SetMin;
    using TZorCustomCircularGauge::SetValue;
    using TZorCustomCircularGauge::Value;
};

} // namespace zor
