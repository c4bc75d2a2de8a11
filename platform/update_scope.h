#pragma once
// An update bracket (BeginUpdate ... EndUpdate) that is closed on every exit
// path.

#include <exception>

namespace zor {

template <typename T>
class TUpdateScope {
public:
    explicit TUpdateScope(T& Target)
        : FTarget(Target)
        , FPendingExceptions(std::uncaught_exceptions())
    {
        FTarget.BeginUpdate();
    }

    // EndUpdate may report the change, and a change handler may throw. While
    // another exception is already on its way out, that one wins and the
    // handler's is dropped, because two cannot travel at once.
    ~TUpdateScope() noexcept(false)
    {
        if (std::uncaught_exceptions() == FPendingExceptions) {
            FTarget.EndUpdate();
            return;
        }
        try {
            FTarget.EndUpdate();
        } catch (...) {
        }
    }

    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    T& FTarget;
    int FPendingExceptions;
};

} // namespace zor
