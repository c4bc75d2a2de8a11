#include "svg/values/length_text.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "svg/values/number_parsers.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

// A trimmed length text cut into its unit and its number part.
struct TLengthText {
    TSVGUnit Unit;
    QStringView Number;
};

TLengthText SplitLengthText(QStringView Text)
{
    const TSVGUnit unit = UnitFromSuffix(Text);
    return {unit, Text.chopped(UnitSuffix(unit).size())};
}

// The number of a length, "Infinity" words included.
bool TryLengthNumber(QStringView Text, float& Number)
{
    bool inherited = false;
    const float value = ParseNumber(Text, inherited, std::numeric_limits<float>::quiet_NaN());
    if (std::isnan(value))
        return false;
    Number = value;
    return true;
}

} // namespace

void ParseLength(QStringView Text, TSVGLength& Length)
{
    const QStringView text = TrimBlanks(Text);
    if (text.isEmpty())
        return;
    const TLengthText parts = SplitLengthText(text);
    float number = 0;
    const bool readable = TryLengthNumber(parts.Number, number);
    // A number near the float limit can overflow once converted: such a
    // length would have no size, so the text is refused as a whole.
    if (readable && !std::isfinite(number * UnitFactor(Length.GetUnitFactors(), parts.Unit)))
        return;
    Length.SetaUnit(parts.Unit);
    if (readable)
        Length.SetRaw(number);
    Length.SetIsPercent(parts.Unit == TSVGUnit::suPercent);
}

void ParseLengthValue(QStringView Text, TSVGLength& Length, float Min, float Max)
{
    ParseLength(Text, Length);
    const QStringView text = TrimBlanks(Text);
    float number = 0;
    if (text.isEmpty() || Length.aUnit() != TSVGUnit::suPercent || !TryLengthNumber(text.chopped(1), number))
        return;
    const double value = Min + (double(Max) - Min) * number / 100;
    if (std::fabs(value) <= std::numeric_limits<float>::max())
        Length.SetRaw(float(value));
}

void ParseLengthProperty(QStringView Text, TSVGLength& Length, bool& Inherited, float Min, float Max)
{
    const QStringView text = TrimBlanks(Text);
    if (ApplyInheritProtocol(text, Inherited))
        ParseLengthValue(text, Length, Min, Max);
}

void ParseLengthList(QStringView Text, TSVGLengths& Lengths, float Min, float Max)
{
    const QStringList pieces = SplitNumbers(Text);
    while (Lengths.Count() > pieces.size())
        Lengths.Delete(Lengths.Count() - 1);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        TSVGLength& length = i < Lengths.Count() ? Lengths[i] : Lengths.Add(std::make_unique<TSVGLength>());
        ParseLengthValue(pieces[i], length, Min, Max);
    }
}

bool TryParseUnitNumber(QStringView Text, TSVGUnit& Unit, float& Number)
{
    const TLengthText parts = SplitLengthText(TrimBlanks(Text));
    Unit = parts.Unit;
    return TryLengthNumber(parts.Number, Number);
}

float ParseUnitValue(QStringView Text, TSVGUnit& Unit, const TSVGUnitFactors& Factors, float Default)
{
    if (TrimBlanks(Text).isEmpty())
        return Default;
    float number = 0;
    if (!TryParseUnitNumber(Text, Unit, number))
        return Default;
    // A number near the float limit can overflow once converted.
    const float value = number * UnitFactor(Factors, Unit);
    return std::isfinite(value) ? value : Default;
}

QString FormatLength(const TSVGLength& Length, const QString& FormatStr, float Min, float Max)
{
    return Length.ToString(FormatStr, Min, Max);
}

QString FormatLengthList(const TSVGLengths& Lengths, const QString& FormatStr, const QString& Separator)
{
    QStringList texts;
    for (qsizetype i = 0; i < Lengths.Count(); ++i)
        texts << FormatLength(Lengths[i], FormatStr, 0, 100);
    return texts.join(Separator);
}

} // namespace zor
