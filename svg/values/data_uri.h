#pragma once
// Pictures embedded in "data:" URIs, as in the href of an image element.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringView>
#include <optional>

namespace zor {

namespace messages {
inline constexpr const char* UnreadableImageData = "Cannot read the image in a data URI: %s";
} // namespace messages

// The largest picture decoded (from a data URI or a file); larger ones are rejected before
// they are decoded, so a small payload cannot claim a huge allocation.
inline constexpr int DataURIMaxImageSide = 16384;
inline constexpr qint64 DataURIMaxImagePixels = 64LL * 1024 * 1024;

// Decodes the picture of a "data:image/...;base64,..." or percent-encoded
// "data:image/...,..." URI. Bitmap is returned unchanged for texts that are not
// image data URIs; a null Bitmap stands for a new transparent 1×1 bitmap.
// Raises EConvertError with UnreadableImageData for invalid Base64, a picture
// the image decoders reject, or one above the size limits.
QImage LoadDataURI(QStringView Text, const QImage& Bitmap = QImage());

// What a data URI holds: its media type as written ("text/plain" when it
// names none) and its bytes, percent escapes and Base64 decoded.
struct TDataURIContent {
    QString MediaType;
    QByteArray Bytes;
};

// The content of a "data:" URI; nothing for a text that is not one. Raises
// EConvertError with UnreadableImageData for invalid Base64.
std::optional<TDataURIContent> DecodeDataURI(QStringView Text);

// Whether Bytes hold SVG markup rather than a raster picture, judged by the
// content alone: a declared media type may be missing or wrong.
bool IsSVGContent(const QByteArray& Bytes);

// Decodes a raster picture whose format the decoders find from its content,
// as ARGB32 premultiplied. Raises EConvertError with UnreadableImageData for
// a picture the decoders reject or one above the size limits, which are
// checked against the header before any pixel is decoded.
QImage DecodeBitmap(QByteArray Bytes);

} // namespace zor
