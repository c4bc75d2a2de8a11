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
