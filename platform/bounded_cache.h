#pragma once
// A map that keeps at most a fixed number of entries and drops the one used
// longest ago to make room. Not locked: its owner guards it.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace zor {

template <typename TKey, typename TValue, typename THash = std::hash<TKey>>
class TBoundedCache {
public:
    explicit TBoundedCache(std::size_t Capacity)
        : FCapacity(std::max<std::size_t>(Capacity, 1))
    {
    }

    // The value stored under Key, which becomes the most recently used;
    // nullptr when there is none. Valid until the next Insert or Clear.
    const TValue* Find(const TKey& Key)
    {
        const auto found = FIndex.find(Key);
        if (found == FIndex.end())
            return nullptr;
        FEntries.splice(FEntries.begin(), FEntries, found->second);
        return &found->second->second;
    }

    // Stores Value under Key, replacing what was there.
    void Insert(const TKey& Key, TValue Value)
    {
        if (const auto found = FIndex.find(Key); found != FIndex.end()) {
            found->second->second = std::move(Value);
            FEntries.splice(FEntries.begin(), FEntries, found->second);
            return;
        }
        if (FEntries.size() == FCapacity) {
            FIndex.erase(FEntries.back().first);
            FEntries.pop_back();
        }
        FEntries.emplace_front(Key, std::move(Value));
        FIndex.emplace(Key, FEntries.begin());
    }

    void Clear()
    {
        FIndex.clear();
        FEntries.clear();
    }

    std::size_t Count() const { return FEntries.size(); }
    std::size_t Capacity() const { return FCapacity; }

private:
    using TEntry = std::pair<TKey, TValue>;

    std::size_t FCapacity;
    std::list<TEntry> FEntries; // the most recently used first
    std::unordered_map<TKey, typename std::list<TEntry>::iterator, THash> FIndex;
};

} // namespace zor
