#pragma once
// How a disabled element looks: its fill and stroke turned gray, colours,
// gradient stops and pattern textures alike.

#include <QBrush>
#include <QImage>

#include "svg/render/render_paint.h"

namespace zor {

class TRenderContext;

// The brush with every colour it paints turned gray by ColorToGray; the
// kind of brush and its transform stay.
QBrush GrayBrush(const QBrush& Brush);
// Every pixel of Image turned gray, in the premultiplied format.
QImage GrayImage(const QImage& Image);
TRenderPaint GrayPaint(const TRenderPaint& Paint);
// Turns the context's current fill and stroke gray.
void ApplyDisabledAppearance(TRenderContext& Context);

} // namespace zor
