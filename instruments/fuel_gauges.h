#pragma once
// The round fuel gauge: one hand over 200 degrees from E to F.

#include "instruments/circular_gauge.h"

namespace zor {

class TZorCircularFuelGauge : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{
        .MajorMarkers = 4, .MinorMarkers = 0, .Decoration = TDecoration::dcFuelTank};

    explicit TZorCircularFuelGauge(QWidget* Parent = nullptr);

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
    // "E", three empty lines, "F".
    QString GetDefaultLabels() const override;
    // The labels stay as set; only their texts are built.
    void GenerateLabels() override;
};

} // namespace zor
