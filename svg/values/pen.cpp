#include "svg/values/pen.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "svg/values/length_text.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

const QString DashEntryFormat = QStringLiteral("0.###");
const QString DashWidthFormat = QStringLiteral("0.##");
const QString NoDash = QStringLiteral("none");

// The shortest decimal that reads back as the same float.
double ShortestDecimal(float Value)
{
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), Value);
    double decimal = Value;
    std::from_chars(buffer.data(), written.ptr, decimal);
    return decimal;
}

// "0.###" writes a positive entry below 0.0005 as "0", which would read back
// as no dash at all: such an entry is written in full.
QString DashEntryText(TSVGUnit Unit, float Number)
{
    if (Number > 0 && FormatFloat(DashEntryFormat, Number) == u"0")
        return FormatNumber(Unit, QString(), ShortestDecimal(Number));
    return FormatNumber(Unit, DashEntryFormat, Number);
}

} // namespace

// No entry below 0 (nor unreadable) and one above 0 at least: dashes of
// length 0 show their caps alone, and a list that sums to 0 strokes solid.
bool TSVGDashList::IsDrawable() const
{
    return std::all_of(Values.begin(), Values.end(), [](float v) { return v >= 0; })
        && std::any_of(Values.begin(), Values.end(), [](float v) { return v > 0; });
}

TSVGDashList ParseDashList(QStringView Text, const TSVGUnitFactors& Factors)
{
    TSVGDashList dash;
    for (const QString& piece : SplitNumbers(Text)) {
        TSVGUnit unit = TSVGUnit::suNone;
        // An unreadable entry reads as NaN, which no drawable list holds.
        float value = ParseUnitValue(piece, unit, Factors, std::numeric_limits<float>::quiet_NaN());
        const bool percent = unit == TSVGUnit::suPercent;
        if (percent)
            value /= 100;
        dash.Values.push_back(value);
        dash.Units.push_back(unit);
        dash.IsPercent.push_back(percent);
    }
    // An odd list is repeated once, as dash patterns alternate dash and gap.
    if (dash.Values.size() % 2 != 0) {
        const std::size_t count = dash.Values.size();
        for (std::size_t i = 0; i < count; ++i) {
            dash.Values.push_back(dash.Values[i]);
            dash.Units.push_back(dash.Units[i]);
            dash.IsPercent.push_back(dash.IsPercent[i]);
        }
    }
    return dash;
}

TSVGPen::TSVGPen(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner)
    : TSVGPaint(ADefaultKind, ADefaultColor, std::move(Owner))
    , FSVGDashOffset(*this, 0)
{
}

void TSVGPen::OwnedValueChanged(TPersistent&, int)
{
    StoreDashOffset(FSVGDashOffset.GetValue());
    Changed();
}

bool TSVGPen::OwnedValueUnitFactors(const TPersistent&, int, TSVGUnitFactors& Factors) const
{
    // The offset is measured with the element's factors, like the pen.
    Factors = GetUnitFactors();
    return true;
}

void TSVGPen::Assign(const TPersistent* Source)
{
    if (auto* pen = dynamic_cast<const TSVGPen*>(Source)) {
        const THeldChanges held(FHeldChanges);
        FMiterLimit = pen->FMiterLimit;
        AssignPaint(*pen);
        FSVGDashOffset.Assign(&pen->FSVGDashOffset);
        FThicknessIsPercent = pen->FThicknessIsPercent;
        FThicknessPreferredUnit = pen->FThicknessPreferredUnit;
        FDashArrayPreferredUnits = pen->FDashArrayPreferredUnits;
        FDashArrayIsPercent = pen->FDashArrayIsPercent;
    }
    TSVGPaint::Assign(Source);
}

void TSVGPen::Clear()
{
    {
        const THeldChanges held(FHeldChanges);
        SetKind(TBrushKind::None);
        ClearPaint();
        SetDash(TStrokeDash::Solid);
        FThicknessPreferredUnit = TSVGUnit::suNone;
        FThicknessIsPercent = false;
        SetThickness(1);
        SetCap(TStrokeCap::Flat);
        FMiterLimit = DefaultMiterLimit;
        FSVGDashOffset.Clear();
        FDashArrayPreferredUnits.clear();
        FDashArrayIsPercent.clear();
        SetJoin(TStrokeJoin::Miter);
    }
    Changed();
}

QString TSVGPen::GetDashArray() const
{
    switch (Dash()) {
    case TStrokeDash::Solid:
        return NoDash;
    case TStrokeDash::Custom:
        return CustomDashArray();
    default:
        break;
    }
    QStringList entries;
    for (float multiple : StandardDashPattern(Dash()))
        entries << FormatFloat(DashWidthFormat, multiple * Thickness());
    return entries.join(u' ');
}

TSVGUnitFactors TSVGPen::GetUnitFactors() const
{
    TSVGUnitFactors factors = DefaultUnitFactors;
    if (!Owner().UnitFactors(*this, factors))
        Fire(OnUnitFactors, *this, factors);
    return factors;
}

QString TSVGPen::CustomDashArray() const
{
    if (Dash() != TStrokeDash::Custom)
        return NoDash;
    const TSVGUnitFactors factors = GetUnitFactors();
    const std::vector<float>& pattern = DashArray();
    QStringList entries;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i < FDashArrayIsPercent.size() && FDashArrayIsPercent[i]) {
            entries << DashEntryText(TSVGUnit::suPercent, pattern[i] * 100);
            continue;
        }
        // Entries are kept in user units; they are written back in the unit
        // they were read in, so that a saved list reads back the same.
        const TSVGUnit unit = i < FDashArrayPreferredUnits.size() ? FDashArrayPreferredUnits[i] : TSVGUnit::suNone;
        const float factor = UnitFactor(factors, unit);
        entries << DashEntryText(unit, factor == 0 ? pattern[i] : pattern[i] / factor);
    }
    return entries.join(u' ');
}

void TSVGPen::SetCustomDashArray(QStringView Value)
{
    const QStringView text = TrimBlanks(Value);
    const TSVGDashList dash = text == NoDash ? TSVGDashList() : ParseDashList(text, GetUnitFactors());
    if (dash.Values.empty()) {
        FDashArrayPreferredUnits.clear();
        FDashArrayIsPercent.clear();
        SetDash(TStrokeDash::Solid);
        return;
    }
    if (dash.IsDrawable())
        ApplyDashList(dash);
}

void TSVGPen::ApplyDashList(const TSVGDashList& Dash)
{
    FDashArrayPreferredUnits = Dash.Units;
    FDashArrayIsPercent = Dash.IsPercent;
    SetCustomDash(Dash.Values, FSVGDashOffset.GetValue());
}

} // namespace zor
