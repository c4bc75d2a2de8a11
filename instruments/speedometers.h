#pragma once
// The round speedometer: one hand over an arc of 230 degrees, 0 to 120.

#include "instruments/circular_gauge.h"

namespace zor {

class TZorCircularSpeedometer : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(quint64 Hands READ HandBits WRITE SetHandBits NOTIFY handsChanged)
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.Decoration = TDecoration::dcFuelTank};

    explicit TZorCircularSpeedometer(QWidget* Parent = nullptr);

    using TZorCustomCircularGauge::Max;
    using TZorCustomCircularGauge::MajorMarkers;
    using TZorCustomCircularGauge::Min;
    using TZorCustomCircularGauge::MinorMarkers;
    using TZorCustomCircularGauge::SetMajorMarkers;
    using TZorCustomCircularGauge::SetMax;
    using TZorCustomCircularGauge::SetMin;
    using TZorCustomCircularGauge::SetMinorMarkers;
    using TZorCustomCircularGauge::SetStartAngle;
    using TZorCustomCircularGauge::SetStopAngle;
    using TZorCustomCircularGauge::SetValue;
    using TZorCustomCircularGauge::StartAngle;
    using TZorCustomCircularGauge::StopAngle;
    using TZorCustomCircularGauge::Value;
};

} // namespace zor
