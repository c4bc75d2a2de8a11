#pragma once
// Events are slots holding one callable, named OnSomething (OnChange,
// OnDrawing, ...). An empty slot is simply not called.

#include <functional>
#include <utility>

namespace zor {

template <typename... Args>
using TEvent = std::function<void(Args...)>;

// Calls the slot when it is assigned.
template <typename... Slot, typename... Args>
void Fire(const std::function<void(Slot...)>& event, Args&&... args)
{
    if (event)
        event(std::forward<Args>(args)...);
}

// A query an owner answers for one of its parts through a private line takes
// the place of the part's public slot of the same purpose; the slot serves
// parts without an owner.
template <typename EventT>
const EventT& OwnerLineOr(const EventT& OwnerLine, const EventT& Slot)
{
    return OwnerLine ? OwnerLine : Slot;
}

// Replaces an event for the lifetime of the guard and puts the old one back on
// every exit path.
template <typename EventT>
class TEventSwap {
public:
    TEventSwap(EventT& slot, EventT replacement)
        : FSlot(slot)
        , FSaved(std::exchange(slot, std::move(replacement)))
    {
    }
    ~TEventSwap() { FSlot = std::move(FSaved); }
    TEventSwap(const TEventSwap&) = delete;
    TEventSwap& operator=(const TEventSwap&) = delete;

private:
    EventT& FSlot;
    EventT FSaved;
};

} // namespace zor
