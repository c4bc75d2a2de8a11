// Drawing documents built in code: fitting and view boxes, strokes under
// transformations, fills of open paths, opacity, the disabled look, paint
// references, and viewport clips. Pixels are probed at chosen points.

#include <gtest/gtest.h>

#include <QColor>

#include "drawing_test_support.h"
#include "svg/model/paint_server.h"
#include "svg/render/fitting.h"
#include "svg/values/colors.h"
#include "tests/support/reference_image.h"

namespace zor::test {
namespace {

int AlphaAt(const QImage& Image, int X, int Y)
{
    return qAlpha(Image.pixel(X, Y));
}

// --- Fitting a document into a target --------------------------------------

TEST_F(DrawingTest, AViewBoxIsFittedIntoTheTargetByItsAspectRatio)
{
    struct Case {
        const char* viewBox;
        TSVGAlign align;
        double sx, sy, dx, dy;
    };
    const Case cases[] = {
        {"0 0 200 100", TSVGAlign::saXMidYMid, 0.5, 0.5, 0, 25},
        {"0 0 200 100", TSVGAlign::saNone, 0.5, 1, 0, 0},
        {"0 0 200 100", TSVGAlign::saXMinYMax, 0.5, 0.5, 0, 50},
        {"-50 0 100 200", TSVGAlign::saXMidYMid, 0.5, 0.5, 50, 0},
        // A unit view box is scaled to its viewport like any other.
        {"0 0 1 1", TSVGAlign::saXMidYMid, 100, 100, 0, 0},
        {"0 0 0.5 0.25", TSVGAlign::saNone, 200, 400, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.viewBox);
        ParseViewBox(QString::fromLatin1(c.viewBox), Doc.ViewBox());
        Doc.AspectRatio().SetAlign(c.align);
        const QTransform m = Doc.GetViewMatrix(QRectF(0, 0, 100, 100));
        EXPECT_DOUBLE_EQ(m.m11(), c.sx);
        EXPECT_DOUBLE_EQ(m.m22(), c.sy);
        EXPECT_DOUBLE_EQ(m.dx(), c.dx);
        EXPECT_DOUBLE_EQ(m.dy(), c.dy);
    }
}

TEST_F(DrawingTest, AUnitViewBoxFillsItsViewport)
{
    ParseViewBox(u"0 0 1 1", Doc.ViewBox());
    AddPath(Doc, QStringLiteral("M0,0 H1 V1 H0 Z"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(50, 50), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(98, 98), OpaqueRed));
}

TEST_F(DrawingTest, ADocumentWithoutViewBoxIsFittedByItsSize)
{
    Doc.SetBoundsRect(QRectF(0, 0, 50, 100));
    AddPath(Doc, QStringLiteral("M0,0 H50 V100 H0 Z"));
    const QImage image = Render();
    // xMidYMid meet: 50 × 100 scaled by 1 and centred.
    EXPECT_EQ(AlphaAt(image, 20, 50), 0);
    EXPECT_TRUE(SameColor(image.pixel(30, 50), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 80, 50), 0);
    Doc.DefaultAspectRatio().SetAlign(TSVGAlign::saNone);
    Doc.AspectRatio().SetAlign(TSVGAlign::saNone);
    const QImage stretched = Render();
    EXPECT_TRUE(SameColor(stretched.pixel(5, 50), OpaqueRed));
    EXPECT_TRUE(SameColor(stretched.pixel(95, 50), OpaqueRed));
}

TEST_F(DrawingTest, ABitmapIsDrawnOverEveryPixel)
{
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"));
    const QImage image = Render();
    for (const QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99)})
        EXPECT_TRUE(SameColor(image.pixel(p), OpaqueRed)) << p.x() << ',' << p.y();
    EXPECT_EQ(BitmapTargetRect(QSize(7, 3)), QRectF(0, 0, 7, 3));
}

