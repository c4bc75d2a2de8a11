// Duplicating path geometry: copies accumulate turn by turn or step by step,
// and copies of a path element join its parent instead of being left over.

#include <gtest/gtest.h>

#include <memory>

#include "geometry/path_data.h"
#include "instruments/svg_graphics.h"
#include "platform/exceptions.h"
#include "svg/model/document.h"
#include "svg/model/group.h"
#include "svg/model/path_element.h"

namespace zor::test {
namespace {

// A marker at the top centre of a 100 × 100 frame.
const QString Marker = QStringLiteral("M49,0 H51 V5 H49 Z");

QRectF Rounded(const QRectF& R)
{
    auto round = [](double V) { return std::round(V * 1000) / 1000; };
    return QRectF(QPointF(round(R.left()), round(R.top())), QPointF(round(R.right()), round(R.bottom())));
}

TEST(GraphicsFactoryTest, TurnedCopiesAccumulateAboutTheCentre)
{
    TZorPathData path;
    path.SetData(Marker);
    const qsizetype points = path.Count();
    TSVGGraphicsFactory::Duplicate(path, QPointF(50, 50), 90, 3);
    // Four markers: top, right, bottom, left.
    EXPECT_EQ(Rounded(path.GetBounds()), QRectF(0, 0, 100, 100));
    EXPECT_EQ(path.Count(), 4 * points);
    EXPECT_TRUE(path.PointInPath(QPointF(97.5, 50)));
    EXPECT_TRUE(path.PointInPath(QPointF(50, 97.5)));
    EXPECT_TRUE(path.PointInPath(QPointF(2.5, 50)));
    EXPECT_FALSE(path.PointInPath(QPointF(50, 50)));
}

TEST(GraphicsFactoryTest, MovedCopiesAccumulateStepByStep)
{
    TZorPathData path;
    path.SetData(QStringLiteral("M0,0 H2 V2 H0 Z"));
    TSVGGraphicsFactory::Duplicate(path, 10, 5, 2);
    EXPECT_EQ(Rounded(path.GetBounds()), QRectF(0, 0, 22, 12));
    EXPECT_TRUE(path.PointInPath(QPointF(11, 6)));
    EXPECT_TRUE(path.PointInPath(QPointF(21, 11)));
}

TEST(GraphicsFactoryTest, NoCopiesLeaveThePathAsItWas)
{
    for (const int num : {0, -3}) {
        TZorPathData path;
        path.SetData(Marker);
        const QString data = path.Data();
        const std::uint64_t revision = path.Revision();
        TSVGGraphicsFactory::Duplicate(path, QPointF(50, 50), 30, num);
        TSVGGraphicsFactory::Duplicate(path, 1, 1, num);
        EXPECT_EQ(path.Data(), data);
        EXPECT_EQ(path.Revision(), revision) << num;
    }
}

TEST(GraphicsFactoryTest, CopiesOfAPathElementFollowItInItsParent)
{
    TSVGDocument doc;
    auto* group = doc.AppendChild(std::make_unique<TSVGGroup>(&doc));
    auto* path = group->AppendChild(std::make_unique<TSVGPath>(&doc));
    auto* after = group->AppendChild(std::make_unique<TSVGPath>(&doc));
    path->Data().SetData(Marker);

    const std::vector<TSVGPath*> copies = TSVGGraphicsFactory::Duplicate(*path, QPointF(50, 50), 90, 2);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(group->Items().ToList(), (QList<TSVGElement*>{path, copies[0], copies[1], after}));
    EXPECT_EQ(Rounded(copies[0]->Data().GetBounds()), QRectF(95, 49, 5, 2));
    EXPECT_EQ(Rounded(copies[1]->Data().GetBounds()), QRectF(49, 95, 2, 5));

    const std::vector<TSVGPath*> moved = TSVGGraphicsFactory::Duplicate(*after, 3, 4, 1);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(group->Items().Last(), moved[0]);
}

TEST(GraphicsFactoryTest, APathWithoutParentIsNotCopied)
{
    TSVGDocument doc;
    TSVGPath path(&doc);
    path.Data().SetData(Marker);
    const qsizetype ids = doc.AllItems().Count();
    EXPECT_THROW(TSVGGraphicsFactory::Duplicate(path, QPointF(50, 50), 90, 2), EInvalidOperation);
    EXPECT_THROW(TSVGGraphicsFactory::Duplicate(path, 1, 1, 2), EInvalidOperation);
    EXPECT_TRUE(TSVGGraphicsFactory::Duplicate(path, 1, 1, 0).empty());
    // Nothing was made and left behind.
    EXPECT_EQ(doc.AllItems().Count(), ids);
}

} // namespace
} // namespace zor::test
