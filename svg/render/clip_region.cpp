#include "svg/render/clip_region.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace zor {

namespace {

// A transparent image of Size for coverage; null when it cannot be made.
QImage CoverageImage(const QSize& Size)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

// Keeps Target's pixels in proportion to Source's coverage.
void MultiplyByCoverage(QImage& Target, const QImage& Source)
{
    QPainter painter(&Target);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, Source);
}

} // namespace

void TClipRegion::AddShape(QPainterPath Outline, std::shared_ptr<const TClipRegion> Clip)
{
    FShapes.push_back({std::move(Outline), std::move(Clip)});
}

void TClipRegion::Restrict(std::shared_ptr<const TClipRegion> Clip)
{
    FClip = Intersection(std::move(FClip), std::move(Clip));
}

std::shared_ptr<const TClipRegion> TClipRegion::Intersection(std::shared_ptr<const TClipRegion> A,
                                                             std::shared_ptr<const TClipRegion> B)
{
    if (!A)
        return B;
    if (!B)
        return A;
    auto both = std::make_shared<TClipRegion>(*A);
    both->Restrict(std::move(B));
    return both;
}

bool TClipRegion::Contains(const QPointF& Pt) const
{
    if (FClip && !FClip->Contains(Pt))
        return false;
    return std::any_of(FShapes.begin(), FShapes.end(), [&Pt](const TShape& shape) {
        return shape.Outline.contains(Pt) && (!shape.Clip || shape.Clip->Contains(Pt));
    });
}

QRectF TClipRegion::Bounds() const
{
    QRectF bounds;
    for (const TShape& shape : FShapes) {
        QRectF reach = shape.Outline.controlPointRect();
        if (shape.Clip)
            reach &= shape.Clip->Bounds();
        if (!reach.isEmpty())
            bounds |= reach;
    }
    if (FClip)
        bounds &= FClip->Bounds();
    return bounds.isEmpty() ? QRectF() : bounds;
}

QPainterPath TClipRegion::Outline() const
{
    QPainterPath outline;
    for (const TShape& shape : FShapes)
        outline = outline.united(shape.Clip ? shape.Outline.intersected(shape.Clip->Outline()) : shape.Outline);
    return FClip ? outline.intersected(FClip->Outline()) : outline;
}

void TClipRegion::ApplyTo(QImage& Image, const QTransform& ToImage) const
{
    QImage mask = CoverageImage(Image.size());
    if (!mask.isNull()) {
        PaintCoverage(mask, ToImage);
        MultiplyByCoverage(Image, mask);
        return;
    }
    // Without memory for a mask, what lies outside the region's outline is
    // cleared, with hard edges.
    QPainterPath outside;
    outside.addRect(QRectF(Image.rect()));
    outside = outside.subtracted(ToImage.map(Outline()));
    QPainter painter(&Image);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(outside, Qt::black);
}

void TClipRegion::PaintCoverage(QImage& Mask, const QTransform& ToImage) const
{
    {
        QPainter painter(&Mask);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const TShape& shape : FShapes) {
            if (!shape.Clip) {
                painter.setTransform(ToImage);
                painter.fillPath(shape.Outline, Qt::black);
                continue;
            }
            // A shape with a clip of its own is masked apart, then joined.
            QImage part = CoverageImage(Mask.size());
            if (part.isNull())
                continue;
            {
                QPainter partPainter(&part);
                partPainter.setRenderHint(QPainter::Antialiasing);
                partPainter.setTransform(ToImage);
                partPainter.fillPath(shape.Outline, Qt::black);
            }
            shape.Clip->ApplyTo(part, ToImage);
            painter.resetTransform();
            painter.drawImage(0, 0, part);
        }
    }
    if (FClip)
        FClip->ApplyTo(Mask, ToImage);
}

} // namespace zor