TEST_F(DrawingTest, AViewBoxWithoutAreaDisablesDrawing)
{
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"));
    const QRectF boxes[] = {QRectF(0, 0, 0, 100), QRectF(0, 0, 100, 0), QRectF(0, 0, -10, 10), QRectF(0, 0, 10, -10)};
    for (const QRectF& box : boxes) {
        Doc.ViewBox().SetRect(box);
        ASSERT_TRUE(Doc.ViewBoxDisablesDrawing());
        EXPECT_EQ(AlphaAt(Render(), 50, 50), 0);
        EXPECT_EQ(HitAt(QPointF(50, 50)), nullptr);
    }
    Doc.ViewBox().Clear();
    EXPECT_TRUE(SameColor(Render().pixel(50, 50), OpaqueRed));
}

// --- Strokes ------------------------------------------------------------------

TEST_F(DrawingTest, StrokesKeepTheirWidthUnderRotationAndStretchWithTheShape)
{
    // A line 10 wide turned upright keeps its width.
    auto* turned = AddStyled(Doc, QStringLiteral("fill:none"));
    turned->SetTransformMatrix(u"rotate(90 50 50)");
    AddPath(*turned, QStringLiteral("M10,50 H90"), QStringLiteral("fill:none;stroke:blue;stroke-width:10"));
    // Stretched four times along x, a vertical line 4 wide becomes 16 wide.
    auto* stretched = AddStyled(Doc, QStringLiteral("fill:none"));
    stretched->SetTransformMatrix(u"scale(4 1)");
    AddPath(*stretched, QStringLiteral("M20,10 V30"), QStringLiteral("fill:none;stroke:lime;stroke-width:4"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(46, 70), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(53, 70), OpaqueBlue));
    EXPECT_EQ(AlphaAt(image, 57, 70), 0);
    EXPECT_TRUE(SameColor(image.pixel(73, 20), OpaqueLime));
    EXPECT_TRUE(SameColor(image.pixel(86, 20), OpaqueLime));
    EXPECT_EQ(AlphaAt(image, 70, 20), 0);
    EXPECT_EQ(AlphaAt(image, 90, 20), 0);
}

TEST_F(DrawingTest, DashesScaleWithTheStroke)
{
    auto* group = AddStyled(Doc, QStringLiteral("fill:none"));
    group->SetTransformMatrix(u"scale(2)");
    // Dashes and gaps of 10, doubled: drawn at x 0 .. 20, 40 .. 60, 80 .. 100.
    AddPath(*group, QStringLiteral("M0,10 H50"),
            QStringLiteral("fill:none;stroke:blue;stroke-width:4;stroke-dasharray:10 10"));
    const QImage image = Render();
    for (int x : {5, 15, 45, 55, 85})
        EXPECT_TRUE(SameColor(image.pixel(x, 20), OpaqueBlue)) << x;
    for (int x : {25, 35, 65, 75})
        EXPECT_EQ(AlphaAt(image, x, 20), 0) << x;
}

TEST_F(DrawingTest, NonScalingStrokesKeepTheirWidthInCanvasUnits)
{
    auto* group = AddStyled(Doc, QStringLiteral("fill:none"));
    group->SetTransformMatrix(u"scale(5)");
    AddPath(*group, QStringLiteral("M2,10 H18"),
            QStringLiteral("fill:none;stroke:blue;stroke-width:2;vector-effect:non-scaling-stroke"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(50, 50), OpaqueBlue));
    EXPECT_EQ(AlphaAt(image, 50, 47), 0);
    EXPECT_EQ(AlphaAt(image, 50, 53), 0);
}

TEST_F(DrawingTest, StrokeWidthZeroDrawsNothingAndSquareCapsReachPastTheEnds)
{
    AddPath(Doc, QStringLiteral("M20,20 H80"), QStringLiteral("fill:none;stroke:blue;stroke-width:0"));
    AddPath(Doc, QStringLiteral("M20,50 H80"), QStringLiteral("fill:none;stroke:blue;stroke-width:10"));
    AddPath(Doc, QStringLiteral("M20,80 H80"),
            QStringLiteral("fill:none;stroke:blue;stroke-width:10;stroke-linecap:square"));
    const QImage image = Render();
    EXPECT_EQ(AlphaAt(image, 50, 20), 0);
    EXPECT_EQ(AlphaAt(image, 17, 50), 0);
    EXPECT_TRUE(SameColor(image.pixel(17, 80), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(83, 80), OpaqueBlue));
}

