#pragma once
// What happened to an item of a container when it reports a key or value.

namespace zor {

enum class TCollectionNotification { cnAdded, cnRemoved, cnExtracted };

} // namespace zor
