// The reduction of supersampled pictures: the same pixels as Qt's smooth
// scaling, whichever way a reduction is computed.

#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "instruments/image_reduction.h"

namespace zor::test {
namespace {

// Premultiplied pixels of every kind: transparent, opaque and between.
QImage RandomPicture(QSize Size, quint32 Seed)
{
    QRandomGenerator random(Seed);
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < Size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Size.width(); ++x) {
            const int kind = random.bounded(4);
            const int alpha = kind == 0 ? 0 : kind == 1 ? 255 : random.bounded(256);
            line[x] = qRgba(random.bounded(alpha + 1), random.bounded(alpha + 1), random.bounded(alpha + 1), alpha);
        }
    }
    return image;
}

TEST(ImageReduction, GivesThePixelsOfQtsSmoothScaling)
{
    const struct {
        QSize From;
        QSize To;
    } cases[] = {
        {{2, 2}, {1, 1}},       {{2, 14}, {1, 7}},       {{600, 422}, {300, 211}}, {{1088, 400}, {544, 200}},
        {{52, 116}, {13, 29}},  {{8000, 24}, {1000, 3}}, {{128, 64}, {16, 8}},     {{256, 256}, {16, 16}},
        // Not one power of two both ways: the smooth scaling itself.
        {{39, 87}, {13, 29}},   {{40, 20}, {20, 5}},     {{50, 50}, {30, 30}},
    };
    quint32 seed = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.From.width() << "x" << c.From.height() << " to " << c.To.width() << "x"
                                        << c.To.height());
        const QImage picture = RandomPicture(c.From, seed++);
        const QImage reduced = ReducedImage(picture, c.To);
        ASSERT_EQ(reduced.size(), c.To);
        EXPECT_EQ(reduced.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  picture.scaled(c.To, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

TEST(ImageReduction, ABlockBecomesItsMeanRoundedDown)
{
    QImage picture(2, 2, QImage::Format_ARGB32_Premultiplied);
    picture.setPixel(0, 0, qRgba(255, 0, 3, 255));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(0, 1, qRgba(100, 0, 0, 100));
    picture.setPixel(1, 1, qRgba(0, 200, 0, 200));
    EXPECT_EQ(ReducedImage(picture, QSize(1, 1)).pixel(0, 0), qRgba(88, 50, 0, 138));
}

} // namespace
} // namespace zor::test