TEST_F(DrawingTest, AnOpenPathIsFilledClosedAndStrokedOpen)
{
    AddPath(Doc, QStringLiteral("M10,10 H90 V90"), QStringLiteral("fill:red;stroke:blue;stroke-width:4"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(70, 30), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(50, 10), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(90, 50), OpaqueBlue));
    // The closing edge is the fill's, not the stroke's.
    EXPECT_LT(qBlue(image.pixel(50, 50)), 40);
    EXPECT_EQ(AlphaAt(image, 30, 70), 0);
}

// --- Opacity ------------------------------------------------------------------

TEST_F(DrawingTest, AGroupIsCompositedOnceWithItsOpacity)
{
    auto* group = AddStyled(Doc, QStringLiteral("opacity:0.5"));
    AddPath(*group, QStringLiteral("M10,10 H60 V60 H10 Z"));
    AddPath(*group, QStringLiteral("M40,40 H90 V90 H40 Z"));
    const QImage image = Render();
    // Where the children overlap the group is no darker than elsewhere.
    EXPECT_NEAR(AlphaAt(image, 50, 50), 128, 2);
    EXPECT_NEAR(AlphaAt(image, 20, 20), 128, 2);
    EXPECT_NEAR(AlphaAt(image, 80, 80), 128, 2);
}

TEST_F(DrawingTest, OpacityOfNestedGroupsAndOfASingleChildMultiplies)
{
    auto* outer = AddStyled(Doc, QStringLiteral("opacity:0.5"));
    auto* inner = AddStyled(*outer, QStringLiteral("opacity:0.5"));
    AddPath(*inner, QStringLiteral("M10,10 H40 V40 H10 Z"));
    AddPath(*inner, QStringLiteral("M30,30 H50 V50 H30 Z"));
    auto* single = AddStyled(*outer, QStringLiteral("opacity:0.5"));
    AddPath(*single, QStringLiteral("M60,60 H90 V90 H60 Z"), QStringLiteral("fill:red;opacity:0.5"));
    const QImage image = Render();
    EXPECT_NEAR(AlphaAt(image, 20, 20), 64, 2);
    EXPECT_NEAR(AlphaAt(image, 35, 35), 64, 2);
    EXPECT_NEAR(AlphaAt(image, 75, 75), 32, 2);
}

TEST_F(DrawingTest, FillAndStrokeUnderOpacityDoNotShowThroughEachOther)
{
    AddPath(Doc, QStringLiteral("M20,20 H80 V80 H20 Z"),
            QStringLiteral("fill:red;stroke:blue;stroke-width:10;opacity:0.5"));
    // One child of a group folds the group's opacity in, and still keeps its parts apart.
    auto* group = AddStyled(Doc, QStringLiteral("opacity:0.5"));
    AddPath(*group, QStringLiteral("M5,5 H15 V15 H5 Z"), QStringLiteral("fill:red;stroke:blue;stroke-width:4"));
    const QImage image = Render();
    const QColor insideStroke = QColor::fromRgba(image.pixel(22, 50));
    EXPECT_NEAR(insideStroke.alpha(), 128, 2);
    EXPECT_LT(insideStroke.red(), 10);
    EXPECT_NEAR(AlphaAt(image, 50, 50), 128, 2);
    const QColor small = QColor::fromRgba(image.pixel(6, 10));
    EXPECT_NEAR(small.alpha(), 128, 2);
    EXPECT_LT(small.red(), 10);
}

// --- Disabled elements ------------------------------------------------------

