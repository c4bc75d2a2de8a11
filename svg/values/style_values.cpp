#include "svg/values/style_values.h"

#include "svg/values/style_value_copy.h"
#include "svg/values/style_value_parsers.h"

namespace zor {

TSVGStyleValues::TSVGStyleValues()
    : Brush(TBrushKind::Solid, OpaqueBlack)
    , Pen(TBrushKind::None, OpaqueBlack)
    , BaselineShift(TSVGStyleProperty::ipBaselineShift, this)
    , Kerning(TSVGStyleProperty::ipKerning, this)
    , LetterSpacing(TSVGStyleProperty::ipLetterSpacing, this)
    , WordSpacing(TSVGStyleProperty::ipWordSpacing, this)
{
    Clear();
}

TSVGStyleValues::TSVGStyleValues(const TSVGStyleValues& Other)
    : TSVGStyleValues()
{
    *this = Other;
}

TSVGStyleValues& TSVGStyleValues::operator=(const TSVGStyleValues& Other)
{
    if (this != &Other) {
        CopyStyleProperties(Other, *this, TSVGStyleProperties::All() - StyleShorthands());
        Inherits = Other.Inherits;
        Parent = Other.Parent;
    }
    return *this;
}

TSVGStyleValues::~TSVGStyleValues() = default;

bool TSVGStyleValues::StyleLengthInherits(const TSVGStylePropertyLength& Length) const
{
    return Inherits.Contains(Length.StyleProperty());
}

void TSVGStyleValues::StyleLengthInheritanceChanged(TSVGStylePropertyLength& Length, bool Inherited)
{
    if (Inherited)
        Inherits.Include(Length.StyleProperty());
    else
        Inherits.Exclude(Length.StyleProperty());
}

TSVGStylePropertyLength* TSVGStyleValues::StyleLengthParent(const TSVGStylePropertyLength& Length) const
{
    if (Parent == nullptr)
        return nullptr;
    switch (Length.StyleProperty()) {
    case TSVGStyleProperty::ipBaselineShift:
        return &Parent->BaselineShift;
    case TSVGStyleProperty::ipKerning:
        return &Parent->Kerning;
    case TSVGStyleProperty::ipLetterSpacing:
        return &Parent->LetterSpacing;
    case TSVGStyleProperty::ipWordSpacing:
        return &Parent->WordSpacing;
    default:
        return nullptr;
    }
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
