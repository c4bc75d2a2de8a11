#include "instruments/image_reduction.h"

#include <bit>
#include <cstdint>

namespace zor {

namespace {

// Two channels of a pixel in the halves of a word, with room above each for
// the sum of up to 256 pixels.
constexpr std::uint32_t ChannelPair = 0x00FF00FF;
// The largest block side whose sums stay within their halves.
constexpr int LargestBlock = 16;

// The factor by which Image shrinks to Size in both directions when it is
// a power of two the blocks allow; 0 otherwise.
int BlockSide(const QImage& Image, QSize Size)
{
    if (Image.format() != QImage::Format_ARGB32_Premultiplied || Size.isEmpty())
        return 0;
    const int side = Image.width() / Size.width();
    if (side < 2 || side > LargestBlock || !std::has_single_bit(static_cast<unsigned>(side)) ||
        Image.width() != Size.width() * side || Image.height() != Size.height() * side)
        return 0;
    return side;
}

QImage BlockMeans(const QImage& Image, QSize Size, int Side)
{
    QImage reduced(Size, QImage::Format_ARGB32_Premultiplied);
    if (reduced.isNull())
        return reduced;
    // A block holds Side² pixels, a power of two: the mean is a shift.
    const int shift = 2 * std::countr_zero(static_cast<unsigned>(Side));
    for (int y = 0; y < Size.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(reduced.scanLine(y));
        for (int x = 0; x < Size.width(); ++x) {
            std::uint32_t blueRed = 0;
            std::uint32_t greenAlpha = 0;
            for (int row = 0; row < Side; ++row) {
                const auto* in = reinterpret_cast<const QRgb*>(Image.constScanLine(y * Side + row)) + x * Side;
                for (int column = 0; column < Side; ++column) {
                    blueRed += in[column] & ChannelPair;
                    greenAlpha += (in[column] >> 8) & ChannelPair;
                }
            }
            out[x] = ((blueRed >> shift) & ChannelPair) | (((greenAlpha >> shift) & ChannelPair) << 8);
        }
    }
    return reduced;
}

} // namespace

QImage ReducedImage(const QImage& Image, QSize Size)
{
    if (const int side = BlockSide(Image, Size); side != 0)
        return BlockMeans(Image, Size, side);
    return Image.scaled(Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace zor
