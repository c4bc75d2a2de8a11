#include "instruments/range_instrument.h"

#include <algorithm>
#include <cmath>

#include "svg/values/number_format.h"

namespace zor {

TZorRangeInstrument::TZorRangeInstrument(QWidget* Parent)
    : TZorCustomGalleryInstrument(Parent)
{
}

void TZorRangeInstrument::InitRange(float Min, float Max)
{
    FMin = FDefaultMin = Min;
    FMax = FDefaultMax = Max;
    FValue = std::clamp(FValue, FMin, FMax);
}

double TZorRangeInstrument::Fraction(double Value, double Low, double High)
{
    return High != Low ? (Value - Low) / (High - Low) : 0.0;
}

void TZorRangeInstrument::SetMin(float Value)
{
    if (FMin == Value || std::isnan(Value))
        return;
    if (Value > FMax) {
        FMax = Value + 1;
        Q_EMIT maxChanged();
    }
    FMin = Value;
    BoundsChanged();
    Q_EMIT minChanged();
}

void TZorRangeInstrument::SetMax(float Value)
{
    if (FMax == Value || std::isnan(Value))
        return;
    if (Value < FMin) {
        FMin = Value - 1;
        Q_EMIT minChanged();
    }
    FMax = Value;
    BoundsChanged();
    Q_EMIT maxChanged();
}

void TZorRangeInstrument::BoundsChanged()
{
    RangeChanged();
    const auto [low, high] = ValueLimits();
    const float inside = std::clamp(FValue, low, high);
    const bool moved = inside != FValue;
    FValue = inside;
    // The live part follows the new scale whether or not the value moved.
    UpdateValue();
    if (moved)
        Q_EMIT valueChanged();
}

void TZorRangeInstrument::SetValue(float Value)
{
    if (std::isnan(Value))
        return;
    const auto [low, high] = ValueLimits();
    Value = std::clamp(Value, low, high);
    if (FValue == Value)
        return;
    FValue = Value;
    UpdateValue();
    DoChange();
    Q_EMIT valueChanged();
    NotifyAccessibleValue(*this);
}

void TZorRangeInstrument::RestoreState()
{
    TZorCustomGalleryInstrument::RestoreState();
    RangeChanged();
    UpdateValue();
}

QString TZorRangeInstrument::AccessibleValueText() const
{
    return FormatFloat(FormatStr(), FValue);
}

} // namespace zor
