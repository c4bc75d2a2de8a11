// Clip regions: which points they let through, how far they reach, and the
// layers that draw through them, antialiased, or with the painter's hard
// clip once layers nest too deep.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "svg/render/clip_region.h"
#include "svg/render/transparent_layer.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

QPainterPath RectPath(const QRectF& R)
{
    QPainterPath path;
    path.addRect(R);
    return path;
}

std::shared_ptr<const TClipRegion> RegionOf(const QRectF& R)
{
    auto region = std::make_shared<TClipRegion>();
    region->AddShape(RectPath(R));
    return region;
}

// The left half (x < 50) and a ring whose hole is outside by its rule,
// limited by the top half (y < 50) for the ring and by x > 10 for all.
std::shared_ptr<const TClipRegion> SampleRegion()
{
    auto region = std::make_shared<TClipRegion>();
    region->AddShape(RectPath({0, 0, 50, 100}));
    QPainterPath ring = RectPath({60, 10, 30, 80});
    ring.addRect(70, 20, 10, 10);
    ring.setFillRule(Qt::OddEvenFill);
    region->AddShape(ring, RegionOf({0, 0, 100, 50}));
    region->Restrict(RegionOf({10, 0, 90, 100}));
    return region;
}

TEST(ClipRegion, PointsAreInsideTheUnionOfShapesWithinTheirClips)
{
    const std::shared_ptr<const TClipRegion> region = SampleRegion();
    const struct {
        QPointF Pt;
        bool Inside;
    } cases[] = {
        {{20, 80}, true},   // left half
        {{5, 80}, false},   // cut off by the region's clip
        {{65, 15}, true},   // ring, top half
        {{75, 25}, false},  // the ring's hole
        {{65, 70}, false},  // ring, but outside its own clip
        {{95, 15}, false},  // nothing there
    };
    for (const auto& c : cases)
        EXPECT_EQ(region->Contains(c.Pt), c.Inside) << c.Pt.x() << ',' << c.Pt.y();
    EXPECT_EQ(region->Bounds(), QRectF(10, 0, 80, 100));
    EXPECT_TRUE(TClipRegion().IsEmpty());
    EXPECT_TRUE(TClipRegion().Bounds().isEmpty());
    EXPECT_FALSE(TClipRegion().Contains({0, 0}));
}

TEST(ClipRegion, TheOutlineCoversWhatThePointsSay)
{
    const std::shared_ptr<const TClipRegion> region = SampleRegion();
    const QPainterPath outline = region->Outline();
    for (int y = 2; y < 100; y += 7)
        for (int x = 2; x < 100; x += 7)
            EXPECT_EQ(outline.contains(QPointF(x, y)), region->Contains(QPointF(x, y))) << x << ',' << y;
}

TEST(ClipRegion, IntersectionsKeepBothLimits)
{
    EXPECT_EQ(TClipRegion::Intersection(nullptr, nullptr), nullptr);
    const std::shared_ptr<const TClipRegion> left = RegionOf({0, 0, 50, 100});
    EXPECT_EQ(TClipRegion::Intersection(left, nullptr), left);
    const std::shared_ptr<const TClipRegion> both = TClipRegion::Intersection(left, RegionOf({0, 0, 100, 50}));
    EXPECT_TRUE(both->Contains({25, 25}));
    EXPECT_FALSE(both->Contains({25, 75}));
    EXPECT_FALSE(both->Contains({75, 25}));
    // The operands stay as they were.
    EXPECT_TRUE(left->Contains({25, 75}));
}

TEST(ClipLayer, ContentIsDrawnThroughTheAntialiasedCoverage)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(0xFFFF0000));
    const std::shared_ptr<const TClipRegion> region = RegionOf({10.5, 10, 50, 50});
    {
        TTransparentLayer layer(canvas.Context, 1, QRectF(), region.get());
        EXPECT_TRUE(layer.IsOffscreen());
        canvas.Context.FillPath(TTransformedPath(RectPath({0, 0, 100, 100}), QTransform()), 1);
    }
    const QImage& image = canvas.Image();
    EXPECT_NEAR(AlphaAt(image, 10, 30), 128, 3);
    EXPECT_EQ(AlphaAt(image, 11, 30), 255);
    EXPECT_EQ(AlphaAt(image, 9, 30), 0);
    EXPECT_EQ(AlphaAt(image, 70, 30), 0);
}

TEST(ClipLayer, LayersNestedTooDeeplyClipWithThePainter)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(0xFFFF0000));
    // Each layer cuts one more unit off the left.
    std::vector<std::shared_ptr<const TClipRegion>> regions;
    std::vector<std::unique_ptr<TTransparentLayer>> layers;
    const int levels = TTransparentLayer::MaxDepth + 3;
    for (int i = 1; i <= levels; ++i) {
        regions.push_back(RegionOf({double(i), 0, 100, 100}));
        layers.push_back(std::make_unique<TTransparentLayer>(canvas.Context, 1, QRectF(), regions.back().get()));
        EXPECT_EQ(layers.back()->IsOffscreen(), i <= TTransparentLayer::MaxDepth) << i;
    }
    canvas.Context.FillPath(TTransformedPath(RectPath({0, 0, 100, 100}), QTransform()), 1);
    while (!layers.empty())
        layers.pop_back();
    const QImage& image = canvas.Image();
    EXPECT_EQ(AlphaAt(image, levels - 1, 50), 0);
    EXPECT_EQ(AlphaAt(image, levels + 1, 50), 255);
}

TEST(ClipLayer, AnEmptyRegionLetsNothingThrough)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(0xFFFF0000));
    const TClipRegion empty;
    {
        TTransparentLayer layer(canvas.Context, 1, QRectF(), &empty);
        canvas.Context.FillPath(TTransformedPath(RectPath({0, 0, 100, 100}), QTransform()), 1);
    }
    EXPECT_EQ(AlphaAt(canvas.Image(), 50, 50), 0);
}

} // namespace
