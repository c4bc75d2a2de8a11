#pragma once
// Tables indexed by an enumeration: one row per value, in the order of the
// values, each row naming its own value in a field.

#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace zor {

// True when the table has a row for every value of the enumeration and row i
// names, in its field Key, the value with ordinal i. For a static_assert next
// to each such table, so that a row added in the wrong place fails to build.
template <auto Key, typename Row, std::size_t N>
constexpr bool RowsFollowTheEnumeration(const std::array<Row, N>& Rows)
{
    using TEnum = std::remove_cvref_t<decltype(std::declval<const Row&>().*Key)>;
    if (N != EnumCount(TEnum{}))
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (Rows[i].*Key != static_cast<TEnum>(i))
            return false;
    return true;
}

} // namespace zor
