#pragma once
// Pictures of the parts that turn, drawn once and then only turned: a
// round instrument's live part is a few rigid elements (hands, a knob, a
// face) that move by their transform alone. Each is drawn supersampled
// into a picture of its own, with the transform it had then; a repaint
// copies each picture through the change of its element's transform since,
// instead of drawing its outlines, strokes and gradients again.
//
// The pictures belong to the layers around them: they are drawn again with
// the layers, which every change of the artwork outside a turn renews, and
// whenever the parts, the picture's size or its quality change.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

class QPainter;

namespace zor {

class TSVGDocument;
class TSVGGraphicElement;

class TRotorSprites {
public:
    // Paints Rotors of Document into Target (device pixels of Painter, whose
    // coordinates are device pixels), drawing their pictures first when they
    // are stale. LayerKey names the state of the layers they go with.
    void Paint(QPainter& Painter, TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors,
               const QRect& Target, int Quality, qint64 LayerKey);
    // The pictures are drawn again before the next paint.
    void Invalidate()
    {
        FSprites.clear();
        FPaintedArea = QRectF();
    }
    // The area of Document's user space the pictures covered when they were
    // last painted together with the area they cover as their elements stand
    // now: what a repaint after a turn must cover. Null when the pictures
    // are not those of Rotors at Quality with the layers of LayerKey, or
    // were not painted yet.
    QRectF MovedArea(const TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors, int Quality,
                     qint64 LayerKey) const;
    // How many times the pictures were drawn, for tests.
    int Renders() const { return FRenders; }

private:
    struct TSprite {
        TSVGGraphicElement* Element = nullptr;
        QImage Picture;
        // Where the picture's first pixel lies in the target.
        QPoint Origin;
        // From the element's own space to the target's pixels when drawn.
        QTransform Placement;
    };

    bool IsCurrent(const std::vector<TSVGGraphicElement*>& Rotors, QSize Size, int Quality, qint64 LayerKey) const;
    // From the picture's pixels to the target's as the element stands now
    // (View places the document in the target); none when the picture's
    // placement cannot be undone.
    std::optional<QTransform> Movement(const TSprite& Sprite, const QTransform& View) const;
    // The area of the document's user space the pictures cover now.
    QRectF CoveredArea(const TSVGDocument& Document) const;
    void Render(TSVGDocument& Document, const std::vector<TSVGGraphicElement*>& Rotors, QSize Size, int Quality);

    std::vector<TSprite> FSprites;
    QRectF FPaintedArea;
    QSize FSize;
    int FQuality = 0;
    qint64 FLayerKey = 0;
    int FRenders = 0;
};

} // namespace zor
