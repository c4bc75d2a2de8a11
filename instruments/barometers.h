#pragma once
// The round barometer: one hand over 270 degrees, 950 to 1050 hPa.

#include "instruments/circular_gauge.h"

namespace zor {

class TZorCircularBarometer : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.MajorMarkers = 10};

    explicit TZorCircularBarometer(QWidget* Parent = nullptr);

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

protected:
    // Only the big hand: the other two leave the artwork.
    void UpdateAll() override;
};

} // namespace zor
