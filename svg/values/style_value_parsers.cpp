#include "svg/values/style_value_parsers.h"

#include <array>
#include <cmath>
#include <limits>

#include "svg/values/length_text.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"

namespace zor {

namespace {

constexpr float FontSizeStep = 1.2f;

// The number of quarter turns (0 to 3) of an angle text with an optional
// "deg", rounded half to even; -1 for anything else.
int QuarterTurns(QStringView Text)
{
    QStringView number = Text;
    if (number.endsWith(u"deg", Qt::CaseInsensitive))
        number.chop(3);
    double angle = 0;
    if (!TryStrToFloat(number, angle))
        return -1;
    const double turns = std::nearbyint(angle / 90);
    return turns >= 0 && turns <= 3 ? int(turns) : -1;
}

struct TTextDecoration {
    const char* Keyword;
    bool Underline;
    bool StrikeOut;
    TExtendedFontStyles Extended;
};

const std::array<TTextDecoration, 4> TextDecorations = {{
    {"underline", true, false, {}},
    {"overline", false, false, {TExtendedFontStyle::fsOverline}},
    {"line-through", false, true, {}},
    {"blink", true, false, {TExtendedFontStyle::fsBlink}},
}};

struct TTextAnchor {
    const char* Keyword;
    TSVGTextAlign Align;
};

constexpr std::array<TTextAnchor, 3> TextAnchors = {{
    {"start", TSVGTextAlign::staLeading},
    {"middle", TSVGTextAlign::staCenter},
    {"end", TSVGTextAlign::staTrailing},
}};

// The "inherit" keyword on the parent-value flag of a length; true when Text
// is an own value to read.
bool ApplyLengthInheritance(QStringView Text, TSVGStylePropertyLength& Length)
{
    bool inherited = Length.ParentValue();
    const bool own = ApplyInheritProtocol(Text, inherited);
    Length.SetParentValue(inherited);
    return own;
}

QStringView FirstWord(QStringView Text, qsizetype& End)
{
    qsizetype start = 0;
    while (start < Text.size() && Text[start].unicode() <= u' ')
        ++start;
    End = start;
    while (End < Text.size() && Text[End].unicode() > u' ')
        ++End;
    return Text.sliced(start, End - start);
}

// The family part after the size of a font shorthand, past any "/ line-height".
QStringView ShorthandFamilies(QStringView Rest)
{
    const QStringView rest = TrimBlanks(Rest);
    if (!rest.startsWith(u'/'))
        return rest;
    qsizetype end = 0;
    const QStringView lineHeight = FirstWord(rest.sliced(1), end);
    return lineHeight.isEmpty() ? QStringView() : rest.sliced(1 + end);
}

} // namespace

TSVGGlyphOrientationHorizontal ParseGlyphOrientationHorizontal(
    QStringView Text, TSVGGlyphOrientationHorizontal Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    const int turns = QuarterTurns(text);
    return turns < 0 ? TSVGGlyphOrientationHorizontal::ohNone
                     : TSVGGlyphOrientationHorizontal(int(TSVGGlyphOrientationHorizontal::oh0Deg) + turns);
}

TSVGGlyphOrientationVertical ParseGlyphOrientationVertical(
    QStringView Text, TSVGGlyphOrientationVertical Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    if (text == KeywordOf(TSVGGlyphOrientationVertical::ovAuto))
        return TSVGGlyphOrientationVertical::ovAuto;
    const int turns = QuarterTurns(text);
    return turns < 0 ? TSVGGlyphOrientationVertical::ovNone
                     : TSVGGlyphOrientationVertical(int(TSVGGlyphOrientationVertical::ov0Deg) + turns);
}

TFontStyles ParseFontStyle(QStringView Text, TFontStyles Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    if (text == u"italic" || text == u"oblique")
        return Current.Include(TFontStyle::fsItalic);
    return Current.Exclude(TFontStyle::fsItalic);
}

void ParseTextDecoration(QStringView Text, TFontStyles& Style, TExtendedFontStyles& Extended, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return;
    TTextDecoration decoration{"none", false, false, {}};
    for (const TTextDecoration& entry : TextDecorations)
        if (text == QLatin1String(entry.Keyword))
            decoration = entry;
    decoration.Underline ? Style.Include(TFontStyle::fsUnderline) : Style.Exclude(TFontStyle::fsUnderline);
    decoration.StrikeOut ? Style.Include(TFontStyle::fsStrikeOut) : Style.Exclude(TFontStyle::fsStrikeOut);
    Extended = decoration.Extended;
}

TSVGTextAlign ParseTextAnchor(QStringView Text, TSVGTextAlign Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    for (const TTextAnchor& anchor : TextAnchors)
        if (text == QLatin1String(anchor.Keyword))
            return anchor.Align;
    return TSVGTextAlign::staLeading;
}

bool ParseVisibility(QStringView Text, bool Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    return ApplyInheritProtocol(text, Inherited) ? text == u"visible" : Current;
}

bool ParseDisplay(QStringView Text, bool Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    return ApplyInheritProtocol(text, Inherited) ? text != u"none" : Current;
}

bool ParseOverflow(QStringView Text, bool Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    return ApplyInheritProtocol(text, Inherited) ? text == u"visible" || text == u"auto" : Current;
}

TStrokeCap ParseStrokeLinecap(QStringView Text, TStrokeCap Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    if (text == u"square")
        return TStrokeCap::Square;
    return text == u"round" ? TStrokeCap::Round : TStrokeCap::Flat;
}

TStrokeJoin ParseStrokeLinejoin(QStringView Text, TStrokeJoin Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    if (text == u"bevel")
        return TStrokeJoin::Bevel;
    return text == u"round" ? TStrokeJoin::Round : TStrokeJoin::Miter;
}

void ParseFontFamily(QStringView Text, TSVGFont& Font, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (ApplyInheritProtocol(text, Inherited))
        Font.Families().Assign(ParseFontFamilies(text));
}

float ParseFontSize(QStringView Text, bool& Inherited, const TSVGUnitFactors& Factors, float ParentSize,
                    float Current)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    const TSVGUnit unit = UnitFromSuffix(text);
    const QStringView word = text.chopped(UnitSuffix(unit).size());
    float size = 0;
    if (word == u"larger")
        size = ParentSize * FontSizeStep;
    else if (word == u"smaller")
        size = ParentSize / FontSizeStep;
    else if (!FontSizeFromKeyword(word, size)) {
        bool numberInherited = false;
        size = ParseNumber(word, numberInherited, std::numeric_limits<float>::quiet_NaN());
        if (std::isnan(size))
            return Current;
    }
    const float scaled = size * (unit == TSVGUnit::suFontSize ? ParentSize : UnitFactor(Factors, unit));
    return std::isfinite(scaled) ? scaled : Current;
}

