#include "instruments/compass.h"

#include <cmath>

#include "instruments/circular_scale.h"
#include "instruments/heading.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"

namespace zor {

const char* const CompassMovablePartNames[3] = {"cmpNeedle", "cmpFace", "cmpFaceNRose"};

namespace {

// The needle of a compass is red, whatever colour the artwork's hand has.
constexpr TAlphaColor NeedleColor = 0xFFFF0000;

// Sets a field for a scope and puts its old value back on every exit path.
template <typename T>
class TTemporaryValue {
public:
    TTemporaryValue(T& Field, T Value)
        : FField(Field)
        , FOld(Field)
    {
        FField = Value;
    }
    ~TTemporaryValue() { FField = FOld; }
    TTemporaryValue(const TTemporaryValue&) = delete;
    TTemporaryValue& operator=(const TTemporaryValue&) = delete;

private:
    T& FField;
    T FOld;
};

} // namespace

TZorCircularCompass::TZorCircularCompass(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    Labels().Assign(QStringList{QStringLiteral("N"), QStringLiteral("E"), QStringLiteral("S"), QStringLiteral("W")});
    SetHands({THand::ghBig});
    SetDefaultHands(Hands());
    SetMax(360);
    SetDecoration(TDecoration::dcStar);
    SetMajorMarkers(4);
    SetMinorMarkers(3);
    SetBigHandColor(NeedleColor);
    FRotate = TCompassMovablePart::cmpFaceNRose;
}

QString TZorCircularCompass::MovingElementID(TCompassMovablePart Part) const
{
    switch (Part) {
    case TCompassMovablePart::cmpNeedle:
        return QStringLiteral("Hands");
    case TCompassMovablePart::cmpFace:
        return QStringLiteral("MarkersAndLabels");
    case TCompassMovablePart::cmpFaceNRose:
        break;
    }
    return QStringLiteral("Dial");
}

void TZorCircularCompass::LoadFromResource(const QString& ResName)
{
    TZorCustomCircularGauge::LoadFromResource(ResName);
    // Loading reads the hand's colour from the artwork; the needle keeps its own.
    SetBigHandColor(NeedleColor);
    TSVGGraphicElement* element = nullptr;
    if (TryGetElement(QStringLiteral("Hands"), element)) {
        TTemporaryValue<TCompassMovablePart> needle(FRotate, TCompassMovablePart::cmpNeedle);
        SetActiveSVGElement(element);
        UpdateHands();
    }
    if (TryGetElement(QStringLiteral("Dial"), element))
        SetActiveSVGElement(element);
}

void TZorCircularCompass::GenerateLabels()
{
    CreateMeasurementLabels();
}

void TZorCircularCompass::UpdateHands()
{
    const auto angle = static_cast<float>(ValueAngle(Value()));
    {
        TUpdateScope<TSVGDocument> update(SVG());
        switch (FRotate) {
        case TCompassMovablePart::cmpNeedle:
            RotateHand(BigHandID(), angle);
            break;
        // The face turns by the heading itself: - 90 cancels the hands' + 90.
        case TCompassMovablePart::cmpFace:
            RotateHand(QStringLiteral("MarkersAndLabels"), angle - 90);
            break;
        case TCompassMovablePart::cmpFaceNRose:
            RotateHand(QStringLiteral("Dial"), angle - 90);
            break;
        }
    }
    HandsMoved();
}

void TZorCircularCompass::SetRotate(TCompassMovablePart Value)
{
    if (FRotate == Value)
        return;
    const float heading = Angle();
    // The part that moved so far goes back to rest first.
    SetAngle(0.0F);
    FRotate = Value;
    TSVGGraphicElement* moving = nullptr;
    TryGetElement(MovingElementID(FRotate), moving);
    SetActiveSVGElement(moving);
    InvalidateBuffers();
    SetAngle(heading);
    Repaint();
    Q_EMIT rotateChanged();
}

// --- Degrees, minutes and seconds -------------------------------------------------

void TZorCircularCompass::SetAngle(int aDegrees, int aMinutes, float aSeconds)
{
    SetAngle(static_cast<float>(JoinHeading(aDegrees, aMinutes, aSeconds)));
}

int TZorCircularCompass::Degrees() const
{
    return SplitHeading(Angle()).Degrees;
}

void TZorCircularCompass::SetDegrees(int Value)
{
    SetAngle(static_cast<float>(WithDegrees(Angle(), Value)));
}

int TZorCircularCompass::Minutes() const
{
    return SplitHeading(Angle()).Minutes;
}

void TZorCircularCompass::SetMinutes(int Value)
{
    SetAngle(Degrees(), Value, Seconds());
}

float TZorCircularCompass::Seconds() const
{
    return static_cast<float>(SplitHeading(Angle()).Seconds);
}

void TZorCircularCompass::SetSeconds(float Value)
{
    SetAngle(Degrees(), Minutes(), Value);
}

QString TZorCircularCompass::AccessibleValueText() const
{
    return HeadingText(Angle());
}

} // namespace zor
