#pragma once
// A fill or stroke paint as the canvas uses it: a brush in the painted
// element's user space and an opacity, resolved from an element's brush or
// pen and, for a paint server reference, from what the model looks up.

#include <QBrush>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <functional>
#include <variant>

#include "svg/render/gradient.h"
#include "svg/values/paint.h"
#include "svg/values/pen.h"

namespace zor {

class TRenderPaint {
public:
    // Paints nothing.
    TRenderPaint() = default;
    // UserBrush is in the element's user space; Qt::NoBrush paints nothing.
    // Opacity is limited to 0..1.
    explicit TRenderPaint(const QBrush& UserBrush, double Opacity = 1);

    // False for no brush and for opacity 0.
    bool Paints() const;
    const QBrush& UserBrush() const { return FUserBrush; }
    double Opacity() const { return FOpacity; }
    // The brush for geometry mapped into the canvas by M (gradients and
    // textures follow the element; a plain colour has nothing to follow).
    QBrush CanvasBrush(const QTransform& M) const;

private:
    QBrush FUserBrush{Qt::NoBrush};
    double FOpacity = 1;
};

// What a paint reference (url(#id)) names, as the model resolves it: a
// gradient, or a brush in the referring element's user space (a pattern's
// texture with its tile placement), or nothing usable (monostate).
using TPaintServer = std::variant<std::monostate, TGradient, QBrush>;
// The model's lookup of a paint reference by id.
using TPaintServerResolver = std::function<TPaintServer(const QString& URI)>;

// What a reference that resolves to nothing paints.
enum class TMissingPaintServer {
    mpsNone,         // nothing
    mpsFallbackColor // the paint's own colour (a fallback written after the reference)
};
constexpr std::size_t EnumCount(TMissingPaintServer) { return 2; }

// The paint of a fill or stroke on an element with bounding box BoundingBox
// (its user space): no paint for kind None; with a reference and a resolver,
// the server's paint (a gradient through GradientBrush, which may also paint
// nothing), or Missing when nothing usable is found; otherwise the colour.
// The opacity is the paint's own (fill-opacity or stroke-opacity).
TRenderPaint ResolvePaint(const TSVGBrush& Brush, const QRectF& BoundingBox, const TPaintServerResolver& Resolver,
                          TMissingPaintServer Missing);
TRenderPaint ResolvePaint(const TSVGPen& Pen, const QRectF& BoundingBox, const TPaintServerResolver& Resolver,
                          TMissingPaintServer Missing);

} // namespace zor
