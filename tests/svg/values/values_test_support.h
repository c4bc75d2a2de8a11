#pragma once
// Helpers shared by the value type tests.

#include <gtest/gtest.h>

#include <QString>

#include "svg/values/lengths.h"

namespace zor::testing {

// The factors a document computes at 96 dots per inch.
inline const TSVGUnitFactors Document96 = UnitFactorsForResolution(96);

// Counts how often an event slot is called.
struct TChangeCounter {
    int Count = 0;
    auto Slot()
    {
        return [this](auto&&...) { ++Count; };
    }
};

inline std::string Text(const QString& Value)
{
    return Value.toStdString();
}

} // namespace zor::testing
