#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "collections/assign_list.h"
#include "list_test_support.h"

using namespace zor;
using zor::testing::MessageRaised;

namespace {

struct TItem {
    int Id;
};

using TNotification = TCollectionNotification;

struct TLogEntry {
    const TItem* Item;
    TNotification Action;
    bool InListWhenNotified;
    friend bool operator==(const TLogEntry&, const TLogEntry&) = default;
};

// A list whose notifications are logged together with whether the item was in
// the list at that moment.
class ListNotifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        List.OnNotify = [this](TList<TItem*>& Sender, TItem* const& Item, TNotification Action) {
            EXPECT_EQ(&Sender, &List);
            Log.push_back({Item, Action, Sender.Contains(Item)});
        };
    }

    void Fill(std::initializer_list<TItem*> items)
    {
        for (TItem* item : items)
            List.Add(item);
        Log.clear();
    }

    std::vector<const TItem*> Contents() const { return {List.begin(), List.end()}; }

    TItem a{1}, b{2}, c{3}, d{4};
    TZorAssignList<TItem*> List;
    std::vector<TLogEntry> Log;
};

constexpr auto cnAdded = TNotification::cnAdded;
constexpr auto cnRemoved = TNotification::cnRemoved;
constexpr auto cnExtracted = TNotification::cnExtracted;

} // namespace

TEST_F(ListNotifications, ItemIsInTheListWhenAddedAndOutWhenRemovedOrExtracted)
{
    EXPECT_EQ(List.Add(&a), 0);
    List.Insert(0, &b);
    List.SetItems(1, &c);
    EXPECT_EQ(List.Remove(&b), 0);
    EXPECT_EQ(List.Extract(&c), &c);
    EXPECT_EQ(Log, (std::vector<TLogEntry>{{&a, cnAdded, true},
                                           {&b, cnAdded, true},
                                           {&a, cnRemoved, false},
                                           {&c, cnAdded, true},
                                           {&b, cnRemoved, false},
                                           {&c, cnExtracted, false}}));
    EXPECT_TRUE(List.IsEmpty());
}

TEST_F(ListNotifications, AbsentItemsAreReportedWithoutNotification)
{
    Fill({&a});
    EXPECT_EQ(List.Remove(&b), -1);
    EXPECT_EQ(List.Extract(&b), nullptr);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&a}));
}

TEST_F(ListNotifications, ClearRemovesLastToFirst)
{
    Fill({&a, &b, &c});
    List.Clear();
    EXPECT_EQ(Log, (std::vector<TLogEntry>{{&c, cnRemoved, false}, {&b, cnRemoved, false}, {&a, cnRemoved, false}}));
}

TEST_F(ListNotifications, HandlerRejectingAnAddedItemLeavesTheListConsistent)
{
    Fill({&a, &b});
    // The element tree extracts a child it does not allow and raises.
    auto logging = List.OnNotify;
    List.OnNotify = [&](TList<TItem*>& Sender, TItem* const& Item, TNotification Action) {
        logging(Sender, Item, Action);
        if (Action == cnAdded && Item == &c) {
            Sender.Extract(Item);
            throw EListError("rejected");
        }
    };
    EXPECT_THROW(List.Insert(1, &c), EListError);
    EXPECT_THROW(List.SetItems(0, &c), EListError);
    EXPECT_EQ(Log, (std::vector<TLogEntry>{{&c, cnAdded, true},
                                           {&c, cnExtracted, false},
                                           {&a, cnRemoved, false},
                                           {&c, cnAdded, true},
                                           {&c, cnExtracted, false}}));
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&b}));
    EXPECT_EQ(List.Add(&d), 1);
}

TEST_F(ListNotifications, HandlerFailingDuringClearKeepsTheItemsNotYetReached)
{
    Fill({&a, &b, &c});
    List.OnNotify = [&](TList<TItem*>&, TItem* const& Item, TNotification) {
        if (Item == &b)
            throw EListError("busy");
    };
    EXPECT_THROW(List.Clear(), EListError);
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&a}));
}

TEST_F(ListNotifications, DestructionDoesNotNotify)
{
    std::vector<TNotification> seen;
    {
        TList<TItem*> doomed;
        doomed.Add(&a);
        doomed.OnNotify = [&](TList<TItem*>&, TItem* const&, TNotification Action) { seen.push_back(Action); };
    }
    EXPECT_TRUE(seen.empty());
}

TEST_F(ListNotifications, MoveAndExchangeReorderSilently)
{
    Fill({&a, &b, &c, &d});
    List.Move(0, 2);
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&b, &c, &a, &d}));
    List.Exchange(0, 3);
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&d, &c, &a, &b}));
    EXPECT_EQ(List.First(), &d);
    EXPECT_EQ(List.Last(), &b);
    EXPECT_EQ(List.IndexOf(&a), 2);
    EXPECT_TRUE(Log.empty());
}

TEST_F(ListNotifications, BadPositionsRaiseListErrorsAndChangeNothing)
{
    Fill({&a, &b});
    const struct {
        const char* Operation;
        std::function<void()> Action;
        const char* Message;
    } cases[] = {
        {"Items", [&] { List.Items(2); }, "List index out of bounds (2)"},
        {"operator[]", [&] { (void)List[-1]; }, "List index out of bounds (-1)"},
        {"SetItems", [&] { List.SetItems(5, &c); }, "List index out of bounds (5)"},
        {"Insert", [&] { List.Insert(3, &c); }, "List index out of bounds (3)"},
        {"Delete", [&] { List.Delete(2); }, "List index out of bounds (2)"},
        {"ExtractAt", [&] { List.ExtractAt(-1); }, "List index out of bounds (-1)"},
        {"Move", [&] { List.Move(0, 2); }, "List index out of bounds (2)"},
        {"Exchange", [&] { List.Exchange(7, 0); }, "List index out of bounds (7)"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Operation);
        EXPECT_EQ(MessageRaised<EListError>(test.Action), test.Message);
    }
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&a, &b}));
    EXPECT_TRUE(Log.empty());

    List.Clear();
    EXPECT_EQ(MessageRaised<EListError>([&] { List.First(); }), "List is empty");
    EXPECT_EQ(MessageRaised<EListError>([&] { List.Last(); }), "List is empty");
}

TEST_F(ListNotifications, AssignExtractsSharedItemsInsteadOfDiscardingThem)
{
    Fill({&a, &b, &c});
    TZorAssignList<TItem*> source;
    source.Add(&d);
    source.Add(&b);
    // An owning handler frees what is removed; nothing freed may stay in the list.
    std::set<const TItem*> freed;
    auto logging = List.OnNotify;
    List.OnNotify = [&](TList<TItem*>& Sender, TItem* const& Item, TNotification Action) {
        logging(Sender, Item, Action);
        if (Action == cnRemoved)
            freed.insert(Item);
    };

    List.Assign(source);

    EXPECT_EQ(Log, (std::vector<TLogEntry>{{&c, cnRemoved, false},
                                           {&b, cnExtracted, false},
                                           {&a, cnRemoved, false},
                                           {&d, cnAdded, true},
                                           {&b, cnAdded, true}}));
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&d, &b}));
    EXPECT_EQ(freed, (std::set<const TItem*>{&a, &c}));
    EXPECT_EQ(source.Count(), 2);
}

TEST_F(ListNotifications, AssignToItselfChangesNothing)
{
    Fill({&a, &b});
    List.Assign(List);
    EXPECT_EQ(Contents(), (std::vector<const TItem*>{&a, &b}));
    EXPECT_TRUE(Log.empty());
}
