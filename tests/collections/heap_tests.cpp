#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "collections/heap.h"
#include "collections/ordered_list.h"
#include "list_test_support.h"

using namespace zor;
using zor::testing::MessageRaised;
using zor::testing::NameOf;
using zor::testing::TTrackedItem;

namespace {

// Checks the heap property and that every element knows its position.
void ExpectValidHeap(const TIntHeap& heap, const std::vector<TIntHeapElement*>& elements)
{
    const auto better = [&](int a, int b) { return heap.Order() == THeapOrder::hpIncreasing ? a < b : a > b; };
    for (qsizetype i = 1; i < heap.Count(); ++i)
        ASSERT_FALSE(better(heap.PriorityAt(i), heap.PriorityAt((i - 1) / 2))) << "position " << i;
    for (const TIntHeapElement* element : elements)
        ASSERT_EQ(heap.PriorityAt(element->Index()), element->Priority());
}

// Removes the top until the heap is empty and returns the priorities seen.
std::vector<int> Drain(TIntHeap& heap)
{
    std::vector<int> order;
    while (heap.Count() > 0) {
        order.push_back(heap.PriorityAt(0));
        heap.Delete(0);
    }
    return order;
}

} // namespace

TEST(IntHeap, TopIsTheBestPriorityAndDeleteRestoresIt)
{
    TTrackedItem i5("5"), i3("3"), i8("8"), i1("1");
    TIntHeap heap;
    heap.Add(&i5, 5);
    heap.Add(&i3, 3);
    heap.Add(&i8, 8);
    heap.Add(&i1, 1);
    EXPECT_EQ(heap.PriorityAt(0), 1);
    EXPECT_EQ(heap.Delete(0), &i1);
    EXPECT_EQ(heap.PriorityAt(0), 3);
    EXPECT_EQ(heap.Item(0), &i3);
    EXPECT_EQ(heap.Count(), 3);
}

TEST(IntHeap, EqualPrioritiesKeepTheirPlace)
{
    TTrackedItem a("a"), b("b"), c("c");
    TIntHeap heap;
    heap.Add(&a, 5);
    heap.Add(&b, 5);
    heap.Add(&c, 5);
    EXPECT_EQ(NameOf(heap.Item(0)) + NameOf(heap.Item(1)) + NameOf(heap.Item(2)), "abc");
    heap.Delete(0);
    EXPECT_EQ(heap.Item(0), &c);
}

TEST(IntHeap, RandomOperationsKeepTheHeapValidInBothOrders)
{
    for (THeapOrder order : {THeapOrder::hpIncreasing, THeapOrder::hpDecreasing}) {
        SCOPED_TRACE(static_cast<int>(order));
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> priority(-20, 20);
        TIntHeap heap;
        heap.SetOrder(order);
        std::vector<TIntHeapElement*> elements;
        for (int step = 0; step < 400; ++step) {
            const int choice = static_cast<int>(random() % 4);
            if (choice <= 1 || elements.empty()) {
                elements.push_back(heap.Add(nullptr, priority(random)));
            } else if (choice == 2) {
                const auto victim = elements.begin() + random() % elements.size();
                heap.Delete(**victim);
                elements.erase(victim);
            } else {
                TIntHeapElement* element = elements[random() % elements.size()];
                const qsizetype position = heap.ModifyPriority(*element, priority(random));
                EXPECT_EQ(position, element->Index());
            }
            ExpectValidHeap(heap, elements);
        }
        std::vector<int> drained = Drain(heap);
        EXPECT_TRUE(order == THeapOrder::hpIncreasing ? std::is_sorted(drained.begin(), drained.end())
                                                      : std::is_sorted(drained.rbegin(), drained.rend()));
        EXPECT_EQ(drained.size(), elements.size());
    }
}

TEST(IntHeap, ChangingTheOrderOfAFilledHeapRearrangesIt)
{
    TIntHeap heap;
    for (int p : {4, 9, 1, 7, 3, 8})
        heap.Add(nullptr, p);
    heap.SetOrder(THeapOrder::hpDecreasing);
    EXPECT_EQ(Drain(heap), (std::vector<int>{9, 8, 7, 4, 3, 1}));
}

