#pragma once
// Helpers for tests of code on Qt types: failures show Qt texts as text, and
// the message of a raised exception can be compared.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }
inline void PrintTo(const QStringList& List, std::ostream* Out) { PrintTo(List.join(", "), Out); }

namespace zor::testing {

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

} // namespace zor::testing
