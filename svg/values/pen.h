#pragma once
// The stroke of an element: width and dash entries that remember the unit and
// percentage they were written with, a miter limit and a dash offset length.

#include <QString>
#include <QStringView>
#include <vector>

#include "svg/values/lengths.h"
#include "svg/values/paint.h"

namespace zor {

// A dash list read from text: entries in user units (percentages as
// fractions), each with the unit it was written in.
struct TSVGDashList {
    std::vector<float> Values;
    TSVGUnits Units;
    std::vector<bool> IsPercent;

    // At least one entry, and every entry greater than 0.
    bool IsDrawable() const;
};

// Splits a dash list at commas and blanks and converts each entry with the
// unit factors; an odd number of entries is repeated once to make it even. An
// unreadable entry counts as 0.
TSVGDashList ParseDashList(QStringView Text, const TSVGUnitFactors& Factors);

// The pen owns its dash offset length.
class TSVGPen : public TSVGPaint<TStrokeBrush>, private ISVGValueOwner {
public:
    static constexpr float DefaultMiterLimit = 4;

    TSVGPen(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner = {});

    void Assign(const TPersistent* Source) override;
    // No paint, opaque black, solid, width 1, flat caps, miter joins.
    virtual void Clear();
    // The dash as SVG text: "none", the standard pattern scaled by the width,
    // or the custom list.
    virtual QString GetDashArray() const;
    // The owner's factors, or those of OnUnitFactors without an owner.
    virtual TSVGUnitFactors GetUnitFactors() const;

    // "none" unless the dash is custom; otherwise each entry in the unit it was
    // written in.
    QString CustomDashArray() const;
    // "none" or an empty text make the stroke solid. A list is taken only as a
    // whole: one with a zero or negative entry leaves pattern, units and style
    // as they were.
    void SetCustomDashArray(QStringView Value);
    // Makes Dash the custom pattern with its units, at the current offset.
    void ApplyDashList(const TSVGDashList& Dash);

    float MiterLimit() const { return FMiterLimit; }
    void SetMiterLimit(float Value) { SetField(FMiterLimit, Value); }
    bool ThicknessIsPercent() const { return FThicknessIsPercent; }
    void SetThicknessIsPercent(bool Value) { SetField(FThicknessIsPercent, Value); }
    TSVGUnit ThicknessPreferredUnit() const { return FThicknessPreferredUnit; }
    void SetThicknessPreferredUnit(TSVGUnit Value) { SetField(FThicknessPreferredUnit, Value); }
    const std::vector<bool>& DashArrayIsPercent() const { return FDashArrayIsPercent; }
    void SetDashArrayIsPercent(const std::vector<bool>& Value) { FDashArrayIsPercent = Value; }
    const TSVGUnits& DashArrayPreferredUnits() const { return FDashArrayPreferredUnits; }
    void SetDashArrayPreferredUnits(const TSVGUnits& Value) { FDashArrayPreferredUnits = Value; }
    TSVGLength& SVGDashOffset() { return FSVGDashOffset; }
    const TSVGLength& SVGDashOffset() const { return FSVGDashOffset; }
    void SetSVGDashOffset(const TSVGLength& Value) { FSVGDashOffset.Assign(&Value); }

    TSVGUnitFactorsEvent OnUnitFactors;

private:
    void OwnedValueChanged(TPersistent& Value, int Slot) override;
    bool OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const override;

    bool FThicknessIsPercent = false;
    TSVGUnit FThicknessPreferredUnit = TSVGUnit::suNone;
    std::vector<bool> FDashArrayIsPercent;
    TSVGUnits FDashArrayPreferredUnits;
    float FMiterLimit = DefaultMiterLimit;
    // Reports to the pen through private lines.
    TSVGLength FSVGDashOffset;
};

} // namespace zor
