// Recolouring gradient stops: differences and ratios between stops survive,
// channels stay within 0..255, and a reference outside the stops is an error.

#include <gtest/gtest.h>

#include <vector>

#include "instruments/gradient_colors.h"
#include "platform/exceptions.h"

namespace zor::test {
namespace {

using TColors = std::vector<TAlphaColor>;

TEST(GradientColorsTest, TheShadowTakesTheSmallestChannelOffTheLight)
{
    struct Case {
        TAlphaColor Light, Shadow;
    };
    const Case cases[] = {{0xFFFFFFFF, 0xFF000000}, {0xFF80C0FF, 0xFF00407F}, {0x80FFFFFF, 0x80000000},
                          {0xFFFF0000, 0xFFFF0000}, {0x00000000, 0x00000000}};
    for (const Case& c : cases)
        EXPECT_EQ(ShadowColorOf(c.Light), c.Shadow) << std::hex << c.Light;
}

TEST(GradientColorsTest, ShiftingKeepsTheDifferencesToTheReferenceStop)
{
    struct Case {
        TColors Stops;
        TAlphaColor Color;
        int RefIndex;
        TColors Expected;
    };
    const Case cases[] = {
        {{0xFF404040, 0xFF808080}, 0xFF606060, 1, {0xFF202020, 0xFF606060}},
        {{0xFF404040, 0xFF808080}, 0xFF606060, 0, {0xFF606060, 0xFFA0A0A0}},
        // Stops of the reference's colour take the new one with their own alpha.
        {{0x80808080, 0xFF808080, 0xFF000000}, 0xFF102030, 1, {0x80102030, 0xFF102030, 0xFF000000}},
        // Channels are limited on both sides.
        {{0xFFF0F0F0, 0xFF101010}, 0xFF0000FF, 1, {0xFFE0E0FF, 0xFF0000FF}},
        {{0xFF000000, 0xFFFFFFFF}, 0xFF808080, 1, {0xFF000000, 0xFF808080}},
        {{}, 0xFF123456, 0, {}},
        // A single stop takes the colour; the reference is not read.
        {{0x40FFFFFF}, 0xFF123456, 7, {0xFF123456}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftedColors(c.Stops, c.Color, c.RefIndex), c.Expected);
}

TEST(GradientColorsTest, AReferenceOutsideTheStopsIsAListIndexError)
{
    const TColors stops{0xFF404040, 0xFF808080};
    for (const int refIndex : {2, -1, 1000}) {
        try {
            ShiftedColors(stops, 0xFF606060, refIndex);
            ADD_FAILURE() << refIndex;
        } catch (const EListError& Error) {
            EXPECT_EQ(Error.Message(), QStringLiteral("List index out of bounds (%1)").arg(refIndex));
        }
    }
}

TEST(GradientColorsTest, ScalingKeepsTheRatiosBetweenNeighbours)
{
    struct Case {
        TColors Stops;
        TAlphaColor Color;
        bool FromFirst;
        TColors Expected;
    };
    const Case cases[] = {
        {{0xFF808080, 0xFF404040}, 0xFF204060, true, {0xFF204060, 0xFF102030}},
        {{0xFF808080, 0xFF404040}, 0xFF204060, false, {0xFF4080C0, 0xFF204060}},
        // The red channel changed most: its ratio 2 scales every channel.
        {{0xFF402020, 0x80802020}, 0xFF101010, true, {0xFF101010, 0x80202020}},
        // Ratios chain from stop to stop; a stop like the first takes the colour.
        {{0xFF808080, 0xFF404040, 0xFF202020, 0xFF808080},
         0xFFC0C0C0,
         true,
         {0xFFC0C0C0, 0xFF606060, 0xFF303030, 0xFFC0C0C0}},
        {{}, 0xFF123456, true, {}},
        {{0x40FFFFFF}, 0xFF123456, false, {0xFF123456}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledColors(c.Stops, c.Color, c.FromFirst), c.Expected);
}

TEST(GradientColorsTest, ScaledChannelsAreLimitedBeforeTheyBecomeWholeNumbers)
{
    // From a black neighbour the gain is unlimited: 255 × 2^31 must become
    // 255, not an overflowed integer.
    EXPECT_EQ(ScaledColors({0xFF000000, 0xFF0000FF}, 0xFFFFFFFF, true), (TColors{0xFFFFFFFF, 0xFFFFFFFF}));
    EXPECT_EQ(ScaledColors({0xFF000000, 0xFF0000FF}, 0xFF000000, true), (TColors{0xFF000000, 0xFF000000}));
    EXPECT_EQ(ScaledColors({0xFF0000FF, 0xFF000000, 0xFF0000FF}, 0xFF0000F0, true),
              (TColors{0xFF0000F0, 0xFF000000, 0xFF0000F0}));
}

} // namespace
} // namespace zor::test