TEST_F(DrawingTest, DisabledElementsAreGrayUnlessTheHandlerKeepsTheirColours)
{
    auto* group = Add<TSVGGroup>(Doc);
    AddPath(*group, QStringLiteral("M10,10 H40 V40 H10 Z"));
    group->SetEnabled(false);
    const QRgb gray = ColorToGray(OpaqueRed);
    EXPECT_TRUE(SameColor(Render().pixel(20, 20), gray));

    std::vector<TSVGGraphicElement*> asked;
    Doc.OnDisableAppearance = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&,
                                  bool& DoDefault) {
        asked.push_back(Sender);
        DoDefault = false;
    };
    EXPECT_TRUE(SameColor(Render().pixel(20, 20), OpaqueRed));
    EXPECT_EQ(asked.size(), 2u);
}

// --- Paint references ---------------------------------------------------------

// A paint server that paints a gradient from red at the left to blue at the right.
class TTestGradient : public TSVGGraphicElement, public TSVGPaintServerElement {
public:
    using TSVGGraphicElement::TSVGGraphicElement;
    TSVGElementType SVGType() const override { return TSVGElementType::etLinearGradient; }
    TPaintServer PaintServer(const TSVGGraphicElement&, const TPaintTarget&) const override
    {
        TGradient gradient;
        gradient.Stops = {{0, OpaqueRed, 1}, {1, OpaqueBlue, 1}};
        return gradient;
    }
};

TEST_F(DrawingTest, APaintReferencePaintsItsServerOrItsFallbackOrNothing)
{
    auto* defs = Add<TSVGDefs>(Doc);
    Add<TTestGradient>(*defs)->SetID(QStringLiteral("g"));
    AddPath(*defs, QStringLiteral("M0,0 H1 V1 Z"))->SetID(QStringLiteral("notAServer"));
    struct Case {
        const char* style;
        QRgb left;
        QRgb right;
    };
    const Case cases[] = {
        {"fill:url(#g)", OpaqueRed, OpaqueBlue},
        {"fill:url(#g) lime", OpaqueRed, OpaqueBlue},
        {"fill:url(#nothing)", Transparent, Transparent},
        {"fill:url(#nothing) lime", OpaqueLime, OpaqueLime},
        {"fill:url(#notAServer)", Transparent, Transparent},
        {"fill:url(#notAServer) lime", OpaqueLime, OpaqueLime},
        {"fill:url(#nothing) none", Transparent, Transparent},
        {"fill:none;stroke:url(#nothing) lime;stroke-width:100", OpaqueLime, OpaqueLime},
    };
    TSVGPath* path = AddPath(Doc, QStringLiteral("M0,40 H100 V60 H0 Z"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        SetStyle(*path, QString::fromLatin1(c.style));
        const QImage image = Render();
        EXPECT_TRUE(SameColor(image.pixel(1, 50), c.left, 8));
        EXPECT_TRUE(SameColor(image.pixel(98, 50), c.right, 8));
    }
}

// --- Viewport clips -------------------------------------------------------------

TEST_F(DrawingTest, TheRootClipsToItsViewportNotToItsViewBox)
{
    ParseViewBox(u"0 0 200 100", Doc.ViewBox());
    // Drawn at y 25 .. 75; what lies above and below the view box is still
    // inside the viewport.
    AddPath(Doc, QStringLiteral("M0,-50 H200 V150 H0 Z"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(50, 2), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(50, 97), OpaqueRed));
}

TEST_F(DrawingTest, NestedViewportsClipToExactlyTheirRectangle)
{
    auto* hidden = Add<TSVGCustomViewBox>(Doc);
    hidden->SetBoundsRect(QRectF(20, 20, 40, 40));
    AddPath(*hidden, QStringLiteral("M-100,-100 H200 V200 H-100 Z"));
    auto* visible = AddStyled<TSVGCustomViewBox>(Doc, QStringLiteral("overflow:visible"));
    visible->SetBoundsRect(QRectF(70, 70, 10, 10));
    AddPath(*visible, QStringLiteral("M0,0 H25 V25 H0 Z"), QStringLiteral("fill:blue"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(20, 20), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(59, 59), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 19, 40), 0);
    EXPECT_EQ(AlphaAt(image, 60, 40), 0);
    EXPECT_EQ(AlphaAt(image, 40, 60), 0);
    // Without a view box the content starts at the viewport's corner.
    EXPECT_TRUE(SameColor(image.pixel(71, 71), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(93, 93), OpaqueBlue));
    EXPECT_EQ(AlphaAt(image, 69, 69), 0);
}

TEST_F(DrawingTest, TheClipPropertyCutsTheViewportFromItsCorner)
{
    auto* viewport = AddStyled<TSVGCustomViewBox>(Doc, QStringLiteral("clip:rect(10 30 20 5)"));
    viewport->SetBoundsRect(QRectF(40, 40, 50, 50));
    AddPath(*viewport, QStringLiteral("M0,0 H50 V50 H0 Z"));
    // rect(top right bottom left) from the corner (40, 40): x 45 .. 70, y 50 .. 60.
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(46, 51), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(69, 59), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 44, 55), 0);
    EXPECT_EQ(AlphaAt(image, 71, 55), 0);
    EXPECT_EQ(AlphaAt(image, 55, 61), 0);
}

