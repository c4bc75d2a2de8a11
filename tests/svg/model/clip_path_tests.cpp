// Clipping by clip paths: the union of the children with their rules,
// transformations and units, clip paths clipped in turn, references that
// come back to themselves, hit testing, one element drawn alone, and the
// option that ignores clip paths. Pixels are probed at chosen points.

#include <gtest/gtest.h>

#include <functional>

#include "drawing_test_support.h"
#include "svg/model/clip_path.h"
#include "svg/render/render_context.h"
#include "tests/support/reference_image.h"

namespace zor::test {
namespace {

const QString Square = QStringLiteral("M0,0 H100 V100 H0 Z");

class ClipPathTest : public DrawingTest {
protected:
    // A clip path with the id Id, styled by Style.
    TSVGClipPath* AddClip(const QString& Id, const QString& Style = QString())
    {
        auto* clip = Add<TSVGClipPath>(Doc);
        clip->SetID(Id);
        if (!Style.isEmpty())
            SetStyle(*clip, Style);
        return clip;
    }

    // A red square over the whole document, clipped by the clip path Id.
    TSVGPath* AddClipped(TSVGElement& Parent, const QString& Id)
    {
        return AddPath(Parent, Square, QStringLiteral("fill:red;clip-path:url(#%1)").arg(Id));
    }

    int AlphaAt(const QImage& Image, QPoint Pt) const { return qAlpha(Image.pixel(Pt)); }

    // Every probe inside is fully drawn, every one outside untouched.
    void ExpectClipped(const QImage& Image, std::initializer_list<QPoint> Inside,
                       std::initializer_list<QPoint> Outside) const
    {
        for (const QPoint p : Inside)
            EXPECT_EQ(AlphaAt(Image, p), 255) << "inside " << p.x() << ',' << p.y();
        for (const QPoint p : Outside)
            EXPECT_EQ(AlphaAt(Image, p), 0) << "outside " << p.x() << ',' << p.y();
    }
};

TEST_F(ClipPathTest, AnElementIsDrawnWithinTheUnionOfTheChildren)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    // Stroke and fill of the children play no part.
    AddPath(*clip, QStringLiteral("M10,10 H40 V40 H10 Z"), QStringLiteral("fill:none;stroke:blue;stroke-width:20"));
    AddPath(*clip, QStringLiteral("M30,30 H80 V60 H30 Z"));
    AddClipped(Doc, QStringLiteral("c"));
    const QImage image = Render();
    ExpectClipped(image, {{12, 12}, {35, 35}, {78, 58}}, {{5, 5}, {50, 20}, {20, 50}, {90, 90}});
    EXPECT_TRUE(SameColor(image.pixel(35, 35), OpaqueRed));
}

TEST_F(ClipPathTest, EdgesAreAntialiased)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    // The edge runs through the middle of a column of pixels.
    AddPath(*clip, QStringLiteral("M10.5,10 H60 V60 H10.5 Z"));
    AddClipped(Doc, QStringLiteral("c"));
    const QImage image = Render();
    EXPECT_NEAR(AlphaAt(image, {10, 30}), 128, 3);
    EXPECT_EQ(AlphaAt(image, {11, 30}), 255);
    EXPECT_EQ(AlphaAt(image, {9, 30}), 0);
}

TEST_F(ClipPathTest, EachChildIsInsideByItsClipRule)
{
    // A ring: the hole is outside under evenodd only. The rule comes from
    // the child or is inherited from the clip path.
    const QString ring = QStringLiteral("M10,10 H90 V90 H10 Z M30,30 H70 V70 H30 Z");
    const struct {
        const char* ClipStyle;
        const char* ChildStyle;
        bool HoleDrawn;
    } cases[] = {
        {"", "", true},
        {"", "clip-rule:evenodd", false},
        {"clip-rule:evenodd", "", false},
        {"clip-rule:evenodd", "clip-rule:nonzero", true},
        // fill-rule is not the clip rule.
        {"", "fill-rule:evenodd", true},
    };
    for (const auto& c : cases) {
        Doc.Clear();
        TSVGClipPath* clip = AddClip(QStringLiteral("c"), QLatin1String(c.ClipStyle));
        AddPath(*clip, ring, QLatin1String(c.ChildStyle));
        AddClipped(Doc, QStringLiteral("c"));
        const QImage image = Render();
        EXPECT_EQ(AlphaAt(image, {20, 20}), 255) << c.ClipStyle << ' ' << c.ChildStyle;
        EXPECT_EQ(AlphaAt(image, {50, 50}), c.HoleDrawn ? 255 : 0) << c.ClipStyle << ' ' << c.ChildStyle;
        EXPECT_EQ(AlphaAt(image, {95, 95}), 0);
    }
}

