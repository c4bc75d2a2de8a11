#include <gtest/gtest.h>

#include "collections/heap.h"
#include "collections/ordered_list.h"
#include "list_test_support.h"

using namespace zor;
using zor::testing::MessageRaised;
using zor::testing::TTrackedItem;

TEST(ObjectQueue, PopsAndShowsTheOldestItem)
{
    TTrackedItem x("x"), y("y");
    TZorObjectQueue queue;
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Push(&x), 0);
    EXPECT_EQ(queue.Push(&y), 1);
    EXPECT_EQ(queue.Pop(), &x);
    EXPECT_EQ(queue.Top(), &y);
    EXPECT_EQ(queue.Pop(), &y);
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(MessageRaised<EListError>([&] { queue.Pop(); }), "List is empty");
    EXPECT_EQ(MessageRaised<EListError>([&] { queue.Top(); }), "List is empty");
}

TEST(ObjectQueue, CloneIsAnIndependentQueueWithTheSameItems)
{
    TTrackedItem x("x"), y("y");
    TZorObjectQueue queue;
    queue.Push(&x);
    queue.Push(&y);

    const std::unique_ptr<TZorObjectOrderedList> copy = queue.Clone();

    ASSERT_NE(dynamic_cast<TZorObjectQueue*>(copy.get()), nullptr);
    EXPECT_EQ(copy->Pop(), &x);
    EXPECT_EQ(copy->Count(), 1);
    EXPECT_EQ(queue.Count(), 2);
}

TEST(ObjectQueue, AssignTakesOnlyOrderedListsAndKeepsItsItemsOnFailure)
{
    TTrackedItem x("x"), y("y");
    TZorObjectQueue queue;
    queue.Push(&x);
    TIntHeap heap;
    EXPECT_EQ(MessageRaised<EConvertError>([&] { queue.Assign(&heap); }), "Cannot assign a TIntHeap to a TZorObjectQueue");
    EXPECT_EQ(MessageRaised<EConvertError>([&] { queue.Assign(nullptr); }), "Cannot assign a nil to a TZorObjectQueue");
    EXPECT_EQ(queue.Top(), &x);

    queue.Assign(&queue);
    EXPECT_EQ(queue.Count(), 1);

    TZorObjectQueue other;
    other.Push(&y);
    other.Push(&x);
    queue.Assign(&other);
    EXPECT_EQ(queue.ToList(), (QList<TPersistent*>{&y, &x}));
}
