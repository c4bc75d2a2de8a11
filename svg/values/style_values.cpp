#include "svg/values/style_values.h"

#include "svg/values/style_value_parsers.h"

namespace zor {

TSVGStyleValues::TSVGStyleValues()
    : Brush(TBrushKind::Solid, OpaqueBlack)
    , Pen(TBrushKind::None, OpaqueBlack)
    , BaselineShift(TSVGStyleProperty::ipBaselineShift, InheritanceOf(&TSVGStyleValues::BaselineShift))
    , Kerning(TSVGStyleProperty::ipKerning, InheritanceOf(&TSVGStyleValues::Kerning))
    , LetterSpacing(TSVGStyleProperty::ipLetterSpacing, InheritanceOf(&TSVGStyleValues::LetterSpacing))
    , WordSpacing(TSVGStyleProperty::ipWordSpacing, InheritanceOf(&TSVGStyleValues::WordSpacing))
{
    Clear();
}

template <typename TLength>
TSVGStyleLengthOwner TSVGStyleValues::InheritanceOf(TLength TSVGStyleValues::*Field)
{
    return {
        [this](const TSVGStylePropertyLength& sender, bool& inherited) {
            inherited = Inherits.Contains(sender.StyleProperty());
        },
        [this](TSVGStylePropertyLength& sender, bool inherited) {
            if (inherited)
                Inherits.Include(sender.StyleProperty());
            else
                Inherits.Exclude(sender.StyleProperty());
        },
        [this, Field](const TSVGStylePropertyLength&, TSVGStylePropertyLength*& parent) {
            parent = Parent ? &(Parent->*Field) : nullptr;
        },
    };
}

void TSVGStyleValues::Clear()
{
    // The lengths first: clearing them ends their inheriting in Inherits,
    // which is then reset as a whole.
    for (TSVGStylePropertyLength* length : {static_cast<TSVGStylePropertyLength*>(&BaselineShift),
                                            static_cast<TSVGStylePropertyLength*>(&Kerning),
                                            static_cast<TSVGStylePropertyLength*>(&LetterSpacing),
                                            static_cast<TSVGStylePropertyLength*>(&WordSpacing)})
        length->Clear();
    Inherits = DefaultInheritedProperties();
    Brush.Clear();
    Pen.Clear();
    Font.Clear();
    Font.SetFamily(TFont::DefaultFamily());
    // Until color is given, currentColor paints nothing.
    Color = NoPaintColor;
    StopColor = OpaqueBlack;
    StopOpacity = 1;
    FloodColor = OpaqueBlack;
    FloodOpacity = 1;
    Opacity = 1;
    Visible = true;
    Display = true;
    Overflow = true;
    Cursor = 0;
    ClipRect = AutoClipRect;
    ClipURI.clear();
    MarkerStartURI.clear();
    MarkerMidURI.clear();
    MarkerEndURI.clear();
    FillRule = TSVGFillRule::frNonZero;
    ClipRule = TSVGFillRule::frNonZero;
    TextAlign = TSVGTextAlign::staLeading;
    AlignmentBaseline = TSVGAlignmentBaseline::abAuto;
    DominantBaseline = TSVGDominantBaseline::dbAuto;
    ColorInterpolation = TSVGColorInterpolation::sciSRGB;
    ColorRendering = TSVGColorRendering::clrnAuto;
    ShapeRendering = TSVGShapeRendering::srnAuto;
    TextRendering = TSVGTextRendering::txrnAuto;
    Direction = TSVGDirection::dirLeftToRight;
    WritingMode = TSVGWritingMode::wmLeftRight_TopBottom;
    GlyphOrientationHorizontal = TSVGGlyphOrientationHorizontal::oh0Deg;
    GlyphOrientationVertical = TSVGGlyphOrientationVertical::ovAuto;
    VectorEffect = TSVGVectorEffect::veNone;
}

TSVGStyleParseResult ParseStyleProperty(TSVGStyleValues& Values, TSVGStyleProperty Member, QStringView Text,
                                        const TSVGStyleContext& Context)
{
    const TSVGStylePropertyParser parse = StylePropertyInfo(Member).Parse;
    if (parse == nullptr)
        return {};
    try {
        parse(Values, Member, Text, Context);
    } catch (const Exception& e) {
        return {true, e.Message()};
    }
    return {true, {}};
}

TSVGStyleParseResult ParseStyleProperty(TSVGStyleValues& Values, QStringView Name, QStringView Text,
                                        const TSVGStyleContext& Context)
{
    return ParseStyleProperty(Values, StylePropertyFromName(Name), Text, Context);
}

} // namespace zor
