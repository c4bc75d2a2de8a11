#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "collections/priority_list.h"
#include "list_test_support.h"

using namespace zor;
using zor::testing::MessageRaised;
using zor::testing::NameOf;
using zor::testing::TTrackedItem;

namespace {

// Items owned by the test, added in a chosen order of priorities.
class PriorityListFixture : public ::testing::Test {
protected:
    TTrackedItem* Make(const QString& name)
    {
        Items.push_back(std::make_unique<TTrackedItem>(name, &Destroyed));
        return Items.back().get();
    }

    void AddAll(TPriorityList& list, std::initializer_list<std::pair<const char*, int>> entries)
    {
        for (const auto& [name, priority] : entries)
            list.Add(Make(QString::fromLatin1(name)), priority);
    }

    // The names of items 0 .. Count - 1, the order in which the cascade
    // applies them; the in-order walk must give the same.
    static QString Sequence(const TPriorityList& list)
    {
        QString names;
        for (qsizetype i = 0; i < list.Count(); ++i)
            names += NameOf(list.Item(i));
        QString walked;
        for (TPersistent* item : list.InOrder())
            walked += NameOf(item);
        EXPECT_EQ(walked, names) << "the walk and ordinal access disagree";
        return names;
    }

    // Hands the items to a list that frees them.
    void GiveAway() { std::ranges::for_each(Items, [](auto& item) { (void)item.release(); }); }

    std::vector<std::unique_ptr<TTrackedItem>> Items;
    int Destroyed = 0;
    TPriorityList List;
};

} // namespace

TEST_F(PriorityListFixture, OrdersByPriorityThenMostRecentFirst)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 999}, {"e", 2}});
    EXPECT_EQ(List.Count(), 5);
    EXPECT_EQ(Sequence(List), "ebcad");
}

TEST_F(PriorityListFixture, DeleteZeroPopsTheOldestItemOfTheTopPriority)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 999}, {"e", 2}});
    EXPECT_EQ(NameOf(List.Item(0)), "e");
    EXPECT_EQ(NameOf(List.Delete(0)), "b");
    EXPECT_EQ(Sequence(List), "ecad");
    EXPECT_EQ(NameOf(List.Delete(0)), "e");
    EXPECT_EQ(Sequence(List), "cad");
    EXPECT_EQ(List.IndexOf(2), -1);
}

TEST_F(PriorityListFixture, DeleteOfALaterPositionRemovesThatItem)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 999}});
    EXPECT_EQ(NameOf(List.Delete(2)), "a");
    EXPECT_EQ(NameOf(List.Delete(2)), "d");
    EXPECT_EQ(List.IndexOf(999), -1);
    EXPECT_EQ(Sequence(List), "bc");
    EXPECT_EQ(Destroyed, 0);
}

TEST_F(PriorityListFixture, ItemsOfOnePriorityShareOneHeapElement)
{
    TTrackedItem* a = Make("a");
    TTrackedItem* b = Make("b");
    TIntHeapElement* first = List.Add(a, 7);
    EXPECT_EQ(List.Add(b, 7), first);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_EQ(List.IndexOf(7), 0);
}

TEST_F(PriorityListFixture, PositionsOutsideTheItemsRaiseTheBaseException)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 999}, {"e", 2}});
    for (qsizetype bad : {qsizetype{5}, qsizetype{-1}}) {
        const QString expected = QStringLiteral("List index out of bounds (%1)").arg(bad);
        EXPECT_EQ(MessageRaised<Exception>([&] { List.Item(bad); }), expected);
        EXPECT_EQ(MessageRaised<Exception>([&] { List.Delete(bad); }), expected);
        EXPECT_EQ(MessageRaised<Exception>([&] { List.SetItem(bad, nullptr); }), expected);
    }
    TPriorityList empty;
    EXPECT_EQ(MessageRaised<Exception>([&] { empty.Delete(0); }), "List index out of bounds (0)");
    EXPECT_EQ(Sequence(List), "ebcad");
}

TEST_F(PriorityListFixture, ClearEmptiesTheListForNewItems)
{
    AddAll(List, {{"a", 5}, {"b", 2}});
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Destroyed, 0);
    AddAll(List, {{"c", 1}});
    EXPECT_EQ(Sequence(List), "c");
}

TEST_F(PriorityListFixture, SetItemReplacesInPlace)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}});
    List.SetItem(1, Make("x"));
    EXPECT_EQ(Sequence(List), "bxa");
}