TEST_F(DrawingTest, ANestedViewBoxIsFittedIntoItsViewport)
{
    // A nested svg element: a document that belongs to the outer one.
    auto* viewport = Add<TSVGDocument>(Doc);
    viewport->SetBoundsRect(QRectF(0, 0, 100, 50));
    ParseViewBox(u"0 0 10 10", viewport->ViewBox());
    AddPath(*viewport, QStringLiteral("M0,0 H10 V10 H0 Z"));
    const QImage image = Render();
    // Scaled by 5 and centred: x 25 .. 75, y 0 .. 50.
    EXPECT_EQ(AlphaAt(image, 24, 25), 0);
    EXPECT_TRUE(SameColor(image.pixel(26, 25), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(74, 49), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 76, 25), 0);
    EXPECT_EQ(AlphaAt(image, 50, 51), 0);
}

// --- The outline hook of shapes ------------------------------------------------

// A shape that builds its outline from its own rectangle, as the basic
// shapes do, and counts how often it is asked to.
class TTestBox : public TSVGGraphicElement {
public:
    using TSVGGraphicElement::TSVGGraphicElement;
    TSVGElementType SVGType() const override { return TSVGElementType::etRectangle; }
    mutable int Builds = 0;

protected:
    void BuildShape(TZorPathData& Shape) const override
    {
        ++Builds;
        Shape.AddRectangle(BoundsRect());
    }
};

TEST_F(DrawingTest, AShapeBuildsItsOutlineOnceAfterEachChange)
{
    auto* box = AddStyled<TTestBox>(Doc, QStringLiteral("fill:red"));
    box->SetBoundsRect(QRectF(10, 10, 20, 20));
    EXPECT_TRUE(SameColor(Render().pixel(20, 20), OpaqueRed));
    const std::uint64_t revision = box->GetShape().Revision();
    const int builds = box->Builds;
    Render();
    EXPECT_EQ(box->Builds, builds);
    // A change of colour builds the outline again, but it stays the same
    // outline: what was mapped into the canvas is kept.
    SetStyle(*box, QStringLiteral("fill:blue"));
    EXPECT_TRUE(SameColor(Render().pixel(20, 20), OpaqueBlue));
    EXPECT_EQ(box->GetShape().Revision(), revision);
    box->SetWidth(60);
    EXPECT_TRUE(SameColor(Render().pixel(60, 20), OpaqueBlue));
    EXPECT_NE(box->GetShape().Revision(), revision);
    // Lengths in em follow the font size.
    box->WidthU().Initialize(2, false, TSVGUnit::suFontSize);
    SetStyle(*box, QStringLiteral("fill:blue;font-size:40px"));
    EXPECT_TRUE(SameColor(Render().pixel(85, 20), OpaqueBlue));
    EXPECT_EQ(box->BoundsRect(), QRectF(10, 10, 80, 20));
}

