#include "instruments/altimeters.h"

#include <cmath>
#include <limits>

#include "instruments/circular_scale.h"
#include "platform/update_scope.h"
#include "svg/values/number_format.h"

namespace zor {

TZorCircularAltimeter::TZorCircularAltimeter(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetCaption(QStringLiteral("Altimeter"));
    SetDefaultCaption(Caption());
    SetDetailText(QStringLiteral("Feet"));
    SetDefaultDetailText(DetailText());
    SetMin(0);
    SetMax(std::numeric_limits<float>::max());
    SetMajorMarkers(10);
}

TZorCircularAltimeter::THandAngles TZorCircularAltimeter::HandAngles(double Value)
{
    // The remainders are taken of the truncated height as a floating-point
    // number: exact for every whole number a float holds, and no integer
    // conversion that a large height could overflow.
    const double feet = std::isfinite(Value) ? std::trunc(Value) : 0;
    const auto turn = [feet](double FeetPerTurn) { return std::fmod(feet, FeetPerTurn) / FeetPerTurn * 360; };
    THandAngles angles;
    angles.Thin = turn(1000);
    angles.Big = turn(10000);
    angles.Little = Value > LittleHandCeiling ? 360 : turn(100000);
    return angles;
}

void TZorCircularAltimeter::GenerateLabels()
{
    if (IsUpdating())
        return;
    const int last = IsFullCircle(StartAngle(), StopAngle()) ? MajorMarkers() - 1 : MajorMarkers();
    QStringList lines;
    for (int k = 0; k <= last; ++k)
        lines += FormatFloat(FormatStr(), k);
    Labels().Assign(lines);
}

void TZorCircularAltimeter::UpdateHands()
{
    const THandAngles angles = HandAngles(Value());
    {
        TUpdateScope<TSVGDocument> update(SVG());
        RotateHand(QStringLiteral("ThinHand"), static_cast<float>(angles.Thin));
        RotateHand(BigHandID(), static_cast<float>(angles.Big));
        RotateHand(QStringLiteral("LittleHand"), static_cast<float>(angles.Little));
    }
    HandsMoved();
}

} // namespace zor
