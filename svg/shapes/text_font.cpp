#include "svg/shapes/text_font.h"

#include <array>

#include "svg/model/graphic_element.h"

namespace zor {

namespace {

// Indexed by TSVGFontWeight; 0 for the relative and missing values.
constexpr std::array<int, EnumCount(TSVGFontWeight{})> FixedWeights = {
    0, RegularFontWeight, BoldFontWeight, 0, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900,
};

} // namespace

int FontWeightOf(const TSVGGraphicElement& Element)
{
    const TSVGFontWeight weight = Element.Font().Weight();
    if (const int fixed = FixedWeights[static_cast<std::size_t>(weight)]; fixed != 0)
        return fixed;
    const TSVGGraphicElement* parent = Element.GetGraphicParent();
    const int inherited = parent != nullptr ? FontWeightOf(*parent) : RegularFontWeight;
    switch (weight) {
    case TSVGFontWeight::fwBolder:
        return BolderFontWeight(inherited);
    case TSVGFontWeight::fwLighter:
        return LighterFontWeight(inherited);
    default:
        return Element.Font().Style().Contains(TFontStyle::fsBold) ? BoldFontWeight : inherited;
    }
}

TFontRequest FontRequestOf(const TSVGGraphicElement& Element)
{
    const TSVGFont& font = Element.Font();
    TFontRequest request;
    request.Families = font.Families().ToStringList();
    if (request.Families.isEmpty())
        request.Families << font.Family();
    request.Weight = FontWeightOf(Element);
    request.Slant = font.Style().Contains(TFontStyle::fsItalic) ? TFontSlant::slItalic : TFontSlant::slNormal;
    return request;
}

TGlyphFont GlyphFontOf(const TSVGGraphicElement& Element, double SizeFactor)
{
    return GlyphService().Font(FontRequestOf(Element), Element.Font().Size() * SizeFactor);
}

} // namespace zor
