#pragma once
// The picture of a live part that changes shape, not only place: a column
// that rises, digits that switch. The part is drawn supersampled into a
// picture of the area it covers, which repaints copy until it changes; a
// change within a known area of the document draws that area again and
// keeps the rest.
//
// The picture belongs to the layers around it: it is drawn again whole with
// the layers (the layers' image key is part of its validity) and when its
// size or quality changes.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;

namespace zor {

class TSVGDocument;
class TSVGGraphicElement;

class TLivePicture {
public:
    // Paints Live of Document into Target (device pixels of Painter, whose
    // coordinates are device pixels), drawing what is stale of the picture
    // first. LayerKey names the state of the layers it goes with.
    void Paint(QPainter& Painter, TSVGDocument& Document, TSVGGraphicElement& Live, const QRect& Target, int Quality,
               qint64 LayerKey);
    // The picture is drawn again whole before the next paint.
    void Invalidate() { FValid = false; }
    // What the picture shows of DocumentArea (in the document's user space)
    // is drawn again before the next paint; a null area stands for all.
    void InvalidateArea(const QRectF& DocumentArea);
    // How many times the picture was drawn whole, and in part, for tests.
    int Renders() const { return FRenders; }
    int Patches() const { return FPatches; }

private:
    bool IsCurrent(QSize Size, int Quality, qint64 LayerKey) const;
    // The live part drawn whole, over the area it covers.
    void Render(TSVGDocument& Document, TSVGGraphicElement& Live, QSize Size, int Quality);
    // The stale area drawn again, the picture grown to hold it.
    void Patch(TSVGDocument& Document, TSVGGraphicElement& Live, QSize Size, int Quality);

    QImage FPicture;
    // Where the picture's first pixel lies in the target.
    QPoint FOrigin;
    QSize FSize;
    int FQuality = 0;
    qint64 FLayerKey = 0;
    bool FValid = false;
    // What changed since the picture was drawn, in the document's user space.
    QRectF FStale;
    int FRenders = 0;
    int FPatches = 0;
};

} // namespace zor
