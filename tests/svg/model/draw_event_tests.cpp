// The drawing events and what is built on them: vetoes, the order of the
// events, and drawing only the elements before, at or after one element.

#include <gtest/gtest.h>

#include <stdexcept>

#include "drawing_test_support.h"
#include "geometry/geometry_functions.h"
#include "svg/model/draw_event_wrapper.h"
#include "svg/render/fitting.h"

namespace zor::test {
namespace {

// Three squares side by side in a moved group, each a different colour:
//   svg
//     g (translate(0, 10))
//       path#a  red   x 0 .. 20
//       path#b  lime  x 40 .. 60
//       path#c  blue  x 80 .. 100
class DrawEvents : public DrawingTest {
protected:
    QImage Blank() const
    {
        QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

    // Which of the three squares Image shows.
    static QString Shown(const QImage& Image)
    {
        QString shown;
        if (qAlpha(Image.pixel(10, 20)) > 0)
            shown += u'a';
        if (qAlpha(Image.pixel(50, 20)) > 0)
            shown += u'b';
        if (qAlpha(Image.pixel(90, 20)) > 0)
            shown += u'c';
        return shown;
    }

    template <typename DrawFunction>
    QImage DrawWith(DrawFunction&& Draw)
    {
        QImage image = Blank();
        TCanvasScene scene(image);
        TRenderContext canvas(scene.Painter());
        const QRectF target = BitmapTargetRect(image.size());
        Draw(canvas, Doc.GetViewMatrix(target), target);
        scene.Painter().end();
        return image;
    }

    QString Before(TSVGGraphicElement* Element, bool IncludeElement)
    {
        return Shown(DrawWith([&](TRenderContext& Canvas, const QTransform& M, const QRectF& R) {
            Doc.DrawBeforeElement(Element, M, Canvas, R, IncludeElement);
        }));
    }

    QString After(TSVGGraphicElement* Element, bool IncludeElement)
    {
        return Shown(DrawWith([&](TRenderContext& Canvas, const QTransform& M, const QRectF& R) {
            Doc.DrawAfterElement(Element, M, Canvas, R, IncludeElement);
        }));
    }

    TSVGGroup* group = Add<TSVGGroup>(Doc);
    TSVGPath* a = AddPath(*group, QStringLiteral("M0,0 H20 V20 H0 Z"), QStringLiteral("fill:red"));
    TSVGPath* b = AddPath(*group, QStringLiteral("M40,0 H60 V20 H40 Z"), QStringLiteral("fill:lime"));
    TSVGPath* c = AddPath(*group, QStringLiteral("M80,0 H100 V20 H80 Z"), QStringLiteral("fill:blue"));

    void SetUp() override { group->SetTransformMatrix(u"translate(0 10)"); }
};

TEST_F(DrawEvents, AVetoOfTheShapeLeavesTheChildren)
{
    Doc.OnDrawing = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&, bool& DoDraw) {
        if (Sender == group || Sender == b)
            DoDraw = false;
    };
    EXPECT_EQ(Shown(Render()), "ac");
    Doc.OnShouldDraw = [&](TSVGElement* Sender, bool& DoDraw) {
        if (Sender == group)
            DoDraw = false;
    };
    EXPECT_EQ(Shown(Render()), "");
}

TEST_F(DrawEvents, EventsComeInDrawingOrderWithTheElementsMatrix)
{
    QStringList order;
    Doc.OnDrawing = [&](TSVGGraphicElement* Sender, const QTransform& M, TRenderContext&, const QRectF& R,
                        bool&) {
        order << QStringLiteral("drawing ") + Sender->SVGTypeName();
        if (Sender == a) {
            EXPECT_EQ(M, TranslationMatrix(0, 10));
            EXPECT_EQ(R, QRectF(0, 0, Side, Side));
        }
    };
    Doc.OnDrawn = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&) {
        order << QStringLiteral("drawn ") + Sender->SVGTypeName();
    };
    Render();
    EXPECT_EQ(order.join(u", "), "drawing svg, drawing g, drawing path, drawn path, drawing path, drawn path, "
                                 "drawing path, drawn path, drawn g, drawn svg");
}

TEST_F(DrawEvents, BeforeAndAfterDrawWhatPrecedesAndFollowsTheElement)
{
    EXPECT_EQ(Before(b, false), "a");
    EXPECT_EQ(Before(b, true), "ab");
    EXPECT_EQ(After(b, false), "c");
    EXPECT_EQ(After(b, true), "bc");
    EXPECT_EQ(Before(a, false), "");
    EXPECT_EQ(After(c, true), "c");
    EXPECT_EQ(After(c, false), "");
    EXPECT_EQ(Before(&Doc, true), "abc");
    EXPECT_EQ(Before(&Doc, false), "");
    // A hidden element still marks where the drawing parts.
    b->SetVisible(false);
    EXPECT_EQ(Before(b, true), "a");
    EXPECT_EQ(After(b, true), "c");
}

TEST_F(DrawEvents, TheDocumentsOwnEventsAreCalledAndComeBack)
{
    int drawing = 0;
    int drawn = 0;
    int shouldDraw = 0;
    Doc.OnDrawing = [&](TSVGGraphicElement*, const QTransform&, TRenderContext&, const QRectF&, bool&) { ++drawing; };
    Doc.OnDrawn = [&](TSVGGraphicElement*, const QTransform&, TRenderContext&, const QRectF&) { ++drawn; };
    Doc.OnShouldDraw = [&](TSVGElement*, bool&) { ++shouldDraw; };
    EXPECT_EQ(After(b, false), "c");
    EXPECT_EQ(drawing, 5);
    EXPECT_EQ(drawn, 5);
    // The document's own test comes first, then the wrapper stands in for it.
    EXPECT_EQ(shouldDraw, 1);
    Render();
    EXPECT_EQ(drawing, 10);
    EXPECT_EQ(shouldDraw, 6);
}

TEST_F(DrawEvents, TheWrapperGivesTheEventsBackOnEveryPath)
{
    bool called = false;
    Doc.OnDrawing = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&, bool&) {
        called = true;
        if (Sender == c)
            throw std::runtime_error("handler");
    };
    EXPECT_THROW(After(a, false), std::runtime_error);
    {
        // Drawing only the element stops after it, and the caller ends the drawing there.
        TSVGDrawEventWrapper wrapper(false, b, &Doc, TSVGDrawEventWrapper::TDrawEvent::deDraw);
        EXPECT_EQ(Shown(DrawWith([&](TRenderContext& Canvas, const QTransform& M, const QRectF& R) {
                      EXPECT_THROW(Doc.Draw(M, Canvas, R), EAbort);
                  })),
                  "b");
    }
    called = false;
    EXPECT_THROW(Render(), std::runtime_error);
    EXPECT_TRUE(called);
}

