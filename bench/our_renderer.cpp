// Our engine as the renderer under test: the bytes are read into the element
// tree with the style sheet applied, drawn through the element tree into the
// image, and hit-tested with the matrices a host draws with.

#include <QBuffer>

#include "bench/renderers.h"
#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "svg/render/fitting.h"
#include "svg/shapes/shape_classes.h"
#include "svg/shapes/text_element.h"

namespace zor::bench {

namespace {

class TOurDocument final : public TLoadedDocument, public TDrawableDocument, public THitTestableDocument {
public:
    explicit TOurDocument(const QByteArray& Bytes)
    {
        QBuffer buffer;
        buffer.setData(Bytes);
        buffer.open(QIODevice::ReadOnly);
        FDocument.LoadFromStream(buffer);
    }

    QSizeF IntrinsicSize() const override
    {
        // The root's width and height; a percentage has nothing around it to
        // measure against, so the view box (or the bounds of the content)
        // gives the shape then, as it does without a size.
        const bool relative = FDocument.WidthU().IsPercent() || FDocument.HeightU().IsPercent();
        const QSizeF viewport = FDocument.ViewportRect().size();
        return relative || viewport.isEmpty() ? FDocument.BoundsRect().size() : viewport;
    }

    void Draw(QImage& Target) const override { DrawSVGElementToBitmap(Target, &FDocument, false); }

    int HitTest(std::span<const QPointF> Points, QSize DrawingSize) const override
    {
        const QRectF target = BitmapTargetRect(DrawingSize);
        const QTransform matrix = FDocument.GetViewMatrix(target);
        int hits = 0;
        for (const QPointF& point : Points)
            hits += FDocument.ElementAtPos(matrix, point, target, {}) != nullptr;
        return hits;
    }

private:
    // Drawing and hit testing fill caches of the tree, which no later draw sees differently.
    mutable TSVGDocument FDocument;
};

class TOurRenderer final : public TRendererUnderTest {
public:
    QString Name() const override { return QStringLiteral("zorsvg"); }
    TRendererRole Role() const override { return TRendererRole::rrOurs; }
    std::unique_ptr<TLoadedDocument> Load(const QByteArray& Bytes) const override
    {
        return std::make_unique<TOurDocument>(Bytes);
    }
};

} // namespace

std::unique_ptr<TRendererUnderTest> NewOurRenderer()
{
    // As the program's start-up does: documents create the shapes and texts for their tags.
    RegisterShapeClasses();
    RegisterTextElementClasses();
    return std::make_unique<TOurRenderer>();
}

} // namespace zor::bench
