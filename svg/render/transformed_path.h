#pragma once
// An element's outline mapped into the canvas, kept between draws: rebuilt
// only when the path changes or the matrix differs, so that drawing an
// unchanged element reads no path text and converts nothing.

#include <QPainterPath>
#include <QTransform>
#include <cstdint>
#include <optional>

#include "geometry/path_data.h"
#include "svg/render/stroke_style.h"

namespace zor {

class TTransformedPath {
public:
    TTransformedPath() = default;
    // A one-off outline, built at once.
    TTransformedPath(const QPainterPath& Local, const QTransform& M);

    // Rebuilds from Path when it changed since the last build (or is another
    // path) or when M differs from the last matrix; true when it rebuilt. The
    // fill rule follows the path's fill mode unless SetFillRule chose one.
    bool Update(const TZorPathData& Path, const QTransform& M);
    // The rule the fill uses from now on (fill-rule of the element).
    void SetFillRule(Qt::FillRule Rule);

    // The outline in the element's own coordinates.
    const QPainterPath& Local() const { return FLocal; }
    // The outline mapped by Matrix into the canvas.
    const QPainterPath& Canvas() const { return FCanvas; }
    const QTransform& Matrix() const { return FMatrix; }
    bool IsEmpty() const { return FLocal.isEmpty(); }

    // The area Style strokes, in the canvas: made around the local outline and
    // then mapped, so that a non-uniform matrix or a skew scales the stroke
    // as it scales the shape (a non-scaling stroke is made around the canvas
    // outline instead). Kept until the path, the matrix or the style changes.
    const QPainterPath& CanvasStrokeOutline(const TStrokeStyle& Style) const;

private:
    void Build(const QPainterPath& Local, const QTransform& M);
    void ApplyFillRule(Qt::FillRule Rule);

    std::uint64_t FRevision = 0;
    QTransform FMatrix;
    QPainterPath FLocal;
    QPainterPath FCanvas;
    std::optional<Qt::FillRule> FFillRule;
    mutable std::optional<TStrokeStyle> FOutlineStyle;
    mutable QPainterPath FOutline;
};

} // namespace zor
