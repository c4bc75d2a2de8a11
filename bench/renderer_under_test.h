#pragma once
// What the corpus benchmarks ask of a renderer, ours or a peer: load a file
// held in memory, then, where the renderer can, draw the loaded document into
// a QImage and hit-test points on it.

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <memory>
#include <span>

namespace zor::bench {

// The summary compares ours with every other row; a baseline only loads.
enum class TRendererRole { rrOurs, rrPeer, rrBaseline };

// A document as one renderer loaded it; freeing it frees everything the load built.
class TLoadedDocument {
public:
    virtual ~TLoadedDocument() = default;
};

// A loaded document that can be drawn; the benchmarks find out by dynamic_cast.
class TDrawableDocument {
public:
    virtual ~TDrawableDocument() = default;
    // The document's own size in pixels; its aspect ratio sets the drawing's height.
    virtual QSizeF IntrinsicSize() const = 0;
    // Draws the whole document fitted to Target (Format_ARGB32_Premultiplied,
    // already cleared).
    virtual void Draw(QImage& Target) const = 0;
};

// A loaded document that can say which points of a drawing fall on it.
class THitTestableDocument {
public:
    virtual ~THitTestableDocument() = default;
    // How many of Points, in the pixels of a drawing of DrawingSize, lie on a
    // painted element.
    virtual int HitTest(std::span<const QPointF> Points, QSize DrawingSize) const = 0;
};

class TRendererUnderTest {
public:
    virtual ~TRendererUnderTest() = default;
    // Short and without spaces: it names benchmarks and table rows.
    virtual QString Name() const = 0;
    virtual TRendererRole Role() const = 0;
    // Raises Exception with the renderer's own reason when Bytes do not load.
    virtual std::unique_ptr<TLoadedDocument> Load(const QByteArray& Bytes) const = 0;
};

// Width by height of a drawing Width pixels wide with the aspect ratio of
// Intrinsic; raises Exception when Intrinsic has no usable aspect ratio or the
// drawing would be taller than an image can be.
QSize DrawingSize(QSizeF Intrinsic, int Width);

} // namespace zor::bench