void ParseFontShorthand(QStringView Text, TSVGFont& Font, bool& Inherited, const TSVGUnitFactors& Factors,
                        float ParentSize)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return;
    bool italic = false;
    TSVGFontVariant variant = TSVGFontVariant::fvNormal;
    TSVGFontWeight weight = TSVGFontWeight::fwNormal;
    QStringView rest = text;
    for (;;) {
        qsizetype end = 0;
        const QStringView word = FirstWord(rest, end);
        if (word.isEmpty())
            return;
        rest = rest.sliced(end);
        if (word == u"normal")
            continue;
        if (word == u"italic" || word == u"oblique") {
            italic = true;
            continue;
        }
        if (word == KeywordOf(TSVGFontVariant::fvSmallCaps)) {
            variant = TSVGFontVariant::fvSmallCaps;
            continue;
        }
        if (FindKeyword(word, weight))
            continue;

        const qsizetype slash = word.indexOf(u'/');
        bool sizeInherited = false;
        const float size = ParseFontSize(slash < 0 ? word : word.first(slash), sizeInherited, Factors, ParentSize,
                                         std::numeric_limits<float>::quiet_NaN());
        const QStringList families = ParseFontFamilies(slash < 0 ? ShorthandFamilies(rest) : rest);
        if (std::isnan(size) || families.isEmpty())
            return;
        TFontStyles style = Font.Style();
        Font.SetStyle(italic ? style.Include(TFontStyle::fsItalic) : style.Exclude(TFontStyle::fsItalic));
        Font.SetFontVariant(variant);
        Font.SetWeight(weight);
        Font.SetSize(size);
        Font.Families().Assign(families);
        return;
    }
}

