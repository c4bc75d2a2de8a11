// Qt SVG as a peer: QSvgRenderer reads the bytes into its node tree and
// paints it with a QPainter.

#include <QPainter>
#include <QSvgRenderer>

#include "bench/renderers.h"
#include "platform/exceptions.h"

namespace zor::bench {

namespace {

class TQtSvgDocument final : public TLoadedDocument, public TDrawableDocument {
public:
    explicit TQtSvgDocument(const QByteArray& Bytes)
    {
        if (!FRenderer.load(Bytes))
            Raise<Exception>(QStringLiteral("the document could not be read"));
    }

    QSizeF IntrinsicSize() const override
    {
        // Qt rounds the size to whole pixels; without one the view box gives the shape.
        const QSize size = FRenderer.defaultSize();
        return size.isEmpty() ? FRenderer.viewBoxF().size() : QSizeF(size);
    }

    void Draw(QImage& Target) const override
    {
        QPainter painter(&Target);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        FRenderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(Target.size())));
    }

private:
    // render() is not const, though it changes nothing a later draw sees.
    mutable QSvgRenderer FRenderer;
};

class TQtSvgRenderer final : public TRendererUnderTest {
public:
    QString Name() const override { return QStringLiteral("QtSvg"); }
    TRendererRole Role() const override { return TRendererRole::rrPeer; }
    std::unique_ptr<TLoadedDocument> Load(const QByteArray& Bytes) const override
    {
        return std::make_unique<TQtSvgDocument>(Bytes);
    }
};

} // namespace

std::unique_ptr<TRendererUnderTest> NewQtSvgRenderer()
{
    return std::make_unique<TQtSvgRenderer>();
}

} // namespace zor::bench
