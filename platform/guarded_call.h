#pragma once
// Entry points of an event loop that cannot let an exception through run
// their work here and keep the message of what went wrong.

#include <QString>
#include <functional>

namespace zor {

// Runs Action; the message of the exception it raised, or an empty text.
QString CallCatching(const std::function<void()>& Action);

} // namespace zor
