// Drawing the characters of a text element: their outlines like any shape,
// or, with soUseFillText, the platform's text drawing at the same places.

#include <cmath>

#include "svg/render/render_context.h"
#include "svg/shapes/text_element.h"

namespace zor {

bool TSVGCustomText::DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    if (!UseFillText())
        return Inherited::DrawShape(M, Canvas, aRect);
    if (!Visible())
        return false;
    DrawPlatformText(M, Canvas);
    // Decorations are lines, not text: they are filled as outlines.
    if (const TZorPathData& decorations = DecorationOutline(); !decorations.IsEmpty())
        FillAndStroke(decorations, M, Canvas);
    return !FGlyphs.empty() || !FDecorations.IsEmpty();
}

void TSVGCustomText::DrawPlatformText(const QTransform& M, TRenderContext& Canvas)
{
    const double opacity = DrawsBranch() ? 1.0 : Opacity();
    for (const TSVGPlacedGlyph& placed : PlacedGlyphs()) {
        if (placed.Glyph.Size() <= 0)
            continue;
        // Platform fonts come in whole pixels: the nearest size, scaled to the exact one.
        const int pixels = std::max(1, static_cast<int>(std::lround(placed.Glyph.Size())));
        const double scale = placed.Glyph.Size() / pixels;
        const char32_t c = placed.Glyph.Character();
        Canvas.FillText(QString::fromUcs4(&c, 1), placed.Glyph.Face().ToFont(pixels),
                        QTransform::fromScale(scale, scale) * placed.Placement * M, opacity);
    }
}

} // namespace zor
