#pragma once
// The instruments that show a value in a range by changing one element of
// their artwork: the car speedometer, the batteries and the thermometer.
// Their Min, Max and Value keep the same rules: a bound that crosses the
// other pushes it one unit further, the value stays within what the
// instrument can show, and a value change moves only the live part.

#include "instruments/gallery_instrument.h"

namespace zor {

class TZorRangeInstrument : public TZorCustomGalleryInstrument {
    Q_OBJECT
    Q_PROPERTY(float Min READ Min WRITE SetMin NOTIFY minChanged)
    Q_PROPERTY(float Max READ Max WRITE SetMax NOTIFY maxChanged)
    Q_PROPERTY(float Value READ Value WRITE SetValue NOTIFY valueChanged)

public:
    explicit TZorRangeInstrument(QWidget* Parent = nullptr);

    float Min() const { return FMin; }
    // A new Min above Max moves Max to Min + 1; the value is pulled inside
    // what can be shown without raising OnChange.
    void SetMin(float Value);
    float Max() const { return FMax; }
    void SetMax(float Value);
    float Value() const { return FValue; }
    // Limited to ValueLimits; a change raises OnChange.
    void SetValue(float Value);

    // The range the persistence rules compare with.
    float DefaultMin() const { return FDefaultMin; }
    float DefaultMax() const { return FDefaultMax; }
    bool IsMinStored() const { return FMin != FDefaultMin; }
    bool IsMaxStored() const { return FMax != FDefaultMax; }

    bool HasAccessibleRange() const override { return true; }
    double AccessibleMinimum() const override { return ValueLimits().first; }
    double AccessibleMaximum() const override { return ValueLimits().second; }
    double AccessibleValue() const override { return FValue; }
    void SetAccessibleValue(double Value) override { SetValue(static_cast<float>(Value)); }
    // The value in FormatStr.
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void minChanged();
    void maxChanged();
    void valueChanged();
    void partsChanged();
    void fontChanged();

protected:
    // The constructor's range, also the defaults the persistence rules use.
    void InitRange(float Min, float Max);

    // The lowest and highest value the instrument shows: its range, or a
    // little more where the scale runs on.
    virtual std::pair<float, float> ValueLimits() const { return {FMin, FMax}; }
    // The range changed: labels and limits follow. The value is pulled
    // inside the limits after it, then UpdateValue moves the live part.
    virtual void RangeChanged() = 0;
    // Moves the live part to the value.
    virtual void UpdateValue() = 0;
    // The moving part follows the value again after a load.
    void RestoreState() override;

    // The value's share of the span Low..High; 0 for a span of nothing.
    static double Fraction(double Value, double Low, double High);

private:
    void BoundsChanged();

    float FMax = 100;
    float FMin = 0;
    float FValue = 0;
    float FDefaultMax = 100;
    float FDefaultMin = 0;
};

} // namespace zor
