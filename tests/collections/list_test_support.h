#pragma once
// Helpers shared by the list, heap and priority-list tests.

#include <gtest/gtest.h>

#include <QString>

#include "platform/persistent.h"

namespace zor::testing {

// An item that counts its own destruction.
class TTrackedItem : public TPersistent {
public:
    explicit TTrackedItem(QString Name, int* Destroyed = nullptr)
        : FName(std::move(Name))
        , FDestroyed(Destroyed)
    {
    }
    ~TTrackedItem() override
    {
        if (FDestroyed)
            ++*FDestroyed;
    }
    const QString& Name() const { return FName; }

private:
    QString FName;
    int* FDestroyed;
};

inline QString NameOf(const TPersistent* Item)
{
    const auto* tracked = dynamic_cast<const TTrackedItem*>(Item);
    return tracked ? tracked->Name() : QStringLiteral("nil");
}

// The message of the E that Action raises; a test failure when it raises nothing.
template <typename E, typename Action>
QString MessageRaised(Action&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception raised";
    return {};
}

} // namespace zor::testing