TEST_F(ClipPathTest, UnitsAreUserSpaceOrFractionsOfTheBoundingBox)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    AddPath(*clip, QStringLiteral("M0.25,0.25 H0.75 V0.75 H0.25 Z"));
    // A group's box is that of its content: 20 .. 80.
    auto* group = AddStyled(Doc, QStringLiteral("clip-path:url(#c)"));
    AddPath(*group, QStringLiteral("M20,20 H80 V80 H20 Z"));
    // In user space the clip is below one unit: nothing is left.
    EXPECT_EQ(AlphaAt(Render(), {50, 50}), 0);
    clip->SetClipPathUnits(TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    // Fractions of 20 .. 80: 35 .. 65.
    ExpectClipped(Render(), {{36, 36}, {64, 64}}, {{33, 50}, {67, 50}, {50, 33}, {50, 67}});
    // The clip path's transformation applies after the units.
    clip->SetTransformMatrix(u"translate(10 0)");
    ExpectClipped(Render(), {{46, 50}, {74, 50}}, {{43, 50}, {77, 50}});
}

TEST_F(ClipPathTest, ABoundingBoxWithoutAreaLeavesNothing)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    clip->SetClipPathUnits(TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    AddPath(*clip, QStringLiteral("M0,0 H1 V1 H0 Z"));
    AddPath(Doc, QStringLiteral("M10,50 H90"),
            QStringLiteral("fill:none;stroke:red;stroke-width:10;clip-path:url(#c)"));
    EXPECT_EQ(AlphaAt(Render(), {50, 50}), 0);
}

TEST_F(ClipPathTest, TransformationsOfTheChildTheClipPathAndTheElementCompose)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    clip->SetTransformMatrix(u"translate(20 0)");
    TSVGPath* child = AddPath(*clip, QStringLiteral("M0,0 H20 V20 H0 Z"));
    child->SetTransformMatrix(u"scale(2)");
    // The clip lies in the clipped element's user space, so it moves with it.
    auto* moved = AddStyled(Doc, QStringLiteral("clip-path:url(#c)"));
    moved->SetTransformMatrix(u"translate(0 30)");
    AddPath(*moved, Square);
    // x 20 .. 60, y 30 .. 70.
    ExpectClipped(Render(), {{22, 32}, {58, 68}}, {{18, 50}, {62, 50}, {40, 28}, {40, 72}});
}

TEST_F(ClipPathTest, ClipsOfClipPathsAndOfTheirChildrenIntersect)
{
    TSVGClipPath* left = AddClip(QStringLiteral("left"));
    AddPath(*left, QStringLiteral("M0,0 H50 V100 H0 Z"));
    TSVGClipPath* top = AddClip(QStringLiteral("top"));
    AddPath(*top, QStringLiteral("M0,0 H100 V50 H0 Z"));
    // The clip path clipped by "left", one child by "top", the other whole.
    TSVGClipPath* clip = AddClip(QStringLiteral("c"), QStringLiteral("clip-path:url(#left)"));
    AddPath(*clip, QStringLiteral("M10,10 H90 V60 H10 Z"), QStringLiteral("clip-path:url(#top)"));
    AddPath(*clip, QStringLiteral("M20,80 H80 V90 H20 Z"));
    AddClipped(Doc, QStringLiteral("c"));
    ExpectClipped(Render(), {{12, 12}, {48, 48}, {22, 85}, {48, 85}},
                  {{52, 20}, {30, 55}, {52, 85}, {5, 5}});
}

