#pragma once
// Key hashing and equality for the hash tables: the public-domain lookup3
// hash (its hashlittle variant) and the default equality comparers.

#include <QString>
#include <QStringView>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

namespace zor {

// lookup3's hashlittle over Length bytes.
std::uint32_t HashLittle(const void* Data, std::size_t Length, std::uint32_t InitVal);

// hashlittle over the UTF-16 code units of Text read as little-endian bytes,
// on any host byte order, without allocating.
std::uint32_t HashUtf16(QStringView Text, std::uint32_t InitVal = 0);

// Decides key equality and hashes keys for a dictionary.
template <typename K>
class IEqualityComparer {
public:
    virtual ~IEqualityComparer() = default;
    virtual bool Equals(const K& Left, const K& Right) const = 0;
    virtual std::int32_t GetHashCode(const K& Value) const = 0;
};

template <typename K>
using TEqualityComparerRef = std::shared_ptr<const IEqualityComparer<K>>;

// Keys whose bytes are their identity (integers, enumerations, pointers) hash
// their bytes; other key types need a comparer of their own.
template <typename K>
class TDefaultEqualityComparer final : public IEqualityComparer<K> {
    static_assert(std::has_unique_object_representations_v<K>,
                  "this key type needs a comparer of its own");

public:
    bool Equals(const K& Left, const K& Right) const override { return Left == Right; }
    std::int32_t GetHashCode(const K& Value) const override
    {
        return std::bit_cast<std::int32_t>(HashLittle(&Value, sizeof Value, 0));
    }
};

// Text keys compare code unit by code unit: no case folding, no trimming.
template <>
class TDefaultEqualityComparer<QString> final : public IEqualityComparer<QString> {
public:
    bool Equals(const QString& Left, const QString& Right) const override { return Left == Right; }
    std::int32_t GetHashCode(const QString& Value) const override
    {
        return std::bit_cast<std::int32_t>(HashUtf16(Value));
    }
};

// The shared default comparer of K.
template <typename K>
const TEqualityComparerRef<K>& DefaultComparer()
{
    static const TEqualityComparerRef<K> comparer = std::make_shared<TDefaultEqualityComparer<K>>();
    return comparer;
}

} // namespace zor
