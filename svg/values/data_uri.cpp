#include "svg/values/data_uri.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QStringList>
#include <algorithm>
#include <cctype>

#include "platform/exceptions.h"

namespace zor {

namespace {

// Bytes per pixel of the widest format the decoders produce, for the
// decoder's allocation limit (in megabytes).
constexpr qint64 BytesPerPixel = 4;
constexpr int AllocationLimitMB = int(DataURIMaxImagePixels * BytesPerPixel / (1024 * 1024));

struct DataURI {
    QString MediaType = QStringLiteral("text/plain");
    bool Base64 = false;
    QStringView Data;
};

// Splits "data:" + parameters + "," + data; false when Text is no data URI
// (a URI without the comma has no data).
bool ParseDataURI(QStringView Text, DataURI& Uri)
{
    if (!Text.startsWith(u"data:", Qt::CaseInsensitive))
        return false;
    const QStringView rest = Text.sliced(5);
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0)
        return false;
    const QStringView header = rest.first(comma);
    Uri.Data = rest.sliced(comma + 1);
    const QList<QStringView> parameters = header.split(u';');
    if (parameters[0].contains(u'/'))
        Uri.MediaType = parameters[0].toString();
    for (QStringView parameter : parameters)
        if (parameter.compare(u"base64", Qt::CaseInsensitive) == 0)
            Uri.Base64 = true;
    return true;
}

[[noreturn]] void RaiseUnreadable(const QString& Reason)
{
    Raise<EConvertError>(QString::fromLatin1(messages::UnreadableImageData), {Reason});
}

[[noreturn]] void RaiseTooLarge()
{
    RaiseUnreadable(QStringLiteral("the image exceeds %1 pixels per side or %2 pixels in all")
                        .arg(DataURIMaxImageSide)
                        .arg(DataURIMaxImagePixels));
}

QByteArray DecodePayload(const DataURI& Uri)
{
    // Percent escapes may stand for any byte, Base64 characters included.
    QByteArray bytes = QByteArray::fromPercentEncoding(Uri.Data.toUtf8());
    if (!Uri.Base64)
        return bytes;
    // Line breaks reach us as spaces after XML attribute normalisation, so
    // every blank is dropped, not only line feeds and carriage returns.
    bytes.removeIf([](char c) { return static_cast<unsigned char>(c) <= ' '; });
    auto decoded = QByteArray::fromBase64Encoding(bytes, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        RaiseUnreadable(QStringLiteral("invalid Base64 data"));
    return *std::move(decoded);
}

bool WithinLimits(const QSize& Size)
{
    return Size.width() <= DataURIMaxImageSide && Size.height() <= DataURIMaxImageSide
           && qint64(Size.width()) * Size.height() <= DataURIMaxImagePixels;
}

QImage EmptyBitmap()
{
    QImage bitmap(1, 1, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    return bitmap;
}

} // namespace

QImage DecodeBitmap(QByteArray Bytes)
{
    QBuffer buffer(&Bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(AllocationLimitMB);
    // The size from the header is checked before any pixel is decoded.
    const QSize size = reader.size();
    if (size.isValid() && !WithinLimits(size))
        RaiseTooLarge();
    QImage image;
    if (!reader.read(&image))
        RaiseUnreadable(reader.errorString());
    if (!WithinLimits(image.size()))
        RaiseTooLarge();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::optional<TDataURIContent> DecodeDataURI(QStringView Text)
{
    DataURI uri;
    if (!ParseDataURI(Text, uri))
        return std::nullopt;
    return TDataURIContent{uri.MediaType, DecodePayload(uri)};
}

bool IsSVGContent(const QByteArray& Bytes)
{
    // Markup starts with "<" after an optional byte order mark and blanks;
    // no raster format the decoders read starts that way.
    QByteArrayView view(Bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    const qsizetype start = std::find_if(view.begin(), view.end(), [](char c) { return !std::isspace(uchar(c)); })
        - view.begin();
    return start < view.size() && view[start] == '<';
}

QImage LoadDataURI(QStringView Text, const QImage& Bitmap)
{
    const QImage current = Bitmap.isNull() ? EmptyBitmap() : Bitmap;
    DataURI uri;
    if (!ParseDataURI(Text, uri) || !uri.MediaType.startsWith(u"image/", Qt::CaseInsensitive))
        return current;
    return DecodeBitmap(DecodePayload(uri));
}

} // namespace zor