TEST_F(ClipPathTest, NestedClippedElementsIntersect)
{
    TSVGClipPath* left = AddClip(QStringLiteral("left"));
    AddPath(*left, QStringLiteral("M0,0 H50 V100 H0 Z"));
    TSVGClipPath* top = AddClip(QStringLiteral("top"));
    AddPath(*top, QStringLiteral("M0,0 H100 V50 H0 Z"));
    auto* group = AddStyled(Doc, QStringLiteral("clip-path:url(#left)"));
    TSVGPath* inner = AddClipped(*group, QStringLiteral("top"));
    ExpectClipped(Render(), {{10, 10}, {48, 48}}, {{60, 10}, {10, 60}, {60, 60}});
    EXPECT_EQ(HitAt({10, 10}), inner);
    EXPECT_EQ(HitAt({60, 10}), nullptr);
    EXPECT_EQ(HitAt({10, 60}), nullptr);
}

TEST_F(ClipPathTest, AReferenceThatComesBackIsLeftOutThere)
{
    // The clip path names itself, and its child names it: both references
    // stop at the repeat and the child clips as if they were not given.
    TSVGClipPath* self = AddClip(QStringLiteral("self"), QStringLiteral("clip-path:url(#self)"));
    AddPath(*self, QStringLiteral("M10,10 H50 V50 H10 Z"), QStringLiteral("clip-path:url(#self)"));
    AddClipped(Doc, QStringLiteral("self"));
    ExpectClipped(Render(), {{12, 12}, {48, 48}}, {{60, 60}});

    // a's child is clipped by b, whose child names a again: b's child is
    // taken whole, so a's clip is the overlap of the two children.
    Doc.Clear();
    TSVGClipPath* a = AddClip(QStringLiteral("a"));
    AddPath(*a, QStringLiteral("M0,0 H60 V60 H0 Z"), QStringLiteral("clip-path:url(#b)"));
    TSVGClipPath* b = AddClip(QStringLiteral("b"));
    AddPath(*b, QStringLiteral("M40,40 H100 V100 H40 Z"), QStringLiteral("clip-path:url(#a)"));
    AddClipped(Doc, QStringLiteral("a"));
    ExpectClipped(Render(), {{42, 42}, {58, 58}}, {{30, 30}, {70, 70}});
}

TEST_F(ClipPathTest, WhatTheClipPathCannotGiveLeavesTheElementOut)
{
    const struct {
        const char* Name;
        std::function<void()> Build;
    } cases[] = {
        {"a name that finds nothing", [] {}},
        {"a name that finds no clip path",
         [this] { AddPath(Doc, QStringLiteral("M0,0 H1 V1 Z"))->SetID(QStringLiteral("c")); }},
        {"a clip path without children", [this] { AddClip(QStringLiteral("c")); }},
        {"children not displayed or hidden",
         [this] {
             TSVGClipPath* clip = AddClip(QStringLiteral("c"));
             AddPath(*clip, Square, QStringLiteral("display:none"));
             AddPath(*clip, Square, QStringLiteral("visibility:hidden"));
         }},
        {"a child clipped by an empty clip path",
         [this] {
             AddClip(QStringLiteral("empty"));
             AddPath(*AddClip(QStringLiteral("c")), Square, QStringLiteral("clip-path:url(#empty)"));
         }},
        {"a use of a group",
         [this] {
             auto* defs = Add<TSVGDefs>(Doc);
             auto* group = Add<TSVGGroup>(*defs);
             group->SetID(QStringLiteral("g"));
             AddPath(*group, Square);
             Add<TSVGUse>(*AddClip(QStringLiteral("c")))->SetReference(QStringLiteral("g"));
         }},
    };
    for (const auto& c : cases) {
        Doc.Clear();
        c.Build();
        TSVGPath* clipped = AddClipped(Doc, QStringLiteral("c"));
        EXPECT_EQ(AlphaAt(Render(), {50, 50}), 0) << c.Name;
        EXPECT_EQ(HitAt({50, 50}), nullptr) << c.Name;
        // Without the reference it is drawn.
        SetStyle(*clipped, QStringLiteral("fill:red"));
        EXPECT_EQ(AlphaAt(Render(), {50, 50}), 255) << c.Name;
    }
}