TEST_F(PriorityListFixture, FreeIfNoPopFreesDroppedItemsOnceAndNeverWhatItStillHolds)
{
    {
        TPriorityList owning;
        owning.SetFreeIfNoPop(true);
        AddAll(owning, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 9}});
        TTrackedItem* shared = Items[0].get();
        owning.Add(shared, 9); // the same item at two priorities
        TTrackedItem* replacement = Make("x");
        GiveAway();

        EXPECT_EQ(owning.Delete(3), nullptr); // "a" at priority 9: still held at 5
        EXPECT_EQ(Destroyed, 0);
        owning.SetItem(1, owning.Item(1)); // the same item again: kept
        EXPECT_EQ(Destroyed, 0);
        owning.SetItem(1, replacement); // replaces "c"
        EXPECT_EQ(Destroyed, 1);
        TPersistent* popped = owning.Delete(0); // popped items go back to the caller
        EXPECT_EQ(NameOf(popped), "b");
        delete popped;
        EXPECT_EQ(Destroyed, 2);
        EXPECT_EQ(Sequence(owning), "xad");
        owning.Clear();
        EXPECT_EQ(Destroyed, 5);
        AddAll(owning, {{"e", 1}});
        GiveAway();
    }
    EXPECT_EQ(Destroyed, 6); // the destructor clears
}

TEST_F(PriorityListFixture, AssignCopiesPrioritiesAndListsIndependently)
{
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 999}, {"e", 2}});
    TPriorityList copy;
    AddAll(copy, {{"z", 1}});

    copy.Assign(&List);
    List.Assign(&List);

    EXPECT_EQ(Sequence(copy), "ebcad");
    copy.Delete(0);
    copy.Delete(3);
    copy.Add(Make("f"), 3);
    EXPECT_EQ(Sequence(copy), "efca");
    EXPECT_EQ(Sequence(List), "ebcad");

    TIntHeap heap;
    EXPECT_EQ(MessageRaised<EConvertError>([&] { copy.Assign(&heap); }), "Cannot assign a TIntHeap to a TPriorityList");
    EXPECT_EQ(Sequence(copy), "efca");
}

TEST_F(PriorityListFixture, InOrderWalksEveryItemOnceInOrdinalOrder)
{
    EXPECT_TRUE(List.InOrder().empty());
    // Many priorities, repeated in a scattered order, in both heap orders.
    for (THeapOrder order : {THeapOrder::hpIncreasing, THeapOrder::hpDecreasing}) {
        TPriorityList list;
        list.SetOrder(order);
        for (int i = 0; i < 300; ++i)
            list.Add(Make(QString::number(i)), (i * 37) % 23 - 11);
        std::vector<TPersistent*> byIndex;
        for (qsizetype i = 0; i < list.Count(); ++i)
            byIndex.push_back(list.Item(i));
        const std::vector<TPersistent*> items = list.InOrder();
        EXPECT_EQ(items, byIndex);
        // The most recent item of the best priority: -11 or 11.
        EXPECT_EQ(NameOf(items.front()), order == THeapOrder::hpIncreasing ? "299" : "294");
    }
    AddAll(List, {{"a", 5}, {"b", 2}, {"c", 5}});
    List.Delete(0);
    List.Delete(1);
    EXPECT_EQ(Sequence(List), "c");
}

TEST_F(PriorityListFixture, WithoutFreeIfNoPopNoItemIsFreed)
{
    {
        TPriorityList list;
        AddAll(list, {{"a", 5}, {"b", 2}, {"c", 5}, {"d", 9}});
        list.Delete(2);
        list.Delete(0);
        list.SetItem(0, Make("x"));
        TPriorityList copy;
        copy.Assign(&list);
        list.Clear();
        AddAll(list, {{"e", 1}});
    }
    EXPECT_EQ(Destroyed, 0);
}

TEST_F(PriorityListFixture, TwoOwningListsCannotShareItems)
{
    TPriorityList owning, other;
    owning.SetFreeIfNoPop(true);
    other.SetFreeIfNoPop(true);
    AddAll(owning, {{"a", 5}});
    AddAll(other, {{"b", 2}});
    GiveAway();
    EXPECT_EQ(MessageRaised<EInvalidOperation>([&] { other.Assign(&owning); }),
              "Two lists that free their items cannot share them");
    EXPECT_EQ(Sequence(other), "b");

    // A list that frees nothing may copy an owning one, and the reverse.
    TPriorityList plain;
    plain.Assign(&owning);
    EXPECT_EQ(Sequence(plain), "a");
    plain.Clear();
    EXPECT_EQ(Destroyed, 0);
}
