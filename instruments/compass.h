#pragma once
// The round compass: a heading of 0..360 degrees shown by turning the
// needle, the face, or the face with its rose.

#include "instruments/circular_gauge.h"

namespace zor {

// What a compass turns to show its heading.
enum class TCompassMovablePart { cmpNeedle, cmpFace, cmpFaceNRose };
constexpr std::size_t EnumCount(TCompassMovablePart) { return 3; }
extern const char* const CompassMovablePartNames[3];

class TZorCircularCompass : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(quint64 Hands READ HandBits WRITE SetHandBits NOTIFY handsChanged)
    Q_PROPERTY(float Angle READ Angle WRITE SetAngle NOTIFY valueChanged)
    Q_PROPERTY(zor::TCompassMovablePart Rotate READ Rotate WRITE SetRotate NOTIFY rotateChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.Decoration = TDecoration::dcStar};

    explicit TZorCircularCompass(QWidget* Parent = nullptr);

    // The heading, limited to 0..360.
    float Angle() const { return Value(); }
    void SetAngle(float Value) { TZorCustomCircularGauge::SetValue(Value); }
    // The heading as degrees, minutes and seconds of arc.
    void SetAngle(int aDegrees, int aMinutes, float aSeconds);
    int Degrees() const;
    void SetDegrees(int Value);
    int Minutes() const;
    void SetMinutes(int Value);
    float Seconds() const;
    void SetSeconds(float Value);

    TCompassMovablePart Rotate() const { return FRotate; }
    void SetRotate(TCompassMovablePart Value);

    QString AccessibleValueText() const override;

    void LoadFromResource(const QString& ResName) override;

Q_SIGNALS:
    void rotateChanged();

protected:
    // "N", "E", "S", "W" stay as set.
    void GenerateLabels() override;
    void UpdateHands() override;

private:
    // The element that turns for Part, as the live part of the drawing.
    QString MovingElementID(TCompassMovablePart Part) const;

    TCompassMovablePart FRotate = TCompassMovablePart::cmpFaceNRose;
};

} // namespace zor
