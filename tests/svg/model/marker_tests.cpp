// Markers: reading, where each instance goes and how it is turned and
// scaled, clipping, hit testing, and drawing that leaves the model alone.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "drawing_test_support.h"
#include "svg/shapes/shape_classes.h"
#include "svg/model/marker.h"

namespace zor::test {
namespace {

class MarkerTest : public DrawingTest {
protected:
    void SetUp() override { RegisterShapeClasses(); }

    // A document of 100 × 100 units with Content inside.
    void Load(const char* Content)
    {
        Doc.LoadFromText(QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg"
            xmlns:xlink="http://www.w3.org/1999/xlink" width="100" height="100" viewBox="0 0 100 100">)~")
                         + QString::fromLatin1(Content) + QStringLiteral("</svg>"));
    }

    template <typename T = TSVGGraphicElement>
    T* Find(const char* ID)
    {
        return dynamic_cast<T*>(Doc.FindReferencedElement(QString::fromLatin1(ID)));
    }

    static bool IsBlue(QRgb Pixel) { return SameColor(Pixel, OpaqueBlue); }
};

TEST_F(MarkerTest, AttributesAreRead)
{
    struct Case {
        const char* orient;
        bool automatic;
        bool reverse;
        double degrees;
    };
    const Case cases[] = {
        {"auto", true, false, 0},
        {"auto-start-reverse", true, true, 0},
        {"45", false, false, 45},
        {"-45deg", false, false, -45},
        {"1.5rad", false, false, 1.5 * 180 / std::numbers::pi},
        {"40grad", false, false, 36},
        {"0.5turn", false, false, 180},
        {"200 grad", false, false, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orient);
        Load((QStringLiteral(R"~(<marker id="m" refX="1" refY="50%" markerWidth="4" markerHeight="5"
                 markerUnits="userSpaceOnUse" orient=")~")
              + QString::fromLatin1(c.orient) + QStringLiteral(R"~("/>)~"))
                 .toLatin1()
                 .constData());
        const auto* marker = Find<TSVGMarker>("m");
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->RefX().GetValue(), 1);
        EXPECT_EQ(marker->RefY().GetValue(), 50);
        EXPECT_EQ(marker->MarkerWidth().GetValue(), 4);
        EXPECT_EQ(marker->MarkerHeight().GetValue(), 5);
        EXPECT_EQ(marker->Units(), TSVGMarkerUnit::muUserSpaceOnUse);
        EXPECT_EQ(marker->AutomaticOrientation(), c.automatic);
        EXPECT_EQ(marker->AutoStartReverse(), c.reverse);
        EXPECT_NEAR(marker->Orientation() * 180 / std::numbers::pi, c.degrees, 1e-4);
        EXPECT_TRUE(Doc.Diagnostics().empty());
    }
}

TEST_F(MarkerTest, AnUnreadableOrientationKeepsTheValueAndIsReported)
{
    Load(R"~(<marker id="m" orient="sideways" markerUnits="diagonal"/>)~");
    const auto* marker = Find<TSVGMarker>("m");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->Orientation(), 0);
    EXPECT_FALSE(marker->AutomaticOrientation());
    EXPECT_EQ(marker->Units(), TSVGMarkerUnit::muStrokeWidth);
    EXPECT_EQ(marker->MarkerWidth().GetValue(), 3);
    ASSERT_EQ(Doc.Diagnostics().size(), 2u);
}

TEST_F(MarkerTest, TheViewportScalesWithTheStrokeWidthInStrokeWidthUnits)
{
    Load(R"~(<marker id="stroke" markerWidth="3" markerHeight="3"/>
            <marker id="user" markerWidth="3" markerHeight="3" markerUnits="userSpaceOnUse"/>
            <marker id="box" markerWidth="20" markerHeight="10" viewBox="0 0 10 10" refX="10" refY="5"/>)~");
    QTransform clipSpace;
    QRectF clip;
    // With a stroke of width 2 the viewport is 6 × 6 user units, or 3 × 3 in user space.
    const std::optional<QTransform> stroke = Find<TSVGMarker>("stroke")->InstanceMatrix({10, 20}, 0, 2, clipSpace, clip);
    ASSERT_TRUE(stroke);
    EXPECT_EQ(clipSpace.mapRect(clip), QRectF(10, 20, 6, 6));
    ASSERT_TRUE(Find<TSVGMarker>("user")->InstanceMatrix({10, 20}, 0, 2, clipSpace, clip));
    EXPECT_EQ(clipSpace.mapRect(clip), QRectF(10, 20, 3, 3));
    // A view box is stretched into a viewport of another shape; the
    // reference point lands on the vertex and the content turns about it.
    const std::optional<QTransform> box =
        Find<TSVGMarker>("box")->InstanceMatrix({50, 50}, std::numbers::pi / 2, 1, clipSpace, clip);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->map(QPointF(10, 5)), QPointF(50, 50));
    const QPointF corner = box->map(QPointF(0, 5));
    EXPECT_NEAR(corner.x(), 50, 1e-9);
    EXPECT_NEAR(corner.y(), 30, 1e-9);
    // No stroke width, or no viewport: no instance.
    EXPECT_FALSE(Find<TSVGMarker>("stroke")->InstanceMatrix({0, 0}, 0, 0, clipSpace, clip));
}

