// Pictures of instruments without a window: the size and pixel ratio asked
// for, and a contact sheet with a cell for every decoration.

#include <gtest/gtest.h>

#include "instruments/custom_instrument.h"
#include "instruments/decoration_catalogue.h"
#include "instruments/instrument_registry.h"
#include "platform/exceptions.h"
#include "tools/snapshot.h"

namespace zor::test {
namespace {

TEST(SnapshotTest, APictureHasTheSizeAndPixelRatioAskedFor)
{
    const TInstrumentRegistry registry;
    const std::unique_ptr<TZorSVGCustomInstrument> gauge = registry.Find(QStringLiteral("Circular_Gauge"))->Create();
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QImage picture = tools::Snapshot(*gauge, QSize(60, 40), ratio);
        EXPECT_EQ(picture.size(), QSize(qRound(60 * ratio), qRound(40 * ratio)));
        EXPECT_EQ(picture.devicePixelRatio(), ratio);
        // A square gauge in a wide picture: drawn in the middle, margins left and right.
        EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
        EXPECT_EQ(qAlpha(picture.pixel(1, picture.height() / 2)), 0);
    }
}

TEST(SnapshotTest, AContactSheetHasACellForEveryDecoration)
{
    const TInstrumentRegistry registry;
    tools::TSheetOptions options;
    options.CellSize = 16;
    options.Classes = QStringList{QStringLiteral("battery"), QStringLiteral("cube_light")};
    const QImage sheet = tools::ContactSheet(registry, options);
    const int cells = static_cast<int>(EnumCount(TDecoration{}));
    EXPECT_EQ(sheet.width(), 120 + cells * 20);
    EXPECT_EQ(sheet.height(), 16 + 2 * 20);

    options.Classes = QStringList{QStringLiteral("sundial")};
    EXPECT_THROW(tools::ContactSheet(registry, options), EArgumentOutOfRangeException);
}

} // namespace
} // namespace zor::test
