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

// Holds an object's change reports back while it lives: the object's Changed
// returns early while its counter is above 0, so an edit of several fields
// can report once, at the end.
class THeldChanges {
public:
    explicit THeldChanges(int& Counter)
        : FCounter(Counter)
    {
        ++FCounter;
    }
    ~THeldChanges() { --FCounter; }
    THeldChanges(const THeldChanges&) = delete;
    THeldChanges& operator=(const THeldChanges&) = delete;

private:
    int& FCounter;
};

} // namespace zor
