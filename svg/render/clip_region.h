#pragma once
// Where a clip lets drawing through, in canvas coordinates: the union of its
// shapes, each limited by a clip of its own when it has one, and the whole
// limited by a further clip when there is one. The model builds it from clip
// paths; the canvas paints its coverage as an antialiased mask and hit tests
// ask it about points.

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <vector>

namespace zor {

class TClipRegion {
public:
    // An outline in canvas coordinates (its fill rule decides its inside),
    // limited by Clip when that is not null.
    struct TShape {
        QPainterPath Outline;
        std::shared_ptr<const TClipRegion> Clip;
    };

    // A region without shapes lets nothing through.
    bool IsEmpty() const { return FShapes.empty(); }
    const std::vector<TShape>& Shapes() const { return FShapes; }
    // The further clip of the whole region; null for none.
    const std::shared_ptr<const TClipRegion>& Clip() const { return FClip; }

    void AddShape(QPainterPath Outline, std::shared_ptr<const TClipRegion> Clip = nullptr);
    // Limits the region further by Clip (intersected with the further clip
    // it may already have).
    void Restrict(std::shared_ptr<const TClipRegion> Clip);

    // Pt lies where the region lets drawing through.
    bool Contains(const QPointF& Pt) const;
    // Where the region can let anything through; empty when nowhere.
    QRectF Bounds() const;
    // The region as one outline, made by path operations: exact in area but
    // painted without antialiasing when used as a painter's clip.
    QPainterPath Outline() const;
    // Multiplies every pixel of Image (premultiplied) by the region's
    // coverage, antialiased; ToImage maps canvas coordinates to its pixels.
    void ApplyTo(QImage& Image, const QTransform& ToImage) const;

    // The region of both: A limited by B. Either may be null (no clip).
    static std::shared_ptr<const TClipRegion> Intersection(std::shared_ptr<const TClipRegion> A,
                                                           std::shared_ptr<const TClipRegion> B);

private:
    // Paints the coverage into Mask, transparent on entry.
    void PaintCoverage(QImage& Mask, const QTransform& ToImage) const;

    std::vector<TShape> FShapes;
    std::shared_ptr<const TClipRegion> FClip;
};

} // namespace zor
