#pragma once
// Pictures as bytes for the image tests: encoded PNGs, data URIs holding
// them, and PNG headers that claim a size without any pixels.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtEndian>

namespace zor::testing {

inline QByteArray Png(const QImage& Image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image.save(&buffer, "PNG");
    return bytes;
}

inline QString Base64Uri(const QByteArray& Bytes, const QString& MediaType = QStringLiteral("image/png"))
{
    return "data:" + MediaType + ";base64," + QString::fromLatin1(Bytes.toBase64());
}

inline QByteArray BigEndian32(quint32 Value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(Value, bytes.data());
    return bytes;
}

inline quint32 Crc32(const QByteArray& Bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : Bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG signature and header that claim a size, with no pixel data: enough
// for a decoder to report the size, never enough to decode.
inline QByteArray PngClaiming(quint32 Width, quint32 Height)
{
    QByteArray header("IHDR");
    header.append(BigEndian32(Width)).append(BigEndian32(Height)).append("\x08\x06\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.append(BigEndian32(13)).append(header).append(BigEndian32(Crc32(header)));
    // The first data chunk ends the header; decoding it would fail.
    png.append(BigEndian32(0)).append("IDAT").append(BigEndian32(Crc32("IDAT")));
    return png;
}

} // namespace zor::testing
