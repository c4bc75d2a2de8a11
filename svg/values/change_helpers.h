#pragma once
// The comparing store of property setters.

#include <utility>

namespace zor {

// Stores Value in Field; false (and nothing stored) when it is already there.
template <typename T, typename U>
bool StoreIfChanged(T& Field, U&& Value)
{
    if (Field == Value)
        return false;
    Field = std::forward<U>(Value);
    return true;
}

} // namespace zor
