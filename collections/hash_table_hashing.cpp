#include "collections/hash_table_hashing.h"

namespace zor {

namespace {

constexpr std::uint32_t Rotate(std::uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }

void Mix(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
    a -= c; a ^= Rotate(c, 4);  c += b;
    b -= a; b ^= Rotate(a, 6);  a += c;
    c -= b; c ^= Rotate(b, 8);  b += a;
    a -= c; a ^= Rotate(c, 16); c += b;
    b -= a; b ^= Rotate(a, 19); a += c;
    c -= b; c ^= Rotate(b, 4);  b += a;
}

void Final(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
    c ^= b; c -= Rotate(b, 14);
    a ^= c; a -= Rotate(c, 11);
    b ^= a; b -= Rotate(a, 25);
    c ^= b; c -= Rotate(b, 16);
    a ^= c; a -= Rotate(c, 4);
    b ^= a; b -= Rotate(a, 14);
    c ^= b; c -= Rotate(b, 24);
}

// The byte-at-a-time form of hashlittle; ByteAt(i) yields byte i of the key.
// Reading bytes one by one keeps the result independent of alignment and of
// the host byte order.
template <typename ByteAt>
std::uint32_t HashBytes(std::size_t length, std::uint32_t initVal, ByteAt byteAt)
{
    std::uint32_t a = 0xdeadbeef + static_cast<std::uint32_t>(length) + initVal;
    std::uint32_t b = a;
    std::uint32_t c = a;
    const auto word = [&](std::size_t at, std::size_t available) {
        std::uint32_t w = 0;
        for (std::size_t i = 0; i < available && i < 4; ++i)
            w |= std::uint32_t(byteAt(at + i)) << (8 * i);
        return w;
    };
    std::size_t at = 0;
    while (length - at > 12) {
        a += word(at, 4);
        b += word(at + 4, 4);
        c += word(at + 8, 4);
        Mix(a, b, c);
        at += 12;
    }
    const std::size_t tail = length - at;
    if (tail == 0)
        return c;
    a += word(at, tail);
    if (tail > 4)
        b += word(at + 4, tail - 4);
    if (tail > 8)
        c += word(at + 8, tail - 8);
    Final(a, b, c);
    return c;
}

} // namespace

std::uint32_t HashLittle(const void* Data, std::size_t Length, std::uint32_t InitVal)
{
    const auto* bytes = static_cast<const unsigned char*>(Data);
    return HashBytes(Length, InitVal, [bytes](std::size_t i) { return bytes[i]; });
}

std::uint32_t HashUtf16(QStringView Text, std::uint32_t InitVal)
{
    const char16_t* units = Text.utf16();
    return HashBytes(std::size_t(Text.size()) * 2, InitVal, [units](std::size_t i) {
        return static_cast<unsigned char>(units[i / 2] >> (8 * (i % 2)));
    });
}

} // namespace zor
