#pragma once
// Parsers of presentation property values. Those that take an Inherited flag
// follow the "inherit" keyword first: "inherit" sets the flag, an empty text
// keeps it, any other text clears it, and only a text that clears it is read;
// otherwise the current value is returned unchanged.

#include <QRectF>
#include <QStringView>

#include "svg/values/brush_base.h"
#include "svg/values/font.h"
#include "svg/values/lengths.h"
#include "svg/values/pen.h"
#include "svg/values/style_keywords.h"
#include "svg/values/style_lengths.h"
#include "svg/values/text_utils.h"

namespace zor {

// The member whose keyword matches, else the missing member.
template <typename E>
E ParseKeywordProperty(QStringView Text, E Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    return ApplyInheritProtocol(text, Inherited) ? KeywordToMember<E>(text) : Current;
}

// Without "inherit": an empty text keeps Current, any other the matching or the missing member.
template <typename E>
E ParseKeywordOrFirst(QStringView Text, E Current)
{
    const QStringView text = TrimBlanks(Text);
    return text.isEmpty() ? Current : KeywordToMember<E>(text);
}

// Without "inherit": the matching member, else Current.
template <typename E>
E ParseKeywordOrKeep(QStringView Text, E Current)
{
    FindKeyword(TrimBlanks(Text), Current);
    return Current;
}

// An angle with an optional "deg", rounded to quarter turns; only 0, 90, 180
// and 270 are orientations, anything else gives the missing member.
TSVGGlyphOrientationHorizontal ParseGlyphOrientationHorizontal(
    QStringView Text, TSVGGlyphOrientationHorizontal Current, bool& Inherited);
// As the horizontal one, and "auto".
TSVGGlyphOrientationVertical ParseGlyphOrientationVertical(
    QStringView Text, TSVGGlyphOrientationVertical Current, bool& Inherited);

// "italic" and "oblique" set the italic style, any other word clears it.
TFontStyles ParseFontStyle(QStringView Text, TFontStyles Current, bool& Inherited);
// Sets or clears underline, strike-out, overline and blink by the keyword.
void ParseTextDecoration(QStringView Text, TFontStyles& Style, TExtendedFontStyles& Extended, bool& Inherited);
// "start", "middle", "end"; any other word anchors at the start.
TSVGTextAlign ParseTextAnchor(QStringView Text, TSVGTextAlign Current, bool& Inherited);
// True for "visible".
bool ParseVisibility(QStringView Text, bool Current, bool& Inherited);
// False (not displayed) for "none".
bool ParseDisplay(QStringView Text, bool Current, bool& Inherited);
// True for "visible" and "auto".
bool ParseOverflow(QStringView Text, bool Current, bool& Inherited);
// Round for "round", square for "square", flat for anything else.
TStrokeCap ParseStrokeLinecap(QStringView Text, TStrokeCap Current, bool& Inherited);
// Bevel, round, otherwise miter.
TStrokeJoin ParseStrokeLinejoin(QStringView Text, TStrokeJoin Current, bool& Inherited);

// Replaces the font's family list.
void ParseFontFamily(QStringView Text, TSVGFont& Font, bool& Inherited);
// A size keyword, "larger", "smaller" or a number with a unit: em is relative
// to ParentSize, other units use Factors (a percentage has the factor 1).
float ParseFontSize(QStringView Text, bool& Inherited, const TSVGUnitFactors& Factors, float ParentSize,
                    float Current);
// The "font" shorthand: [style] [variant] [weight] size[/line-height] families.
// Unnamed parts go back to normal; a text without size or family changes nothing.
void ParseFontShorthand(QStringView Text, TSVGFont& Font, bool& Inherited, const TSVGUnitFactors& Factors,
                        float ParentSize);

// The stroke width in user units with its written unit; a percentage is kept
// as a fraction and flagged.
void ParseStrokeWidth(QStringView Text, TSVGPen& Pen, bool& Inherited, const TSVGUnitFactors& Factors);
// "none" makes the stroke solid; a list with every entry above 0 becomes the
// custom dash, any other list leaves the stroke solid.
void ParseStrokeDashArray(QStringView Text, TSVGPen& Pen, bool& Inherited, const TSVGUnitFactors& Factors);
// The dash offset length, percentages as fractions.
void ParseStrokeDashOffset(QStringView Text, TSVGPen& Pen, bool& Inherited);

// "inherit" (or an empty text while inheriting) makes the length inherit;
// AutoKeyword makes it automatic; any other text is an own length.
void ParseAutoLength(QStringView Text, TSVGStylePropertyAutoLength& Length, QStringView AutoKeyword);
// "baseline", "sub", "super", or a length or percentage.
void ParseBaselineShift(QStringView Text, TSVGBaselineShiftLength& Length);

// "clip: auto" clips nothing: a rectangle with all four edges 0 stands for it,
// since no clip would keep an area of nothing.
inline const QRectF AutoClipRect(0, 0, 0, 0);

// "auto" gives AutoClipRect, "rect(top right bottom left)" the edges
// (blanks between, each a number with unit); any other text keeps Current.
QRectF ParseClip(QStringView Text, const QRectF& Current, bool& Inherited, const TSVGUnitFactors& Factors);
// The platform cursor code of the keyword; of a url() list only the last
// entry counts.
int ParseCursor(QStringView Text, int Current, bool& Inherited);

} // namespace zor