TEST_F(DrawingTest, PercentagesMeasureAgainstTheNearestViewBox)
{
    ParseViewBox(u"0 0 200 100", Doc.ViewBox());
    Doc.AspectRatio().SetAlign(TSVGAlign::saNone);
    auto* box = Add<TTestBox>(Doc);
    box->WidthU().Initialize(0.5f, true, TSVGUnit::suPercent);
    box->HeightU().Initialize(0.25f, true, TSVGUnit::suPercent);
    EXPECT_EQ(box->BoundsRect(), QRectF(0, 0, 100, 25));
    ParseViewBox(u"0 0 400 100", Doc.ViewBox());
    EXPECT_EQ(box->BoundsRect(), QRectF(0, 0, 200, 25));
    EXPECT_EQ(box->GetShape().GetBounds(), QRectF(0, 0, 200, 25));
}

TEST_F(DrawingTest, ChangingTheResolutionMeasuresAbsoluteLengthsAgain)
{
    auto* box = Add<TTestBox>(Doc);
    box->WidthU().Initialize(1, false, TSVGUnit::suInches);
    box->SetHeight(10);
    EXPECT_FLOAT_EQ(box->BoundsRect().width(), 96);
    EXPECT_FLOAT_EQ(box->GetShape().GetBounds().width(), 96);
    Doc.SetDPI(48);
    EXPECT_FLOAT_EQ(box->GetShape().GetBounds().width(), 48);
}

// --- Placing a drawing by wrap mode -------------------------------------------

