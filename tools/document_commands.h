#pragma once
// The document commands of zorsvg: render (an SVG file to a PNG image) and
// info (what the engine reads from a file).

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QTextStream>
#include <memory>
#include <optional>

#include "svg/values/colors.h"

namespace zor {
class TSVGDocument;
class TXMLNode;
}

namespace zor::tools {

// A drawing larger than this, in pixels, is refused instead of allocated
// (256 MB at four bytes a pixel); one side is at most MaxImageSide.
inline constexpr qint64 MaxImagePixels = qint64(1) << 26;
inline constexpr int MaxImageSide = 32767;

// What render draws.
struct TRenderRequest {
    QString Input;  // a file, or "-" for standard input
    QString Output; // a PNG file, or "-" for standard output
    std::optional<int> Width;
    std::optional<int> Height;
    TAlphaColor Background = 0;
};

// A document read from a file, or from standard input for "-", with its
// own size.
struct TLoadedDocument {
    std::unique_ptr<TSVGDocument> Document;
    QSizeF Size;
};
TLoadedDocument LoadDocument(const QString& Input);

// The document's own size in user units, from its root element Root: width
// and height given in absolute units; a side given as a percentage or not
// at all follows the view box (keeping its aspect ratio when the other side
// is given), else 100.
QSizeF IntrinsicSize(const TXMLNode& Root, const TSVGDocument& Document);

// The size of the image: the intrinsic size rounded; one side alone keeps
// the aspect ratio, both give the box the document is fitted into. Raises
// ESVGException for a size beyond MaxImagePixels or MaxImageSide.
QSize ImageSize(const QSizeF& Intrinsic, std::optional<int> Width, std::optional<int> Height);

// Draws the document over the whole image of the request's size, the view
// box fitted by its preserveAspectRatio, over the background colour.
QImage RenderDocument(const TLoadedDocument& Loaded, const TRenderRequest& Request);

// Writes Image as PNG: standard output for "-", otherwise through a
// temporary file that replaces FileName only once it is complete.
void WritePNG(const QImage& Image, const QString& FileName);

// Loads, draws and writes.
void Render(const TRenderRequest& Request);

// Size, view box, the number of elements of each kind, the ids and the
// values the document refused.
void DescribeDocument(const TLoadedDocument& Loaded, QTextStream& Out);

} // namespace zor::tools
