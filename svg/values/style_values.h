#pragma once
// The typed values of the presentation properties of one element, which the
// parsers of the property table read their texts into.

#include <QRectF>
#include <QString>
#include <QStringView>

#include "svg/values/font.h"
#include "svg/values/paint.h"
#include "svg/values/pen.h"
#include "svg/values/style_keywords.h"
#include "svg/values/style_lengths.h"
#include "svg/values/style_properties.h"

namespace zor {

// What a property text is measured against.
struct TSVGStyleContext {
    // The element's own factors (em and ex already scaled by its font size).
    TSVGUnitFactors UnitFactors = DefaultUnitFactors;
    float ParentFontSize = TFont::DefaultSize;
};

// The inheriting lengths ask the values that hold them whether they inherit
// and for the parent's; a copy answers for its own lengths.
class TSVGStyleValues final : private ISVGStyleLengthOwner {
public:
    TSVGStyleValues();
    // Every value, Inherits and Parent.
    TSVGStyleValues(const TSVGStyleValues& Other);
    TSVGStyleValues& operator=(const TSVGStyleValues& Other);
    ~TSVGStyleValues();

    // Every value back to its initial one, Inherits to the default set.
    void Clear();

    // The properties taken from the parent; "inherit" adds, own values remove.
    TSVGStyleProperties Inherits;
    // The parent element's values, which inherited lengths resolve to; null at the root.
    TSVGStyleValues* Parent = nullptr;

    TSVGBrush Brush;
    TSVGPen Pen;
    TSVGFont Font;
    TAlphaColor Color = NoPaintColor;
    TAlphaColor StopColor = OpaqueBlack;
    float StopOpacity = 1;
    TAlphaColor FloodColor = OpaqueBlack;
    float FloodOpacity = 1;
    float Opacity = 1;
    bool Visible = true;
    bool Display = true;
    bool Overflow = true;
    int Cursor = 0;
    QRectF ClipRect;
    QString ClipURI;
    QString MarkerStartURI;
    QString MarkerMidURI;
    QString MarkerEndURI;
    TSVGFillRule FillRule{};
    TSVGFillRule ClipRule{};
    TSVGTextAlign TextAlign{};
    TSVGAlignmentBaseline AlignmentBaseline{};
    TSVGDominantBaseline DominantBaseline{};
    TSVGColorInterpolation ColorInterpolation{};
    TSVGColorRendering ColorRendering{};
    TSVGShapeRendering ShapeRendering{};
    TSVGTextRendering TextRendering{};
    TSVGDirection Direction{};
    TSVGWritingMode WritingMode{};
    TSVGGlyphOrientationHorizontal GlyphOrientationHorizontal{};
    TSVGGlyphOrientationVertical GlyphOrientationVertical{};
    TSVGVectorEffect VectorEffect{};
    TSVGBaselineShiftLength BaselineShift;
    TSVGStylePropertyAutoLength Kerning;
    TSVGStylePropertyAutoLength LetterSpacing;
    TSVGStylePropertyAutoLength WordSpacing;

private:
    // The lengths inherit through Inherits from the same length of Parent.
    bool StyleLengthInherits(const TSVGStylePropertyLength& Length) const override;
    void StyleLengthInheritanceChanged(TSVGStylePropertyLength& Length, bool Inherited) override;
    TSVGStylePropertyLength* StyleLengthParent(const TSVGStylePropertyLength& Length) const override;
};

// What reading one property text through the table gave.
struct TSVGStyleParseResult {
    // The member or name is a presentation property.
    bool Known = false;
    // Why the text was refused (the parser's message); empty when it was taken.
    QString Refusal;

    bool Taken() const { return Known && Refusal.isEmpty(); }
};

// Reads Text as the value of Member through its row of the property table:
// the path of attributes and style declarations. A row reads the whole value
// before it stores any of it, so a text its parser refuses (a colour such as
// "#ggg") leaves Values as they were; the refusal is returned, not raised.
TSVGStyleParseResult ParseStyleProperty(TSVGStyleValues& Values, TSVGStyleProperty Member, QStringView Text,
                                        const TSVGStyleContext& Context);
// The same by CSS name; an unknown name changes nothing.
TSVGStyleParseResult ParseStyleProperty(TSVGStyleValues& Values, QStringView Name, QStringView Text,
                                        const TSVGStyleContext& Context);

} // namespace zor