TEST_F(DrawingTest, WrapModesPlaceTheDrawing)
{
    Doc.SetBoundsRect(QRectF(0, 0, 20, 10));
    AddPath(Doc, QStringLiteral("M0,0 H20 V10 H0 Z"));
    const QRectF target(10, 10, 80, 60);
    struct Case {
        TSVGImageWrapMode mode;
        QRectF rect;
    };
    const Case cases[] = {
        {TSVGImageWrapMode::iwOriginal, QRectF(0, 0, 20, 10)},
        {TSVGImageWrapMode::iwTile, QRectF(0, 0, 20, 10)},
        {TSVGImageWrapMode::iwFit, QRectF(10, 20, 80, 40)},
        {TSVGImageWrapMode::iwStretch, target},
        {TSVGImageWrapMode::iwCenter, QRectF(30, 25, 20, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSVGElementRect(&Doc, target, c.mode, 1), c.rect) << int(c.mode);
    EXPECT_EQ(GetSVGElementRect(&Doc, target, TSVGImageWrapMode::iwOriginal, 2), QRectF(0, 0, 40, 20));

    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvasScene scene(image);
        TRenderContext canvas(scene.Painter());
        DrawSVGElement(canvas, &Doc, target, 1, TSVGImageWrapMode::iwOriginal);
    }
    EXPECT_TRUE(SameColor(image.pixel(12, 12), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 32, 12), 0);
    image.fill(Qt::transparent);
    {
        TCanvasScene scene(image);
        TRenderContext canvas(scene.Painter());
        DrawSVGElement(canvas, &Doc, QRectF(0, 0, 50, 30), 0.5, TSVGImageWrapMode::iwTile);
    }
    // Tiles of 10 × 5 from the origin, one beyond the target on each side.
    EXPECT_TRUE(SameColor(image.pixel(55, 32), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 75, 32), 0);
    // Tiles too small to see draw nothing rather than without end.
    zor::testing::TTestCanvas tiny;
    DrawSVGElement(tiny.Context, &Doc, QRectF(0, 0, 1e6, 1e6), 1e-6f, TSVGImageWrapMode::iwTile);
}

TEST_F(DrawingTest, ScreenPointsMapIntoTheNearestViewBox)
{
    auto* box = Add<TTestBox>(Doc);
    EXPECT_EQ(box->ScreenToLocal(QPointF(50, 20), QRectF(0, 0, 100, 100)), QPointF(50, 20));
    ParseViewBox(u"10 20 200 50", Doc.ViewBox());
    EXPECT_EQ(box->ScreenToLocal(QPointF(50, 20), QRectF(0, 0, 100, 100)), QPointF(110, 30));
    // A rectangle without width leaves that axis alone.
    EXPECT_EQ(box->ScreenToLocal(QPointF(50, 20), QRectF(0, 0, 0, 100)), QPointF(50, 30));
}

// --- A whole picture -------------------------------------------------------------

TEST_F(DrawingTest, AStructuredDocumentDrawsAsItsReference)
{
    Doc.SetBoundsRect(QRectF(0, 0, 160, 120));
    ParseViewBox(u"0 0 160 120", Doc.ViewBox());
    AddPath(Doc, QStringLiteral("M0,0 H160 V120 H0 Z"), QStringLiteral("fill:#f4f1e8"));

    auto* defs = Add<TSVGDefs>(Doc);
    auto* arrow = Add<TSVGSymbol>(*defs);
    arrow->SetID(QStringLiteral("arrow"));
    ParseViewBox(u"-10 -10 20 20", arrow->ViewBox());
    AddPath(*arrow, QStringLiteral("M-8,-3 H2 V-8 L9,0 L2,8 V3 H-8 Z"),
            QStringLiteral("fill:#3465a4;stroke:#204a87;stroke-width:1.5;stroke-linejoin:round"));

    // Two discs under one opacity: the overlap is no darker.
    auto* faded = AddStyled(Doc, QStringLiteral("opacity:0.6"));
    AddPath(*faded, QStringLiteral("M10,35 A25,25 0 1,1 60,35 A25,25 0 1,1 10,35 Z"), QStringLiteral("fill:#cc0000"));
    AddPath(*faded, QStringLiteral("M35,35 A25,25 0 1,1 85,35 A25,25 0 1,1 35,35 Z"), QStringLiteral("fill:#73d216"));

    // A nested viewport with a view box, clipping a star that reaches past it.
    auto* window = Add<TSVGDocument>(Doc);
    window->SetBoundsRect(QRectF(95, 10, 55, 50));
    ParseViewBox(u"0 0 20 20", window->ViewBox());
    AddPath(*window, QStringLiteral("M0,0 H20 V20 H0 Z"), QStringLiteral("fill:#fce94f"));
    AddPath(*window, QStringLiteral("M10,-4 L14,8 L26,8 L16,15 L20,27 L10,20 L0,27 L4,15 L-6,8 L6,8 Z"),
            QStringLiteral("fill:#f57900;fill-rule:evenodd;stroke:#ce5c00;stroke-width:0.8"));

    // The symbol twice: turned, and fitted into a wider use.
    auto* turned = Add<TSVGUse>(Doc);
    turned->SetReference(QStringLiteral("arrow"));
    turned->SetBoundsRect(QRectF(10, 70, 40, 40));
    turned->SetTransformMatrix(u"rotate(-30 30 90)");
    auto* wide = Add<TSVGUse>(Doc);
    wide->SetReference(QStringLiteral("arrow"));
    wide->SetBoundsRect(QRectF(60, 75, 40, 30));

    // Dashed and capped strokes, and a disabled shape.
    AddPath(Doc, QStringLiteral("M110,75 C120,110 140,60 150,105"),
            QStringLiteral("fill:none;stroke:#75507b;stroke-width:3;stroke-dasharray:6 3;stroke-linecap:round"));
    AddPath(Doc, QStringLiteral("M105,112 H155"), QStringLiteral("fill:none;stroke:#cc0000;stroke-width:4"))
        ->SetEnabled(false);

    EXPECT_TRUE(zor::testing::MatchesReferenceImage(Render(160, 120), QStringLiteral("structured-document")));
}

} // namespace
} // namespace zor::test
