#pragma once
// What every fuzz target shares: the input as text, and the rule that only
// the system's own exceptions (a documented rejection) may leave a reader.
// Anything else, a crash, a foreign exception or a broken invariant, stops
// the run as a finding.

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/exceptions.h"

namespace zor::fuzz {

inline QString InputText(const std::uint8_t* Data, std::size_t Size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
}

// Runs Body; a rejection by one of the system's exceptions is a fine outcome.
template <typename F>
void Rejectable(F&& Body)
{
    try {
        Body();
    } catch (const Exception&) {
    }
}

// A broken invariant is a finding: say which, and stop where the fuzzer sees it.
inline void Require(bool Condition, const char* What)
{
    if (!Condition) {
        std::fprintf(stderr, "invariant broken: %s\n", What);
        std::abort();
    }
}

inline void RequireFinite(double Value, const char* What)
{
    Require(std::isfinite(Value), What);
}

} // namespace zor::fuzz