TEST_F(MarkerTest, MarkersGoOnEveryVertexTurnedAlongTheOutline)
{
    // A bar from the vertex along the marker's x axis.
    Load(R"~(<marker id="bar" markerUnits="userSpaceOnUse" markerWidth="10" markerHeight="10"
              refY="1" orient="auto"><rect width="10" height="2" fill="blue"/></marker>
            <path id="p" d="M10,10 L50,10 L50,50" fill="none"
              marker-start="url(#bar)" marker-mid="url(#bar)" marker-end="url(#bar)"/>)~");
    const QImage image = Render();
    // Start along +x, the corner along the bisector (45°), the end along +y.
    EXPECT_TRUE(IsBlue(image.pixel(17, 10)));
    EXPECT_TRUE(IsBlue(image.pixel(54, 14)));
    EXPECT_TRUE(IsBlue(image.pixel(50, 57)));
    EXPECT_FALSE(IsBlue(image.pixel(57, 10)));
    EXPECT_FALSE(IsBlue(image.pixel(30, 30)));
    // The marker's content is clipped to its viewport: 10 long, no more.
    EXPECT_FALSE(IsBlue(image.pixel(50, 62)));
}

TEST_F(MarkerTest, ANameThatFindsNoMarkerDrawsNothingThere)
{
    Load(R"~(<marker id="dot" markerUnits="userSpaceOnUse" markerWidth="10" markerHeight="10" refX="5" refY="5">
              <rect width="10" height="10" fill="blue"/></marker>
            <defs><g id="notAMarker"><rect width="100" height="100" fill="red"/></g></defs>
            <path d="M20,50 L80,50" marker-start="url(#dot)" marker-end="url(#notAMarker)"/>)~");
    const QImage image = Render();
    EXPECT_TRUE(IsBlue(image.pixel(20, 50)));
    EXPECT_FALSE(SameColor(image.pixel(80, 50), OpaqueRed));
    EXPECT_FALSE(IsBlue(image.pixel(80, 50)));
}

TEST_F(MarkerTest, AMarkerHitReportsTheMarkedElement)
{
    Load(R"~(<marker id="dot" markerUnits="userSpaceOnUse" markerWidth="10" markerHeight="10" refX="5" refY="5">
              <rect x="-20" width="40" height="10" fill="blue"/></marker>
            <polyline id="p" points="20,50 50,20 80,50" fill="none" stroke="black" marker-mid="url(#dot)"/>)~");
    auto* polyline = Find("p");
    EXPECT_EQ(HitAt({50, 22}), polyline);
    // Beside the viewport the content is clipped, and not there to hit.
    EXPECT_EQ(HitAt({41, 20}), nullptr);
    EXPECT_EQ(HitAt({20, 80}), nullptr);
}

TEST_F(MarkerTest, MarkersOfADisabledElementAreGrayAndNoElementChanges)
{
    Load(R"~(<marker id="dot" markerUnits="userSpaceOnUse" markerWidth="10" markerHeight="10" refX="5" refY="5">
              <rect width="10" height="10" fill="blue"/></marker>
            <line id="l" x1="20" y1="50" x2="80" y2="50" stroke="black" marker-end="url(#dot)"/>)~");
    Find("l")->SetEnabled(false);
    auto* marker = Find<TSVGMarker>("dot");
    TDocumentRecorder recorder(Doc);
    const QRgb pixel = Render().pixel(80, 50);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    EXPECT_GT(qAlpha(pixel), 0);
    EXPECT_TRUE(marker->Enabled());
    EXPECT_TRUE(recorder.ChangeSenders.empty());
    // The same marker on an enabled element keeps its colour.
    Find("l")->SetEnabled(true);
    EXPECT_TRUE(IsBlue(Render().pixel(80, 50)));
}

TEST_F(MarkerTest, AMarkerThatReentersItselfDrawsNothingForTheReentry)
{
    // The marker's content is the marked path again, with the same markers.
    Load(R"~(<defs>
              <marker id="m" markerUnits="userSpaceOnUse" markerWidth="40" markerHeight="40" refX="0" refY="0"
                overflow="visible"><use xlink:href="#p" transform="translate(5 5)"/></marker>
              <path id="p" d="M0,0 L20,0" stroke="blue" stroke-width="4" marker-start="url(#m)"/>
            </defs>
            <use xlink:href="#p" x="10" y="50"/>)~");
    const QImage image = Render();
    EXPECT_TRUE(IsBlue(image.pixel(20, 50)));
    // The instance draws the path once more, 5 units lower ...
    EXPECT_TRUE(IsBlue(image.pixel(25, 55)));
    // ... and its own marker there is the re-entry: nothing 10 units lower.
    EXPECT_FALSE(IsBlue(image.pixel(30, 60)));
    // Hit testing stops at the re-entry as well.
    EXPECT_NE(HitAt({25, 55}), nullptr);
    EXPECT_EQ(HitAt({30, 60}), nullptr);
}

TEST_F(MarkerTest, TheElementsOpacityCoversItsMarkers)
{
    Load(R"~(<marker id="dot" markerUnits="userSpaceOnUse" markerWidth="20" markerHeight="20" refX="10" refY="10">
              <rect width="20" height="20" fill="blue"/></marker>
            <path d="M20,50 L80,50" stroke="blue" stroke-width="10" opacity="0.5" marker-start="url(#dot)"/>)~");
    const QImage image = Render();
    // Stroke and marker overlap and are composited once, at half opacity.
    EXPECT_NEAR(qAlpha(image.pixel(25, 50)), 128, 2);
    EXPECT_NEAR(qAlpha(image.pixel(15, 50)), 128, 2);
}

} // namespace
} // namespace zor::test