TEST_F(ClipPathTest, AUseAmongTheChildrenAddsTheShapeItReferences)
{
    auto* defs = Add<TSVGDefs>(Doc);
    AddPath(*defs, QStringLiteral("M0,0 H20 V20 H0 Z M5,5 H15 V15 H5 Z"))->SetID(QStringLiteral("ring"));
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    // Placed by x and y and the use's transformation; the rule is inherited
    // from the use.
    auto* use = AddStyled<TSVGUse>(*clip, QStringLiteral("clip-rule:evenodd"));
    use->SetReference(QStringLiteral("ring"));
    use->SetX(10);
    use->SetTransformMatrix(u"scale(2)");
    AddClipped(Doc, QStringLiteral("c"));
    // x 20 .. 60 with a hole at 30 .. 50; y 0 .. 40 with a hole at 10 .. 30.
    ExpectClipped(Render(), {{22, 2}, {58, 38}, {25, 20}}, {{18, 20}, {40, 20}, {62, 20}, {40, 42}});
}

TEST_F(ClipPathTest, APointOutsideTheClipFindsNothing)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    AddPath(*clip, QStringLiteral("M0,0 H50 V50 H0 Z M50,50 H100 V100 H50 Z"));
    auto* group = AddStyled(Doc, QStringLiteral("clip-path:url(#c)"));
    TSVGPath* inside = AddPath(*group, Square);
    TSVGPath* below = AddPath(Doc, QStringLiteral("M0,0 H100 V20 H0 Z"), QStringLiteral("fill:blue"));
    Doc.MoveChild(Doc.Items().IndexOf(below), 0);
    EXPECT_EQ(HitAt({25, 30}), inside);
    EXPECT_EQ(HitAt({75, 75}), inside);
    EXPECT_EQ(HitAt({75, 30}), nullptr);
    // The element below shows where the clip hides what lies over it.
    EXPECT_EQ(HitAt({75, 10}), below);
    EXPECT_EQ(HitAt({25, 10}), inside);
}

TEST_F(ClipPathTest, AnElementDrawnAloneIsClippedByItsAncestors)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    AddPath(*clip, QStringLiteral("M0,0 H50 V50 H0 Z"));
    auto* outer = AddStyled(Doc, QStringLiteral("clip-path:url(#c)"));
    outer->SetTransformMatrix(u"translate(10 10)");
    auto* inner = Add<TSVGGroup>(*outer);
    TSVGPath* square = AddPath(*inner, QStringLiteral("M-10,-10 H90 V90 H-10 Z"));
    const QImage whole = Render();
    QImage alone(Side, Side, QImage::Format_ARGB32_Premultiplied);
    alone.fill(Qt::transparent);
    {
        TCanvasScene scene(alone);
        TRenderContext canvas(scene.Painter());
        const QRectF target(0, 0, Side, Side);
        Doc.DrawElement(square, Doc.GetViewMatrix(target), canvas, target);
    }
    // The clip lies in the clipped group's space: 10 .. 60.
    ExpectClipped(alone, {{12, 12}, {58, 58}}, {{8, 30}, {62, 30}, {30, 62}});
    for (const QPoint p : {QPoint(10, 30), QPoint(59, 59), QPoint(60, 30), QPoint(80, 80)})
        EXPECT_EQ(alone.pixel(p), whole.pixel(p)) << p.x() << ',' << p.y();
}

