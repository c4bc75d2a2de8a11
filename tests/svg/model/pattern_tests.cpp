// Patterns as paint servers: tiles in both units, content units and view
// boxes, href inheritance, bounded textures, tiles that paint nothing,
// re-entry, and drawing that leaves the model alone.

#include <gtest/gtest.h>

#include <QImage>

#include "drawing_test_support.h"
#include "svg/shapes/shape_classes.h"
#include "svg/model/pattern.h"

namespace zor::test {
namespace {

class PatternTest : public DrawingTest {
protected:
    void SetUp() override { RegisterShapeClasses(); }

    void Load(const QString& Content)
    {
        Doc.LoadFromText(QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg"
            xmlns:xlink="http://www.w3.org/1999/xlink" width="100" height="100">)~")
                         + Content + QStringLiteral("</svg>"));
    }

    template <typename T = TSVGGraphicElement>
    T* Find(const char* ID)
    {
        return dynamic_cast<T*>(Doc.FindReferencedElement(QString::fromLatin1(ID)));
    }

    // Blue in the top-left quarter of each tile, red in the bottom-right one.
    static QString Checks(const QString& Attributes)
    {
        return QStringLiteral(R"~(<pattern id="checks" %1>
            <rect width="5" height="5" fill="blue"/><rect x="5" y="5" width="5" height="5" fill="red"/>
          </pattern>)~")
            .arg(Attributes);
    }
};

TEST_F(PatternTest, TilesRepeatOverTheFill)
{
    Load(Checks(QStringLiteral(R"~(patternUnits="userSpaceOnUse" width="10" height="10")~"))
         + QStringLiteral(R"~(<rect width="100" height="100" fill="url(#checks)"/>)~"));
    const QImage image = Render();
    for (const QPoint& p : {QPoint(2, 2), QPoint(32, 72), QPoint(92, 12)})
        EXPECT_TRUE(SameColor(image.pixel(p), OpaqueBlue)) << p.x() << ',' << p.y();
    for (const QPoint& p : {QPoint(7, 7), QPoint(57, 87)})
        EXPECT_TRUE(SameColor(image.pixel(p), OpaqueRed)) << p.x() << ',' << p.y();
    EXPECT_EQ(qAlpha(image.pixel(7, 2)), 0);
}

TEST_F(PatternTest, UnitsViewBoxAndTransformPlaceTheTile)
{
    struct Case {
        const char* attributes;
        const char* shape;
        QPoint blue;
        QPoint red;
        QPoint empty;
    };
    const Case cases[] = {
        // Fractions of the box at (20, 20) 80 × 40: tiles of 40 × 20 from (20 + 8, 20 + 4).
        {R"~(x="0.1" y="0.1" width="0.5" height="0.5")~", R"~(x="20" y="20" width="80" height="40")~", {30, 26}, {35, 31},
         {40, 26}},
        // A view box takes the place of the content units: fitted (meet) into
        // the tile of the whole box, squares of 20 × 20 from (40, 20).
        {R"~(width="1" height="1" patternContentUnits="objectBoundingBox" viewBox="0 0 10 10")~",
         R"~(x="20" y="20" width="80" height="40")~", {50, 35}, {70, 50}, {90, 25}},
        // A view box of 10 × 10 stretched into tiles of 20 × 40.
        {R"~(patternUnits="userSpaceOnUse" width="20" height="40" viewBox="0 0 10 10" preserveAspectRatio="none")~",
         R"~(width="100" height="100")~", {8, 18}, {12, 22}, {12, 18}},
        // Turned a quarter: the blue square lies left of the origin.
        {R"~(patternUnits="userSpaceOnUse" width="10" height="10" patternTransform="translate(50 50) rotate(90)")~",
         R"~(width="100" height="100")~", {48, 52}, {43, 57}, {52, 52}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        Load(Checks(QString::fromLatin1(c.attributes))
             + QStringLiteral(R"~(<rect %1 fill="url(#checks)"/>)~").arg(QString::fromLatin1(c.shape)));
        const QImage image = Render();
        EXPECT_TRUE(SameColor(image.pixel(c.blue), OpaqueBlue));
        EXPECT_TRUE(SameColor(image.pixel(c.red), OpaqueRed));
        EXPECT_EQ(qAlpha(image.pixel(c.empty)), 0);
    }
}

TEST_F(PatternTest, AttributesAndChildrenComeThroughHref)
{
    Load(Checks(QStringLiteral(R"~(patternUnits="userSpaceOnUse" width="10" height="10")~"))
         + QStringLiteral(R"~(<pattern id="wide" xlink:href="#checks" width="20"/>
             <pattern id="tail" xlink:href="#wide" patternTransform="translate(1 0)"/>
             <rect width="100" height="100" fill="url(#tail)"/>)~"));
    const auto* tail = Find<TSVGPattern>("tail");
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(tail->ReferenceChain().size(), 3u);
    const QImage image = Render();
    // Tiles of 20 × 10, the squares of "checks", moved one unit right.
    EXPECT_TRUE(SameColor(image.pixel(3, 2), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(23, 2), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(8, 7), OpaqueRed));
    EXPECT_EQ(qAlpha(image.pixel(13, 2)), 0);
}

TEST_F(PatternTest, AttributesAreRead)
{
    Load(QStringLiteral(R"~(<pattern id="p" xlink:href="#q" x="1" width="2" patternUnits="userSpaceOnUse"
             patternContentUnits="objectBoundingBox" patternTransform="scale(2)"/>
           <pattern id="q" patternUnits="sideways"/>)~"));
    const auto* p = Find<TSVGPattern>("p");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Reference(), QStringLiteral("q"));
    EXPECT_EQ(p->Units(), TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    EXPECT_EQ(p->ContentUnits(), TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    EXPECT_EQ(p->PatternMatrix(), QTransform::fromScale(2, 2));
    using enum TSVGPatternAttribute;
    EXPECT_EQ(p->Specified(), TSVGPatternAttributes({paX, paWidth, paUnits, paContentUnits, paTransform}));
    EXPECT_EQ(Find<TSVGPattern>("q")->Units(), TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    ASSERT_EQ(Doc.Diagnostics().size(), 1u);
    EXPECT_EQ(Doc.Diagnostics().front().Property, QStringLiteral("patternUnits"));
    // The transform as text, and back.
    auto* q = Find<TSVGPattern>("q");
    q->SetPatternTransformMatrix(p->PatternTransformMatrix());
    EXPECT_EQ(q->PatternMatrix(), p->PatternMatrix());
}

TEST_F(PatternTest, ATileWithoutAreaPaintsNothingNotEvenTheFallback)
{
    const char* tiles[] = {
        R"~(patternUnits="userSpaceOnUse" width="0" height="10")~",
        R"~(patternUnits="userSpaceOnUse" width="10" height="-10")~",
        R"~(patternUnits="userSpaceOnUse" width="10" height="10" viewBox="0 0 0 10")~",
        // Bounding-box units on a line without height.
        R"~(width="1" height="1")~",
    };
    for (const char* tile : tiles) {
        SCOPED_TRACE(tile);
        Load(Checks(QString::fromLatin1(tile))
             + QStringLiteral(R"~(<line x1="0" y1="50" x2="100" y2="50" stroke-width="20" stroke="url(#checks) lime"/>)~"));
        EXPECT_EQ(qAlpha(Render().pixel(50, 50)), 0);
    }
}

TEST_F(PatternTest, TileTexturesHaveBoundedSizes)
{
    Load(QStringLiteral(R"~(<pattern id="huge" patternUnits="userSpaceOnUse" width="1e6" height="1e6">
             <rect width="6e5" height="6e5" fill="blue"/></pattern>
           <rect id="r" width="100" height="100" fill="url(#huge)"/>)~"));
    const TPaintServer server =
        Find<TSVGPattern>("huge")->PaintServer(*Find("r"), {QTransform::fromScale(1000, 1000)});
    ASSERT_TRUE(std::holds_alternative<QBrush>(server));
    const QImage texture = std::get<QBrush>(server).textureImage();
    EXPECT_LE(qint64(texture.width()) * texture.height(), TSVGPattern::MaxTilePixels);
    EXPECT_GT(texture.width(), 0);
    // Still the tile's picture, at a lower resolution.
    EXPECT_TRUE(SameColor(texture.pixel(0, 0), OpaqueBlue));
    // Drawn at a reasonable scale the same pattern paints blue, if blurred at
    // the edge of a texture that holds a million units in 2048 pixels.
    const QRgb pixel = Render().pixel(50, 50);
    EXPECT_GT(qBlue(pixel), 0);
    EXPECT_EQ(qRed(pixel) + qGreen(pixel), 0);
}

TEST_F(PatternTest, APatternThatReentersItselfDrawsNothingForTheReentry)
{
    // Each pattern paints its square with the other, which paints with the first again.
    Load(QStringLiteral(R"~(<pattern id="a" patternUnits="userSpaceOnUse" width="20" height="20">
             <rect width="10" height="10" fill="url(#b) lime" stroke="blue" stroke-width="2"/></pattern>
           <pattern id="b" patternUnits="userSpaceOnUse" width="20" height="20">
             <rect width="10" height="10" fill="url(#a) lime"/><rect x="1" y="1" width="2" height="2" fill="red"/></pattern>
           <pattern id="self" xlink:href="#self" patternUnits="userSpaceOnUse" width="20" height="20">
             <rect width="10" height="10" fill="url(#self) lime" stroke="blue" stroke-width="2"/></pattern>
           <rect width="50" height="100" fill="url(#a)"/>
           <rect x="50" width="50" height="100" fill="url(#self)"/>)~"));
    const QImage image = Render();
    // "a" draws "b" in its square, and "b" draws nothing for "a" again.
    EXPECT_TRUE(SameColor(image.pixel(2, 2), OpaqueRed));
    EXPECT_EQ(qAlpha(image.pixel(6, 6)), 0);
    EXPECT_TRUE(SameColor(image.pixel(10, 5), OpaqueBlue));
    // The pattern that names itself: its outline, and nothing inside.
    EXPECT_TRUE(SameColor(image.pixel(70, 5), OpaqueBlue));
    EXPECT_EQ(qAlpha(image.pixel(65, 5)), 0);
}

TEST_F(PatternTest, ThePatternOfADisabledElementIsGrayAndNoElementChanges)
{
    Load(Checks(QStringLiteral(R"~(patternUnits="userSpaceOnUse" width="10" height="10")~"))
         + QStringLiteral(R"~(<rect id="r" width="100" height="100" fill="url(#checks)"/>)~"));
    Find("r")->SetEnabled(false);
    TDocumentRecorder recorder(Doc);
    const QRgb pixel = Render().pixel(2, 2);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    EXPECT_GT(qAlpha(pixel), 0);
    EXPECT_TRUE(Find("checks")->Enabled());
    EXPECT_TRUE(recorder.ChangeSenders.empty());
}

TEST_F(PatternTest, APatternFillIsHitLikeAnyFill)
{
    Load(Checks(QStringLiteral(R"~(patternUnits="userSpaceOnUse" width="10" height="10")~"))
         + QStringLiteral(R"~(<rect id="r" x="20" y="20" width="60" height="60" fill="url(#checks)"/>)~"));
    EXPECT_EQ(HitAt({50, 50}), Find("r"));
    EXPECT_EQ(HitAt({10, 10}), nullptr);
}

} // namespace
} // namespace zor::test