TEST_F(DrawEvents, OneElementIsDrawnWithWhatItsAncestorsGiveIt)
{
    auto* viewport = Add<TSVGCustomViewBox>(Doc);
    viewport->SetBoundsRect(QRectF(50, 50, 40, 40));
    ParseViewBox(u"0 0 20 20", viewport->ViewBox());
    auto* faded = AddStyled(*viewport, QStringLiteral("opacity:0.5"));
    faded->SetTransformMatrix(u"translate(5 5)");
    TSVGPath* inner = AddPath(*faded, QStringLiteral("M-5,-5 H30 V30 H-5 Z"));
    const QImage whole = Render();
    const QImage alone = DrawWith([&](TRenderContext& Canvas, const QTransform& M, const QRectF& R) {
        Doc.DrawElement(inner, M, Canvas, R);
    });
    for (const QPoint p : {QPoint(55, 55), QPoint(89, 89), QPoint(91, 70), QPoint(45, 70)})
        EXPECT_EQ(alone.pixel(p), whole.pixel(p)) << p.x() << ',' << p.y();
    EXPECT_NEAR(qAlpha(alone.pixel(70, 70)), 128, 2);
    EXPECT_EQ(qAlpha(alone.pixel(95, 70)), 0);
    EXPECT_EQ(Shown(alone), "");
}

TEST_F(DrawEvents, AnElementThatTheWholeDrawingLeavesOutIsNotDrawnAlone)
{
    auto* defs = Add<TSVGDefs>(Doc);
    TSVGPath* defined = AddPath(*defs, QStringLiteral("M0,0 H100 V100 H0 Z"));
    auto* sw = Add<TSVGSwitch>(Doc);
    AddPath(*sw, QStringLiteral("M0,0 H100 V100 H0 Z"));
    TSVGPath* notChosen = AddPath(*sw, QStringLiteral("M0,0 H100 V100 H0 Z"));
    const auto drawAlone = [&](TSVGGraphicElement* Element) {
        return DrawWith([&](TRenderContext& Canvas, const QTransform& M, const QRectF& R) {
            Doc.DrawElement(Element, M, Canvas, R);
        });
    };
    EXPECT_EQ(qAlpha(drawAlone(defined).pixel(50, 50)), 0);
    EXPECT_EQ(qAlpha(drawAlone(notChosen).pixel(50, 50)), 0);
    group->SetDisplay(false);
    EXPECT_EQ(qAlpha(drawAlone(b).pixel(50, 20)), 0);
}

TEST_F(DrawEvents, BeforeTheElementAndAfterItMakeTheWholeDrawing)
{
    SetStyle(*group, QStringLiteral("opacity:0.6"));
    SetStyle(*b, QStringLiteral("fill:lime;stroke:blue;stroke-width:30"));
    const QImage whole = Render();
    QImage layered = Blank();
    {
        TCanvasScene scene(layered);
        TRenderContext canvas(scene.Painter());
        const QRectF target = BitmapTargetRect(layered.size());
        const QTransform M = Doc.GetViewMatrix(target);
        Doc.DrawBeforeElement(b, M, canvas, target, false);
        Doc.DrawElement(b, M, canvas, target);
        Doc.DrawAfterElement(b, M, canvas, target, false);
    }
    for (int x = 0; x < Side; x += 3)
        EXPECT_TRUE(SameColor(layered.pixel(x, 20), whole.pixel(x, 20), 3)) << x;
}

} // namespace
} // namespace zor::test
