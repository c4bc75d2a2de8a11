#pragma once
// The round altimeter: three hands turning once per 1000 (thin), 10 000 (big)
// and 100 000 (little) feet; the value has no upper bound to speak of.

#include "instruments/circular_gauge.h"

namespace zor {

class TZorCircularAltimeter : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(quint64 Hands READ HandBits WRITE SetHandBits NOTIFY handsChanged)
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)
    Q_PROPERTY(zor::TAlphaColor LittleHandColor READ LittleHandColor WRITE SetLittleHandColor NOTIFY
                   littleHandColorChanged)
    Q_PROPERTY(zor::TAlphaColor ThinHandColor READ ThinHandColor WRITE SetThinHandColor NOTIFY thinHandColorChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{};
    // Above this height the little hand stays at twelve o'clock.
    static constexpr double LittleHandCeiling = 1000000;

    explicit TZorCircularAltimeter(QWidget* Parent = nullptr);

    using TZorCustomCircularGauge::LittleHandColor;
    using TZorCustomCircularGauge::MajorMarkers;
    using TZorCustomCircularGauge::MinorMarkers;
    using TZorCustomCircularGauge::SetLittleHandColor;
    using TZorCustomCircularGauge::SetMajorMarkers;
    using TZorCustomCircularGauge::SetMinorMarkers;
    using TZorCustomCircularGauge::SetStartAngle;
    using TZorCustomCircularGauge::SetStopAngle;
    using TZorCustomCircularGauge::SetThinHandColor;
    using TZorCustomCircularGauge::SetValue;
    using TZorCustomCircularGauge::StartAngle;
    using TZorCustomCircularGauge::StopAngle;
    using TZorCustomCircularGauge::ThinHandColor;
    using TZorCustomCircularGauge::Value;

    // The angles of the three hands at height Value, in degrees.
    struct THandAngles {
        double Thin = 0;
        double Big = 0;
        double Little = 0;
    };
    static THandAngles HandAngles(double Value);

protected:
    // The dial counts 0, 1, 2, ... (thousands of feet), whatever the range.
    void GenerateLabels() override;
    void UpdateHands() override;
};

} // namespace zor
