#pragma once
// Events are slots holding one callable, named OnSomething (OnChange,
// OnDrawing, ...). An empty slot is simply not called.

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace zor {

// A slot costs one pointer until something is assigned to it: value objects
// and elements carry many slots, and nearly all of them stay empty.
template <typename... Args>
class TEvent {
    using TFunction = std::function<void(Args...)>;

public:
    TEvent() noexcept = default;
    TEvent(std::nullptr_t) noexcept {}
    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent> && !std::is_same_v<std::remove_cvref_t<F>, std::nullptr_t>
                 && std::is_invocable_v<std::remove_cvref_t<F>&, Args...>)
    TEvent(F&& Callable)
    {
        Store(TFunction(std::forward<F>(Callable)));
    }
    TEvent(const TEvent& Other)
        : FFunction(Other.FFunction ? std::make_unique<TFunction>(*Other.FFunction) : nullptr)
    {
    }
    TEvent(TEvent&&) noexcept = default;
    TEvent& operator=(const TEvent& Other)
    {
        if (this != &Other)
            FFunction = Other.FFunction ? std::make_unique<TFunction>(*Other.FFunction) : nullptr;
        return *this;
    }
    TEvent& operator=(TEvent&&) noexcept = default;
    TEvent& operator=(std::nullptr_t) noexcept
    {
        FFunction.reset();
        return *this;
    }
    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent> && !std::is_same_v<std::remove_cvref_t<F>, std::nullptr_t>
                 && std::is_invocable_v<std::remove_cvref_t<F>&, Args...>)
    TEvent& operator=(F&& Callable)
    {
        Store(TFunction(std::forward<F>(Callable)));
        return *this;
    }

    explicit operator bool() const noexcept { return FFunction != nullptr; }
    friend bool operator==(const TEvent& Event, std::nullptr_t) noexcept { return !Event; }

    // Calling an empty slot raises std::bad_function_call, as std::function does.
    template <typename... CallArgs>
    void operator()(CallArgs&&... Arguments) const
    {
        if (!FFunction)
            throw std::bad_function_call();
        (*FFunction)(std::forward<CallArgs>(Arguments)...);
    }

private:
    void Store(TFunction&& Function)
    {
        // An empty function (a null function pointer, an empty std::function) leaves the slot empty.
        FFunction = Function ? std::make_unique<TFunction>(std::move(Function)) : nullptr;
    }

    std::unique_ptr<TFunction> FFunction;
};

// Calls the slot when it is assigned.
template <typename... Slot, typename... Args>
void Fire(const TEvent<Slot...>& event, Args&&... args)
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
