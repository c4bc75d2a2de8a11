#include "instruments/rotor_sprites.h"

#include <QPainter>

#include "instruments/layer_buffers.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"

namespace zor {

namespace {

// The smallest rectangle holding every pixel of Image that is not fully
// transparent; empty for a transparent image.
QRect OpaqueBounds(const QImage& Image)
{
    int left = Image.width(), top = Image.height(), right = -1, bottom = -1;
    for (int y = 0; y < Image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
        for (int x = 0; x < Image.width(); ++x)
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

bool TRotorSprites::IsCurrent(const std::vector<TSVGGraphicElement*>& Rotors, QSize Size, int Quality,
                              qint64 LayerKey) const
{
    if (Size != FSize || Quality != FQuality || LayerKey != FLayerKey || Rotors.size() != FSprites.size())
        return false;
    for (std::size_t i = 0; i < Rotors.size(); ++i)
        if (Rotors[i] != FSprites[i].Element)
            return false;
    return true;
}

void TRotorSprites::Render(TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors, QSize Size,
                           int Quality)
{
    FSprites.clear();
    FSize = Size;
    FQuality = Quality;
    ++FRenders;
    const QTransform view = Document.GetViewMatrix(QRectF(QPointF(0, 0), QSizeF(Size)));
    for (TSVGGraphicElement* rotor : Rotors) {
        const QImage whole = RenderSupersampled(Size, Quality, [&](TRenderContext& Canvas, const QRectF& Target) {
            Document.DrawElement(rotor, Document.GetViewMatrix(Target), Canvas, Target);
        });
        TSprite sprite;
        sprite.Element = rotor;
        const QRect bounds = OpaqueBounds(whole);
        if (!bounds.isEmpty()) {
            sprite.Picture = whole.copy(bounds);
            sprite.Origin = bounds.topLeft();
        }
        sprite.Placement = rotor->AbsoluteMatrix() * view;
        FSprites.push_back(std::move(sprite));
    }
}

std::optional<QTransform> TRotorSprites::Movement(const TSprite& Sprite, const QTransform& View) const
{
    bool invertible = false;
    const QTransform back = Sprite.Placement.inverted(&invertible);
    if (!invertible)
        return std::nullopt;
    // Picture pixels → target pixels then → the element's space as the
    // picture was drawn → target pixels as it lies now.
    return QTransform::fromTranslate(Sprite.Origin.x(), Sprite.Origin.y()) * back *
           (Sprite.Element->AbsoluteMatrix() * View);
}

QRectF TRotorSprites::CoveredArea(const TSVGDocument& Document) const
{
    const QTransform view = Document.GetViewMatrix(QRectF(QPointF(0, 0), QSizeF(FSize)));
    const QTransform toDocument = view.inverted();
    QRectF covered;
    for (const TSprite& sprite : FSprites) {
        if (sprite.Picture.isNull())
            continue;
        if (const std::optional<QTransform> move = Movement(sprite, view))
            covered |= toDocument.mapRect(move->mapRect(QRectF(QPointF(0, 0), QSizeF(sprite.Picture.size()))));
    }
    return covered;
}

QRectF TRotorSprites::MovedArea(const TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors,
                                int Quality, qint64 LayerKey) const
{
    if (FPaintedArea.isNull() || !IsCurrent(Rotors, FSize, Quality, LayerKey))
        return QRectF();
    return FPaintedArea | CoveredArea(Document);
}

void TRotorSprites::Paint(QPainter& Painter, TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors,
                          const QRect& Target, int Quality, qint64 LayerKey)
{
    if (!IsCurrent(Rotors, Target.size(), Quality, LayerKey)) {
        Render(Document, Rotors, Target.size(), Quality);
        FLayerKey = LayerKey;
    }
    const QTransform view = Document.GetViewMatrix(QRectF(QPointF(0, 0), QSizeF(Target.size())));
    Painter.save();
    Painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QTransform device = Painter.transform();
    for (const TSprite& sprite : FSprites) {
        if (sprite.Picture.isNull())
            continue;
        const std::optional<QTransform> move = Movement(sprite, view);
        if (!move)
            continue;
        Painter.setTransform(*move * QTransform::fromTranslate(Target.left(), Target.top()) * device);
        Painter.drawImage(QPointF(0, 0), sprite.Picture);
    }
    Painter.restore();
    FPaintedArea = CoveredArea(Document);
}

} // namespace zor
