#pragma once
// Lengths in attribute and property text, and back.

#include <QString>
#include <QStringView>

#include "svg/values/lengths.h"

namespace zor {

// Reads a number with an optional unit into Length. The unit is set first
// (keeping the physical size), then the number: "Infinity" and "-Infinity"
// (any case) stand for 1e8 and -1e8, and an unreadable number keeps the
// previous one. A percentage keeps its written number ("50%" gives 50). An
// empty text changes nothing, nor does one whose number overflows the float
// range once converted to pixels ("3e38in").
void ParseLength(QStringView Text, TSVGLength& Length);
// As ParseLength, but a percentage becomes Min + (Max - Min) * number / 100;
// attribute loaders pass 0 and 1 to store fractions.
void ParseLengthValue(QStringView Text, TSVGLength& Length, float Min, float Max);
// ParseLengthValue behind the "inherit" keyword.
void ParseLengthProperty(QStringView Text, TSVGLength& Length, bool& Inherited, float Min, float Max);
// One length per number of the list, reusing the existing entries in order;
// surplus entries are removed.
void ParseLengthList(QStringView Text, TSVGLengths& Lengths, float Min, float Max);

// Cuts a number with an optional unit into both; false (Unit still set) when
// the number part is unreadable. "Infinity" words count as numbers.
bool TryParseUnitNumber(QStringView Text, TSVGUnit& Unit, float& Number);

// A number with an optional unit in user units (number * factor of its unit);
// Unit receives the unit that was written. An empty text gives Default and
// leaves Unit, an unreadable number gives Default.
float ParseUnitValue(QStringView Text, TSVGUnit& Unit, const TSVGUnitFactors& Factors, float Default);

// The number of a length (a percentage mapped onto Min..Max) with its suffix.
QString FormatLength(const TSVGLength& Length, const QString& FormatStr, float Min, float Max);
// Every length with percentages written as percent numbers, joined by Separator.
QString FormatLengthList(const TSVGLengths& Lengths, const QString& FormatStr, const QString& Separator);

} // namespace zor
