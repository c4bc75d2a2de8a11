#pragma once
// Helpers shared by the parser and colour tests.

#include <gtest/gtest.h>

#include <QString>

// Runs Action and returns the message of the exception E it raises; fails the
// test when it raises nothing.
template <typename E, typename Action>
QString MessageOf(Action&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return QString();
}