TEST_F(ClipPathTest, TheIgnoreOptionDrawsAndHitsUnclipped)
{
    TSVGClipPath* clip = AddClip(QStringLiteral("c"));
    AddPath(*clip, QStringLiteral("M0,0 H50 V50 H0 Z"));
    TSVGPath* square = AddClipped(Doc, QStringLiteral("c"));
    SetStyle(*Add<TSVGPath>(Doc), QStringLiteral("clip-path:url(#missing)"));
    EXPECT_FALSE(DefaultSVGOptions().Contains(TSVGOption::soIgnoreClipPaths));
    EXPECT_EQ(AlphaAt(Render(), {75, 75}), 0);
    EXPECT_EQ(HitAt({75, 75}), nullptr);
    Doc.SetOptions(TSVGOptions(Doc.Options()).Include(TSVGOption::soIgnoreClipPaths));
    EXPECT_EQ(AlphaAt(Render(), {75, 75}), 255);
    EXPECT_EQ(HitAt({75, 75}), square);
}

TEST_F(ClipPathTest, ClipPathsAreReadFromText)
{
    Doc.LoadFromText(QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg"
        xmlns:xlink="http://www.w3.org/1999/xlink" width="100" height="100">
      <clipPath id="box" clipPathUnits="objectBoundingBox" transform="translate(50 0)">
        <path d="M0,0 H0.5 V0.5 H0 Z"/>
        <g><path d="M0,0 H1 V1 H0 Z"/></g>
      </clipPath>
      <clipPath id="odd" clipPathUnits="sideways" clip-rule="evenodd">
        <path id="ring" d="M10,60 H40 V90 H10 Z M20,70 H30 V80 H20 Z"/>
        <use xlink:href="#ring" x="50"/>
      </clipPath>
      <path d="M0,0 H100 V50 H0 Z" fill="red" clip-path="url(#box)"/>
      <path d="M0,50 H100 V100 H0 Z" fill="red" clip-path="url(#odd)"/>
    </svg>)~"));
    const auto* box = dynamic_cast<const TSVGClipPath*>(Doc.FindReferencedElement(QStringLiteral("box")));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ClipPathUnits(), TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    // The group is no child a clip path takes.
    EXPECT_EQ(box->Items().Count(), 1);
    // The right quarter of the upper half; two rings with holes below.
    ExpectClipped(Render(), {{52, 2}, {98, 23}, {15, 65}, {65, 65}, {85, 85}},
                  {{48, 10}, {75, 27}, {25, 75}, {75, 75}, {45, 75}});
    ASSERT_EQ(Doc.Diagnostics().size(), 1u);
    EXPECT_EQ(Doc.Diagnostics().front().Property, QStringLiteral("clipPathUnits"));
}

TEST_F(ClipPathTest, OpacityAndClipTogetherDrawAsItsReference)
{
    Doc.SetBoundsRect(QRectF(0, 0, 120, 80));
    ParseViewBox(u"0 0 120 80", Doc.ViewBox());
    TSVGClipPath* disc = AddClip(QStringLiteral("disc"));
    AddPath(*disc, QStringLiteral("M10,40 A30,30 0 1,1 70,40 A30,30 0 1,1 10,40 Z"));
    TSVGClipPath* star = AddClip(QStringLiteral("star"), QStringLiteral("clip-rule:evenodd"));
    star->SetClipPathUnits(TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    AddPath(*star, QStringLiteral("M0.5,0 L0.8,1 L0,0.35 H1 L0.2,1 Z"));
    // Two overlapping squares under one opacity, clipped by a disc.
    auto* faded = AddStyled(Doc, QStringLiteral("opacity:0.7;clip-path:url(#disc)"));
    AddPath(*faded, QStringLiteral("M0,0 H50 V50 H0 Z"), QStringLiteral("fill:#3465a4"));
    AddPath(*faded, QStringLiteral("M30,30 H80 V80 H30 Z"), QStringLiteral("fill:#cc0000"));
    // A stroked, rotated square clipped by a star in its bounding box.
    TSVGPath* turned = AddPath(Doc, QStringLiteral("M75,15 H115 V55 H75 Z"),
                               QStringLiteral("fill:#73d216;stroke:#204a87;stroke-width:4;clip-path:url(#star)"));
    turned->SetTransformMatrix(u"rotate(10 95 35)");
    EXPECT_TRUE(zor::testing::MatchesReferenceImage(Render(120, 80), QStringLiteral("clip-paths")));
}

} // namespace
} // namespace zor::test
