#pragma once
// Enumerated property values and their keywords. The first member of each
// enumeration stands for a missing value and has no keyword; keywords are
// matched exactly, letter case included.

#include <QLatin1String>
#include <QStringView>
#include <array>
#include <cstddef>

namespace zor {

enum class TSVGAlignmentBaseline {
    abNone, abAuto, abBaseline, abBeforeEdge, abTextBeforeEdge, abMiddle, abCentral,
    abAfterEdge, abTextAfterEdge, abIdeographic, abAlphabetic, abHanging, abMathematical
};
enum class TSVGBaselineShift { bsNone, bsBaseline, bsSubscript, bsSuperscript, bsPercentage, bsLength };
enum class TSVGDominantBaseline {
    dbNone, dbAuto, dbUseScript, dbNoChange, dbResetSize, dbIdeographic, dbAlphabetic,
    dbHanging, dbMathematical, dbCentral, dbMiddle, dbTextAfterEdge, dbTextBeforeEdge
};
enum class TSVGTextPathMethod { tpmNone, tpmAlign, tpmStretch };
enum class TSVGTextPathSpacing { tpsNone, tpsExact, tpsAuto };
enum class TSVGColorInterpolation { sciNone, sciAuto, sciSRGB, sciLinearRGB };
enum class TSVGColorRendering { clrnNone, clrnAuto, clrnOptimizeSpeed, clrnOptimizeQuality };
enum class TSVGShapeRendering { srnNone, srnAuto, srnOptimizeSpeed, srnCrispEdges, srnGeometricPrecision };
enum class TSVGTextRendering {
    txrnNone, txrnAuto, txrnOptimizeSpeed, txrnOptimizeLegibility, txrnGeometricPrecision
};
enum class TSVGDirection { dirNone, dirLeftToRight, dirRightToLeft };
enum class TSVGWritingMode {
    wmNone, wmLeftRight_TopBottom, wmRightLeft_TopBottom, wmTopBottom_RightLeft,
    wmLeftRight, wmRightLeft, wmTopBottom
};
enum class TSVGGlyphOrientationVertical { ovNone, ovAuto, ov0Deg, ov90Deg, ov180Deg, ov270Deg };
enum class TSVGGlyphOrientationHorizontal { ohNone, oh0Deg, oh90Deg, oh180Deg, oh270Deg };
enum class TSVGFontWeight {
    fwNone, fwNormal, fwBold, fwBolder, fwLighter,
    fw100, fw200, fw300, fw400, fw500, fw600, fw700, fw800, fw900
};
enum class TSVGFontVariant { fvNone, fvNormal, fvSmallCaps, fvUpperCase, fvLowerCase, fvTitleCase };
enum class TSVGCoordinateSystemUnit { csuNone, csuObjectBoundingBox, csuUserSpaceOnUse };
enum class TSVGGradientSpread { gsNone, gsPad, gsReflect, gsRepeat };
enum class TSVGFillRule { frNone, frNonZero, frEvenOdd };
enum class TSVGVectorEffect { veNone, veNonScalingStroke };
enum class TSVGMarkerUnit { muNone, muStrokeWidth, muUserSpaceOnUse };

// Where text is anchored; it has no missing member.
enum class TSVGTextAlign { staCenter, staLeading, staTrailing };
constexpr std::size_t EnumCount(TSVGTextAlign) { return 3; }

template <std::size_t N>
using TSVGKeywordList = std::array<const char*, N>;

// Keyword tables indexed by member; entry 0 is the missing value.
inline constexpr TSVGKeywordList<13> AlignmentBaselineKeywords = {
    "", "auto", "baseline", "before-edge", "text-before-edge", "middle", "central",
    "after-edge", "text-after-edge", "ideographic", "alphabetic", "hanging", "mathematical"};
inline constexpr TSVGKeywordList<6> BaselineShiftKeywords = {
    "", "baseline", "sub", "super", "percentage", "length"};
inline constexpr TSVGKeywordList<13> DominantBaselineKeywords = {
    "", "auto", "use-script", "no-change", "reset-size", "ideographic", "alphabetic",
    "hanging", "mathematical", "central", "middle", "text-after-edge", "text-before-edge"};
inline constexpr TSVGKeywordList<3> TextPathMethodKeywords = {"", "align", "stretch"};
inline constexpr TSVGKeywordList<3> TextPathSpacingKeywords = {"", "exact", "auto"};
inline constexpr TSVGKeywordList<4> ColorInterpolationKeywords = {"", "auto", "sRGB", "linearRGB"};
inline constexpr TSVGKeywordList<4> ColorRenderingKeywords = {
    "", "auto", "optimizeSpeed", "optimizeQuality"};
inline constexpr TSVGKeywordList<5> ShapeRenderingKeywords = {
    "", "auto", "optimizeSpeed", "crispEdges", "geometricPrecision"};
inline constexpr TSVGKeywordList<5> TextRenderingKeywords = {
    "", "auto", "optimizeSpeed", "optimizeLegibility", "geometricPrecision"};
inline constexpr TSVGKeywordList<3> DirectionKeywords = {"", "ltr", "rtl"};
inline constexpr TSVGKeywordList<7> WritingModeKeywords = {"", "lr-tb", "rl-tb", "tb-rl", "lr", "rl", "tb"};
inline constexpr TSVGKeywordList<6> GlyphOrientationVerticalKeywords = {
    "", "auto", "0deg", "90deg", "180deg", "270deg"};
inline constexpr TSVGKeywordList<5> GlyphOrientationHorizontalKeywords = {
    "", "0deg", "90deg", "180deg", "270deg"};
inline constexpr TSVGKeywordList<14> FontWeightKeywords = {
    "", "normal", "bold", "bolder", "lighter", "100", "200", "300", "400", "500", "600", "700", "800", "900"};
inline constexpr TSVGKeywordList<6> FontVariantKeywords = {
    "", "normal", "small-caps", "uppercase", "lowercase", "titlecase"};
inline constexpr TSVGKeywordList<3> CoordinateSystemUnitKeywords = {
    "", "objectBoundingBox", "userSpaceOnUse"};
inline constexpr TSVGKeywordList<4> GradientSpreadKeywords = {"", "pad", "reflect", "repeat"};
inline constexpr TSVGKeywordList<3> FillRuleKeywords = {"", "nonzero", "evenodd"};
inline constexpr TSVGKeywordList<2> VectorEffectKeywords = {"", "non-scaling-stroke"};
inline constexpr TSVGKeywordList<3> MarkerUnitKeywords = {"", "strokeWidth", "userSpaceOnUse"};

// The table of each enumeration, found by argument lookup.
constexpr const auto& SVGKeywords(TSVGAlignmentBaseline) { return AlignmentBaselineKeywords; }
constexpr const auto& SVGKeywords(TSVGBaselineShift) { return BaselineShiftKeywords; }
constexpr const auto& SVGKeywords(TSVGDominantBaseline) { return DominantBaselineKeywords; }
constexpr const auto& SVGKeywords(TSVGTextPathMethod) { return TextPathMethodKeywords; }
constexpr const auto& SVGKeywords(TSVGTextPathSpacing) { return TextPathSpacingKeywords; }
constexpr const auto& SVGKeywords(TSVGColorInterpolation) { return ColorInterpolationKeywords; }
constexpr const auto& SVGKeywords(TSVGColorRendering) { return ColorRenderingKeywords; }
constexpr const auto& SVGKeywords(TSVGShapeRendering) { return ShapeRenderingKeywords; }
constexpr const auto& SVGKeywords(TSVGTextRendering) { return TextRenderingKeywords; }
constexpr const auto& SVGKeywords(TSVGDirection) { return DirectionKeywords; }
constexpr const auto& SVGKeywords(TSVGWritingMode) { return WritingModeKeywords; }
constexpr const auto& SVGKeywords(TSVGGlyphOrientationVertical) { return GlyphOrientationVerticalKeywords; }
constexpr const auto& SVGKeywords(TSVGGlyphOrientationHorizontal) { return GlyphOrientationHorizontalKeywords; }
constexpr const auto& SVGKeywords(TSVGFontWeight) { return FontWeightKeywords; }
constexpr const auto& SVGKeywords(TSVGFontVariant) { return FontVariantKeywords; }
constexpr const auto& SVGKeywords(TSVGCoordinateSystemUnit) { return CoordinateSystemUnitKeywords; }
constexpr const auto& SVGKeywords(TSVGGradientSpread) { return GradientSpreadKeywords; }
constexpr const auto& SVGKeywords(TSVGFillRule) { return FillRuleKeywords; }
constexpr const auto& SVGKeywords(TSVGVectorEffect) { return VectorEffectKeywords; }
constexpr const auto& SVGKeywords(TSVGMarkerUnit) { return MarkerUnitKeywords; }

// Every enumeration with a keyword table has as many members as keywords.
template <typename E>
    requires requires { SVGKeywords(E{}); }
constexpr std::size_t EnumCount(E)
{
    return SVGKeywords(E{}).size();
}

// The keyword of a member; empty for the missing member.
template <typename E>
QLatin1String KeywordOf(E Value)
{
    return QLatin1String(SVGKeywords(E{})[static_cast<std::size_t>(Value)]);
}

// Finds the member whose keyword is exactly Word; false when none is.
template <typename E>
bool FindKeyword(QStringView Word, E& Value)
{
    const auto& keywords = SVGKeywords(E{});
    for (std::size_t i = 1; i < keywords.size(); ++i)
        if (Word == QLatin1String(keywords[i])) {
            Value = static_cast<E>(i);
            return true;
        }
    return false;
}

// The member whose keyword is exactly Word, or the missing member.
template <typename E>
E KeywordToMember(QStringView Word)
{
    E value{};
    FindKeyword(Word, value);
    return value;
}

// "middle", "start", "end": how text anchors are written.
QLatin1String TextAlignName(TSVGTextAlign Value);
// "visible" for true, "hidden" for false (visibility and overflow).
QLatin1String VisibilityName(bool Visible);

// The font-size keywords "xx-small" ... "xx-large", and their sizes
// 12 * 1.2^(k - 4); a missing keyword has the size 12.
inline constexpr TSVGKeywordList<8> FontSizeKeywords = {
    "", "xx-small", "x-small", "small", "medium", "large", "x-large", "xx-large"};
inline constexpr std::array<float, 8> FontSizeKeywordSizes = {
    12, 6.9444f, 8.3333f, 10, 12, 14.4f, 17.28f, 20.736f};
// True and the size when Word is a font-size keyword.
bool FontSizeFromKeyword(QStringView Word, float& Size);

// The platform cursor code of a cursor keyword; -1 (no cursor) for any other word.
int CursorFromKeyword(QStringView Word);
// The first cursor keyword with that code; empty for a code no keyword has.
QLatin1String CursorKeyword(int Code);

} // namespace zor
