// The SVG control: its cached layers give the picture of a full drawing at
// every quality and device pixel ratio, a move of the active element redraws
// that element alone, and the properties keep their limits.

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

#include "control_test_support.h"
#include "platform/exceptions.h"
#include "svg/render/render_context.h"

namespace zor::test {
namespace {

class SVGControlTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        Control.SetActiveSVGElement(Active);
    }

    // The whole document drawn at once where the control puts it, supersampled
    // like the control's layers.
    QImage FullDraw(qreal PixelRatio, int Quality)
    {
        TSVGDocument& doc = Control.SVG();
        const QSize size(qRound(Control.width() * PixelRatio), qRound(Control.height() * PixelRatio));
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRect target = Control.GetDrawRect(QRectF(QPointF(0, 0), QSizeF(size)));
        const QImage drawing =
            RenderSupersampled(target.size(), Quality, [&](TRenderContext& Canvas, const QRectF& Rect) {
                doc.Draw(doc.GetViewMatrix(Rect), Canvas, Rect);
            });
        QPainter painter(&image);
        painter.drawImage(target.topLeft(), drawing);
        return image;
    }

    // The senders of OnDrawing during one paint.
    std::vector<TSVGGraphicElement*> DrawnDuringPaint(qreal PixelRatio = 1)
    {
        std::vector<TSVGGraphicElement*> drawn;
        Control.OnDrawing() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&,
                                  bool&) { drawn.push_back(Sender); };
        Paint(Control, PixelRatio);
        Control.OnDrawing() = nullptr;
        return drawn;
    }
};

// Premultiplied compositing of the three layers rounds a little differently
// from drawing them in one go, and at Quality > 1 every layer is reduced on
// its own.
constexpr int CompositeTolerance = 3;