TEST(IntHeap, IndexOfFindsItemsAtAnyPriorityAndUnderEqualPriorities)
{
    TTrackedItem a("a"), b("b"), c("c"), d("d"), absent("absent");
    TIntHeap heap;
    heap.Add(&a, 5);
    heap.Add(&b, 5);
    heap.Add(&c, 7);
    heap.Add(&d, 5);
    const struct {
        const char* Search;
        qsizetype Found;
        qsizetype Expected;
    } cases[] = {
        {"item at priority 7", heap.IndexOf(&c), 2},
        {"item behind an equal priority", heap.IndexOf(&d, 5), 3},
        {"item and its priority", heap.IndexOf(&c, 7), 2},
        {"item with another priority", heap.IndexOf(&c, 5), -1},
        {"absent item", heap.IndexOf(&absent), -1},
        {"first of a priority", heap.IndexOf(5), 0},
        {"priority below all", heap.IndexOf(2), -1},
        {"priority above all", heap.IndexOf(9), -1},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.Found, test.Expected) << test.Search;
}

TEST(IntHeap, BadPositionsAndForeignElementsRaiseListErrors)
{
    TTrackedItem a("a");
    TIntHeap heap, other;
    heap.Add(&a, 1);
    TIntHeapElement* foreign = other.Add(&a, 1);
    EXPECT_EQ(MessageRaised<EListError>([&] { heap.Item(1); }), "List index out of bounds (1)");
    EXPECT_EQ(MessageRaised<EListError>([&] { heap.Delete(qsizetype{-1}); }), "List index out of bounds (-1)");
    EXPECT_EQ(MessageRaised<EListError>([&] { heap.SiftDown(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageRaised<EListError>([&] { heap.Delete(*foreign); }), "Item not found");
    EXPECT_EQ(MessageRaised<EListError>([&] { heap.ModifyPriority(*foreign, 0); }), "Item not found");
    EXPECT_EQ(heap.IndexOf(*foreign), -1);
    EXPECT_EQ(heap.Count(), 1);
    EXPECT_EQ(other.Count(), 1);
}

TEST(IntHeap, ElementsStartAtTheInitialPriorityAndClearBackToIt)
{
    TTrackedItem a("a");
    TIntHeap heap;
    THeapElement* element = heap.Add(&a);
    auto* intElement = dynamic_cast<TIntHeapElement*>(element);
    ASSERT_NE(intElement, nullptr);
    EXPECT_EQ(intElement->Priority(), -2147483647);
    intElement->SetPriority(3);
    intElement->Clear();
    EXPECT_EQ(intElement->Item(), nullptr);
    EXPECT_EQ(intElement->Priority(), -2147483647);
    intElement->Clear(12);
    EXPECT_EQ(intElement->Priority(), 12);
}

TEST(IntHeap, AssignCopiesOrderAndElementsIndependently)
{
    TTrackedItem a("a"), b("b"), c("c");
    TIntHeap source;
    source.SetOrder(THeapOrder::hpDecreasing);
    source.Add(&a, 1);
    source.Add(&b, 9);
    source.Add(&c, 4);
    TIntHeap copy;
    copy.Add(nullptr, 100);

    copy.Assign(&source);
    copy.Assign(&copy);

    EXPECT_EQ(copy.Order(), THeapOrder::hpDecreasing);
    ASSERT_EQ(copy.Count(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        EXPECT_EQ(copy.Item(i), source.Item(i));
        EXPECT_EQ(copy.PriorityAt(i), source.PriorityAt(i));
    }
    copy.Delete(0);
    EXPECT_EQ(source.Count(), 3);
    EXPECT_EQ(source.Item(0), &b);

    TZorObjectQueue queue;
    EXPECT_EQ(MessageRaised<EConvertError>([&] { copy.Assign(&queue); }), "Cannot assign a TZorObjectQueue to a TIntHeap");
    EXPECT_EQ(copy.Count(), 2);
}
