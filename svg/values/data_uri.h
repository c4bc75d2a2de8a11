#pragma once
// Pictures embedded in "data:" URIs, as in the href of an image element.

#include <QImage>
#include <QStringView>

namespace zor {

namespace messages {
inline constexpr const char* UnreadableImageData = "Cannot read the image in a data URI: %s";
} // namespace messages

// The largest picture a data URI may hold; larger ones are rejected before
// they are decoded, so a small payload cannot claim a huge allocation.
inline constexpr int DataURIMaxImageSide = 16384;
inline constexpr qint64 DataURIMaxImagePixels = 64LL * 1024 * 1024;

// Decodes the picture of a "data:image/...;base64,..." or percent-encoded
// "data:image/...,..." URI. Bitmap is returned unchanged for texts that are not
// image data URIs; a null Bitmap stands for a new transparent 1×1 bitmap.
// Raises EConvertError with UnreadableImageData for invalid Base64, a picture
// the image decoders reject, or one above the size limits.
QImage LoadDataURI(QStringView Text, const QImage& Bitmap = QImage());

} // namespace zor
