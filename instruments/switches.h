#pragma once
// The rotary switch and the rotary dial: a knob that turns to the major
// marker nearest to where the mouse button is released.

#include "instruments/circular_gauge.h"

class QMouseEvent;

namespace zor {

// The knob both share: the hands make way for "KnobSwitch", which turns as
// the big hand would.
class TZorCustomRotarySwitch : public TZorCustomCircularGauge {
    Q_OBJECT

public:
    explicit TZorCustomRotarySwitch(QWidget* Parent = nullptr);

    // The index of the major marker nearest to Angle (degrees clockwise from
    // twelve o'clock, 0..360) on this instrument's arc.
    int NearestMarkerIndex(double Angle) const;
    // The angle of Position (widget coordinates) about the widget's centre,
    // 0..360 clockwise from twelve o'clock.
    double AngleAt(QPointF Position) const;
    // What a release of the mouse button at Position does.
    void ClickAt(QPointF Position);

protected:
    void UpdateAll() override;
    // The knob was turned to marker Index.
    virtual void MarkerClicked(int Index) = 0;
    void mouseReleaseEvent(QMouseEvent* Event) override;
};

class TZorRotarySwitch : public TZorCustomRotarySwitch {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked NOTIFY checkedChanged)
    Q_PROPERTY(int Value READ Value WRITE SetValue NOTIFY valueChanged)
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.MajorMarkers = 2};

    explicit TZorRotarySwitch(QWidget* Parent = nullptr);

    // On when the value rounds to 1.
    bool Checked() const;
    void SetChecked(bool Value);
    // The value rounded to a whole marker index.
    int Value() const;
    void SetValue(int Value);

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
    using TZorCustomCircularGauge::StartAngle;
    using TZorCustomCircularGauge::StopAngle;

    QString AccessibleValueText() const override;

Q_SIGNALS:
    void checkedChanged();

protected:
    // "Off", "On".
    QString GetDefaultLabels() const override;
    void GenerateLabels() override;
    void MarkerClicked(int Index) override;
    void DoChange() override;

private:
    bool FLastChecked = false;
};

class TZorRotaryDial : public TZorCustomRotarySwitch {
    Q_OBJECT
    Q_PROPERTY(int MajorMarkers READ MajorMarkers WRITE SetMajorMarkers NOTIFY majorMarkersChanged)
    Q_PROPERTY(int MinorMarkers READ MinorMarkers WRITE SetMinorMarkers NOTIFY minorMarkersChanged)
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle NOTIFY stopAngleChanged)
    Q_PROPERTY(int Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(int Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.MajorMarkers = 2};

    explicit TZorRotaryDial(QWidget* Parent = nullptr);

    // The range in whole numbers (always stored).
    int Min() const;
    void SetMin(int Value);
    int Max() const;
    void SetMax(int Value);

    using TZorCustomCircularGauge::MajorMarkers;
    using TZorCustomCircularGauge::MinorMarkers;
    using TZorCustomCircularGauge::SetMajorMarkers;
    using TZorCustomCircularGauge::SetMinorMarkers;
    using TZorCustomCircularGauge::SetStartAngle;
    using TZorCustomCircularGauge::SetStopAngle;
    using TZorCustomCircularGauge::SetValue;
    using TZorCustomCircularGauge::StartAngle;
    using TZorCustomCircularGauge::StopAngle;
    using TZorCustomCircularGauge::Value;

protected:
    void MarkerClicked(int Index) override;
};

} // namespace zor