TEST_F(SVGControlTest, TheLayersAroundTheActiveElementGiveThePictureOfAFullDrawing)
{
    struct Case {
        int Quality;
        qreal PixelRatio;
    };
    const Case cases[] = {{1, 1}, {1, 2}, {1, 1.5}, {2, 1}, {2, 1.5}, {3, 2}, {8, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Quality " << c.Quality << ", ratio " << c.PixelRatio);
        Control.SetQuality(c.Quality);
        const QImage composited = Paint(Control, c.PixelRatio);
        EXPECT_FALSE(Control.NeedBuffers());
        EXPECT_EQ(Control.Buffers().Size(), composited.size());
        EXPECT_LE(LargestDifference(composited, FullDraw(c.PixelRatio, c.Quality)), CompositeTolerance);
    }
}

TEST_F(SVGControlTest, TheLayersHoldWhatComesBeforeAndAfterTheActiveElement)
{
    Paint(Control);
    const QImage& background = Control.Buffers().Background();
    const QImage& foreground = Control.Buffers().Foreground();
    // The hand's place: red behind it, nothing of it in either layer.
    EXPECT_EQ(background.pixel(25, 50), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(foreground.pixel(25, 50)), 0);
    // The cover lies in the foreground only.
    EXPECT_NEAR(qAlpha(foreground.pixel(50, 50)), 128, 1);
    EXPECT_EQ(background.pixel(50, 50), 0xFFFF0000u);
}

TEST_F(SVGControlTest, MovingTheActiveElementRedrawsThatElementAlone)
{
    Control.SetQuality(1);
    Paint(Control);
    const qint64 background = Control.Buffers().Background().cacheKey();
    const qint64 foreground = Control.Buffers().Foreground().cacheKey();

    Active->SetMatrix(QTransform().translate(0, 20));
    const std::vector<TSVGGraphicElement*> drawn = DrawnDuringPaint();
    EXPECT_EQ(drawn, (std::vector<TSVGGraphicElement*>{Active, Hand}));
    EXPECT_EQ(Control.Buffers().Background().cacheKey(), background);
    EXPECT_EQ(Control.Buffers().Foreground().cacheKey(), foreground);

    const QImage moved = Paint(Control);
    EXPECT_EQ(moved.pixel(25, 70), 0xFF0000FFu);
    EXPECT_EQ(moved.pixel(25, 50), 0xFFFF0000u);
    EXPECT_LE(LargestDifference(moved, FullDraw(1, 1)), CompositeTolerance);
}

TEST_F(SVGControlTest, SupersampledActiveElementsAreDrawnAloneToo)
{
    Control.SetQuality(4);
    Paint(Control, 2);
    EXPECT_EQ(DrawnDuringPaint(2), (std::vector<TSVGGraphicElement*>{Active, Hand}));
}

TEST_F(SVGControlTest, StaleLayersAreDrawnAgainOnceForTheWholeDocument)
{
    Paint(Control);
    Control.InvalidateBuffers();
    // Before, after, and the active element between them.
    const std::vector<TSVGGraphicElement*> drawn = DrawnDuringPaint();
    EXPECT_GT(drawn.size(), 2u);
    EXPECT_FALSE(Control.NeedBuffers());
    EXPECT_EQ(DrawnDuringPaint().size(), 2u);
}

TEST_F(SVGControlTest, WithoutActiveElementOrBufferingTheWholeDocumentIsDrawnEachTime)
{
    const std::vector<TSVGGraphicElement*> everything{&Control.SVG(), Backdrop, Active, Hand, Cover};
    Control.SetBuffered(false);
    EXPECT_EQ(DrawnDuringPaint(), everything);
    EXPECT_EQ(DrawnDuringPaint(), everything);

    Control.SetBuffered(true);
    Control.SetActiveSVGElement(nullptr);
    EXPECT_EQ(DrawnDuringPaint(), everything);
    EXPECT_TRUE(Control.Buffers().Size().isEmpty());
}

TEST_F(SVGControlTest, TurningBufferingBackOnMarksTheLayersStale)
{
    Paint(Control);
    Control.SetBuffered(false);
    EXPECT_FALSE(Control.NeedBuffers());
    Control.SetBuffered(true);
    EXPECT_TRUE(Control.NeedBuffers());
}

TEST_F(SVGControlTest, QualityIsLimitedAndAnUnchangedValueChangesNothing)
{
    struct Case {
        int Written, Stored;
    };
    const Case cases[] = {{0, 1}, {-5, 1}, {1, 1}, {5, 5}, {8, 8}, {20, 8}};
    for (const Case& c : cases) {
        Control.SetQuality(c.Written);
        EXPECT_EQ(Control.Quality(), c.Stored) << c.Written;
    }
    Paint(Control);
    Control.SetQuality(8);
    EXPECT_FALSE(Control.NeedBuffers());
    Control.SetQuality(3);
    EXPECT_TRUE(Control.NeedBuffers());
}

TEST_F(SVGControlTest, ADocumentKeepsItsAspectWithWholePixelMarginsUnlessStretched)
{
    Control.resize(200, 100);
    EXPECT_EQ(Control.GetDrawRect(QRectF(0, 0, 200, 100)), QRect(50, 0, 100, 100));
    // Odd margins round to whole pixels.
    EXPECT_EQ(Control.GetDrawRect(QRectF(0, 0, 201, 100)), QRect(50, 0, 100, 100));
    QImage image = Paint(Control);
    EXPECT_EQ(qAlpha(image.pixel(49, 50)), 0);
    EXPECT_EQ(image.pixel(50, 10), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(149, 10), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(image.pixel(150, 50)), 0);

    Control.SetStretch(true);
    EXPECT_EQ(Control.GetDrawRect(QRectF(0, 0, 200, 100)), QRect(0, 0, 200, 100));
    image = Paint(Control);
    EXPECT_EQ(image.pixel(0, 10), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(199, 10), 0xFFFF0000u);
    // The hand is stretched with the document: 40 .. 160 wide.
    EXPECT_EQ(image.pixel(45, 50), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(155, 50), 0xFF0000FFu);
}

TEST_F(SVGControlTest, LayersOfAHugeDocumentStayWithinTheLargestBitmapKeepingTheirAspect)
{
    Control.SVG().SetWidth(20000);
    Control.SVG().SetHeight(10000);
    Control.resize(2000, 1000);
    Control.SetQuality(8);
    Control.UpdateBuffers();
    const QSize render = Control.Buffers().RenderSize();
    EXPECT_LE(render.width(), 8096);
    EXPECT_EQ(render.width(), 2 * render.height());
    EXPECT_EQ(Control.Buffers().Size(), QSize(2000, 1000));
}

TEST_F(SVGControlTest, HighDensityLayersAreMadeInDevicePixelsAndCopiedWithoutBlur)
{
    struct Case {
        qreal PixelRatio;
        QSize Layers;
    };
    const Case cases[] = {{2, QSize(200, 200)}, {1.5, QSize(150, 150)}};
    Control.SetQuality(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.PixelRatio);
        // A backdrop edge on a device pixel boundary stays sharp.
        Backdrop->Data().SetData(QStringLiteral("M0,0 H50 V100 H0 Z"));
        const QImage image = Paint(Control, c.PixelRatio);
        EXPECT_EQ(Control.Buffers().Size(), c.Layers);
        const int edge = qRound(50 * c.PixelRatio);
        EXPECT_EQ(image.pixel(edge - 1, 5), 0xFFFF0000u);
        EXPECT_EQ(qAlpha(image.pixel(edge, 5)), 0);
    }
}

TEST_F(SVGControlTest, AWidgetRenderedIntoAHighDensityImagePaintsInItsDevicePixels)
{
    Control.SetQuality(1);
    Backdrop->Data().SetData(QStringLiteral("M0,0 H50 V100 H0 Z"));
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    // Without the window's backdrop, to see the control's own pixels.
    Control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(Control.Buffers().Size(), QSize(200, 200));
    EXPECT_EQ(image.pixel(99, 5), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(image.pixel(100, 5)), 0);
}

TEST_F(SVGControlTest, APaintEventKeepsTheErrorOfADrawingInsteadOfLettingItOut)
{
    std::vector<QString> reported;
    Control.OnPaintError = [&](const QString& Message) { reported.push_back(Message); };
    Control.OnDrawing() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&, bool&) {
        if (Sender == Hand)
            throw ESVGException(QStringLiteral("broken hand"));
    };
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    EXPECT_NO_THROW(Control.render(&image));
    EXPECT_EQ(Control.LastPaintError(), QStringLiteral("broken hand"));
    EXPECT_EQ(reported, std::vector<QString>{QStringLiteral("broken hand")});
    // The direct paint passes the error to its caller.
    EXPECT_THROW(Paint(Control), ESVGException);

    Control.OnDrawing() = nullptr;
    Control.render(&image);
    EXPECT_TRUE(Control.LastPaintError().isEmpty());
}

} // namespace
} // namespace zor::test
