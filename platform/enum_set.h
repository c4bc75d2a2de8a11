#pragma once
// A set over an enumeration (a "set of" type). The enumeration
// declares its size with a constexpr EnumCount(E) found by argument lookup:
//     enum class TFoo { fa, fb, fc };
//     constexpr std::size_t EnumCount(TFoo) { return 3; }

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace zor {

template <typename E>
class TEnumSet {
    static_assert(std::is_enum_v<E>);

public:
    static constexpr std::size_t Size = EnumCount(E{});

    constexpr TEnumSet() = default;
    TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            Include(v);
    }

    // The bits of a set of Values, for constant expressions.
    template <typename Range>
    static constexpr std::uint64_t BitsOf(const Range& Values)
    {
        std::uint64_t bits = 0;
        for (E v : Values)
            bits |= std::uint64_t(1) << static_cast<std::size_t>(v);
        return bits;
    }

    static TEnumSet All()
    {
        TEnumSet s;
        s.FBits.set();
        return s;
    }
    // Bit n stands for the value with ordinal n; bits beyond the enumeration are dropped.
    static TEnumSet FromBits(std::uint64_t bits)
    {
        TEnumSet s;
        for (std::size_t i = 0; i < Size && i < 64; ++i)
            s.FBits[i] = (bits >> i) & 1u;
        return s;
    }
    std::uint64_t ToBits() const
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < Size && i < 64; ++i)
            if (FBits[i])
                bits |= std::uint64_t(1) << i;
        return bits;
    }

    bool Contains(E v) const { return FBits[Index(v)]; }
    TEnumSet& Include(E v)
    {
        FBits.set(Index(v));
        return *this;
    }
    TEnumSet& Exclude(E v)
    {
        FBits.reset(Index(v));
        return *this;
    }
    bool IsEmpty() const { return FBits.none(); }
    std::size_t Count() const { return FBits.count(); }

    // Calls f(E) for each member in ordinal order.
    template <typename F>
    void ForEach(F&& f) const
    {
        for (std::size_t i = 0; i < Size; ++i)
            if (FBits[i])
                f(static_cast<E>(i));
    }

    friend TEnumSet operator|(TEnumSet a, const TEnumSet& b)
    {
        a.FBits |= b.FBits;
        return a;
    }
    friend TEnumSet operator&(TEnumSet a, const TEnumSet& b)
    {
        a.FBits &= b.FBits;
        return a;
    }
    friend TEnumSet operator-(TEnumSet a, const TEnumSet& b)
    {
        a.FBits &= ~b.FBits;
        return a;
    }
    friend bool operator==(const TEnumSet& a, const TEnumSet& b) { return a.FBits == b.FBits; }

private:
    static std::size_t Index(E v) { return static_cast<std::size_t>(v); }

    std::bitset<Size> FBits;
};

} // namespace zor
