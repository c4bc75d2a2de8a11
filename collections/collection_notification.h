#pragma once
// What happened to an item of a container when it reports a key or value.

#include <cstddef>

namespace zor {

enum class TCollectionNotification { cnAdded, cnRemoved, cnExtracted };
constexpr std::size_t EnumCount(TCollectionNotification) { return 3; }

} // namespace zor