void ParseStrokeWidth(QStringView Text, TSVGPen& Pen, bool& Inherited, const TSVGUnitFactors& Factors)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return;
    TSVGUnit unit = TSVGUnit::suNone;
    float number = 0;
    if (!TryParseUnitNumber(text, unit, number))
        return;
    const bool percent = unit == TSVGUnit::suPercent;
    // A percentage stays a fraction of the viewport, resolved when drawing.
    const float width = percent ? number / 100 : number * UnitFactor(Factors, unit);
    if (!std::isfinite(width))
        return;
    Pen.SetThicknessPreferredUnit(unit);
    Pen.SetThicknessIsPercent(percent);
    Pen.SetThickness(width);
}

void ParseStrokeDashArray(QStringView Text, TSVGPen& Pen, bool& Inherited, const TSVGUnitFactors& Factors)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return;
    Pen.SetDash(TStrokeDash::Solid);
    if (text == u"none")
        return;
    const TSVGDashList dash = ParseDashList(text, Factors);
    if (dash.IsDrawable())
        Pen.ApplyDashList(dash);
}

void ParseStrokeDashOffset(QStringView Text, TSVGPen& Pen, bool& Inherited)
{
    ParseLengthProperty(Text, Pen.SVGDashOffset(), Inherited, 0, 1);
}

void ParseAutoLength(QStringView Text, TSVGStylePropertyAutoLength& Length, QStringView AutoKeyword)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyLengthInheritance(text, Length))
        return;
    if (text == AutoKeyword) {
        Length.SetAutomatic(true);
        return;
    }
    Length.SetAutomatic(false);
    ParseLength(text, Length);
}

void ParseBaselineShift(QStringView Text, TSVGBaselineShiftLength& Length)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyLengthInheritance(text, Length))
        return;
    TSVGBaselineShift shift = TSVGBaselineShift::bsNone;
    if (FindKeyword(text, shift) && shift <= TSVGBaselineShift::bsSuperscript) {
        Length.SetShift(shift);
        return;
    }
    ParseLengthValue(text, Length, 0, 1);
    Length.SetShift(Length.IsPercent() ? TSVGBaselineShift::bsPercentage : TSVGBaselineShift::bsLength);
}

QRectF ParseClip(QStringView Text, const QRectF& Current, bool& Inherited, const TSVGUnitFactors& Factors)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    if (text == u"auto")
        return AutoClipRect;
    if (!text.startsWith(u"rect(", Qt::CaseInsensitive) || !text.endsWith(u')'))
        return Current;
    const QStringList pieces = SplitTrimmed(text.sliced(5).chopped(1), u" ");
    std::array<float, 4> edges{}; // top, right, bottom, left
    for (qsizetype i = 0; i < pieces.size() && i < 4; ++i) {
        TSVGUnit unit = TSVGUnit::suNone;
        edges[std::size_t(i)] = ParseUnitValue(pieces[i], unit, Factors, 0);
    }
    return QRectF(QPointF(edges[3], edges[0]), QPointF(edges[1], edges[2]));
}

int ParseCursor(QStringView Text, int Current, bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    // A list of cursor images ends with the keyword to fall back on.
    QStringView keyword = text;
    if (text.startsWith(u"url(", Qt::CaseInsensitive))
        keyword = TrimBlanks(text.sliced(text.lastIndexOf(u',') + 1));
    return CursorFromKeyword(keyword);
}

} // namespace zor
