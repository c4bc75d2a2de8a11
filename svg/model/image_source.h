#pragma once
// Where the picture of an image element comes from: a data URI or a local
// file, read with bounds and decoded once, into a bitmap or into a document
// of its own for SVG content.

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

namespace zor {

class TSVGDocument;

namespace messages {
inline constexpr const char* ImageFileNotFound = "Image file not found: %s";
inline constexpr const char* ImageNotRegularFile = "Image file is not a regular file: %s";
inline constexpr const char* ImageFileTooLarge = "Image file is larger than %d bytes: %s";
inline constexpr const char* ImageNotLocal = "Image is neither a data URI nor a local file: %s";
inline constexpr const char* ExternalImagesIgnored = "External images are ignored: %s";
inline constexpr const char* ImageContainsItself = "Image contains itself: %s";
inline constexpr const char* ImagesNestTooDeep = "Images cannot nest deeper than %d levels";
inline constexpr const char* TooManySVGImages = "One load shows at most %d SVG documents as images";
} // namespace messages

// What a picture may be read from, as the image's document gives it.
struct TImageSourceContext {
    // Relative file names are resolved against it; empty: the current folder.
    QString BaseFolder;
    // Canonical paths of files that would show themselves again.
    QStringList Chain;
    bool AllowFiles = true;

    bool operator==(const TImageSourceContext&) const = default;
};

// The decoded picture of an image: a bitmap, an SVG document drawn as one,
// or nothing.
class TImagePicture {
public:
    // Bounds that input cannot exceed: the bytes of a file read, how deep
    // SVG images show SVG images, and how many SVG documents one load of a
    // document brings in through its images.
    static constexpr qint64 MaxFileSize = 64LL * 1024 * 1024;
    static constexpr int MaxNesting = 4;
    static constexpr int MaxDocuments = 64;

    TImagePicture();
    explicit TImagePicture(QImage Bitmap);
    explicit TImagePicture(std::unique_ptr<TSVGDocument> Document);
    TImagePicture(TImagePicture&&) noexcept;
    TImagePicture& operator=(TImagePicture&&) noexcept;
    ~TImagePicture();

    // Loads the picture Reference names: a "data:" URI, else a file name or
    // "file:" URL. The content decides between SVG and a raster picture,
    // whatever the media type or file extension says. Raises EConvertError
    // (undecodable content), ESVGException (the refusals of the messages
    // above) or the document's load errors; an empty Reference is no picture.
    static TImagePicture Load(const QString& Reference, const TImageSourceContext& Context);

    bool IsEmpty() const { return FBitmap.isNull() && !FDocument; }
    // Null unless the picture is a bitmap.
    const QImage& Bitmap() const { return FBitmap; }
    // Null unless the picture is an SVG document.
    TSVGDocument* Document() const { return FDocument.get(); }
    // Whether the picture came from a file rather than a data URI.
    bool FromFile() const { return FFromFile; }
    // The picture's own size: the bitmap's pixels, or the document's width
    // and height (its view box's where they are relative, 100 × 100 without
    // either); empty for no picture.
    QSizeF IntrinsicSize() const;

private:
    QImage FBitmap;
    std::unique_ptr<TSVGDocument> FDocument;
    bool FFromFile = false;
};

} // namespace zor
