// The decoration catalogue: every emblem reads as path text without loss,
// lies where the artworks expect it and draws the same under both fill rules;
// the word-for-word texts, the values and their order, the lamp subset and
// the large versions of the round instruments.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <set>

#include "geometry/path_data.h"
#include "instruments/decoration_catalogue.h"

using namespace zor;
using enum TDecoration;

namespace {

struct TEmblem {
    TDecoration Decoration;
    bool Large; // the round instruments' version
    // Where the artworks expect the emblem in the frame.
    double Left, Right, Top, Bottom;
};

void PrintTo(const TEmblem& Emblem, std::ostream* Out)
{
    *Out << DecorationName(Emblem.Decoration).toStdString() << (Emblem.Large ? " (large)" : "");
}

QString TextOf(const TEmblem& Emblem)
{
    return Emblem.Large ? LargeDecorationPathText(Emblem.Decoration) : DecorationPathText(Emblem.Decoration);
}

const TEmblem Emblems[] = {
    {dcStar, false, 0, 100, 0, 100},
    {dcModern, false, 0, 100, 0, 100},
    {dcDragon, false, 0, 99, 0, 100},
    {dcAnchor, false, 0, 100, 0, 101},
    {dcWheel, false, -1.5, 101.5, 0, 101.5},
    {dcPlane, false, 0, 100, 15, 98},
    {dcPlaneTop, false, 0, 100, 0, 100},
    {dcJet, false, 6, 94, -1, 100},
    {dcCar, false, 26, 75, 0, 100},
    {dcSimpleBoat, false, 35, 65, 0, 100},
    {dcGlobe, false, 19, 101, -1, 101},
    {dcFuelTank, false, 9, 91, 0, 100},
    {dcBolt, false, 26, 74, 0, 100},
    {dcBiohazard, false, -6.5, 106, 0, 102},
    {dcWifi, false, 0, 100, 3, 97},
    {dcCloudy, false, 1, 99, 15, 85},
    {dcSunny, false, 0.6, 99.4, 0.6, 99.4},
    {dcStormy, false, 5, 95, 1, 99},
    {dcRainy, false, 1, 99, 1, 101},
    {dcSnowy, false, 1, 99, 11, 90},
    {dcPartlyCloudy, false, 1, 97, 12, 90},
    {dcWinter, false, 0, 100, 0, 100},
    {dcSpring, false, 3.5, 96.5, 0, 100},
    {dcSummer, false, 0, 100, 0, 100},
    {dcAutumn, false, 3, 97, 0, 100},
    {dcStar, true, -13.6, 113.6, -12.2, 112.7},
    {dcModern, true, -30.7, 130.2, -29.9, 130.9},
    {dcGlobe, true, -2.3, 136.1, -36.6, 135.9},
};

qsizetype CountOf(const TZorPathData& Path, TPathPointKind Kind)
{
    return std::count_if(Path.PointList().begin(), Path.PointList().end(),
                         [Kind](const TPathPoint& Point) { return Point.Kind == Kind; });
}

// Fills the path with the given rule, at two pixels per unit, over a square
// that holds every emblem with room to spare.
QImage Draw(const TZorPathData& Path)
{
    QImage image(360, 360, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(2, 2);
    painter.translate(40, 40);
    painter.fillPath(Path.ToPainterPath(), Qt::black);
    return image;
}

class EmblemTest : public ::testing::TestWithParam<TEmblem> {};

TEST_P(EmblemTest, ReadsAsPathTextWithoutLoss)
{
    const QString text = TextOf(GetParam());
    // Only commands that take whole points: every two numbers of the text make
    // one entry of the path, every close command one close entry.
    static const QRegularExpression Unexpected(QStringLiteral("[^MmLlCcZz0-9., -]"));
    static const QRegularExpression Number(QStringLiteral("-?(\\d+\\.?\\d*|\\.\\d+)"));
    ASSERT_FALSE(text.contains(Unexpected)) << text.toStdString();

    TZorPathData path;
    path.SetData(text);
    const qsizetype closes = CountOf(path, TPathPointKind::Close);
    EXPECT_EQ(closes, text.count(u'Z') + text.count(u'z'));
    qsizetype numbers = 0;
    for (QRegularExpressionMatchIterator it = Number.globalMatch(text); it.hasNext(); it.next())
        ++numbers;
    EXPECT_EQ(2 * (path.Count() - closes), numbers);
    EXPECT_EQ(path.PointList().last().Kind, TPathPointKind::Close) << "every subpath is closed";

    TZorPathData again;
    again.SetData(path.Data());
    EXPECT_EQ(again.Data(), path.Data());
}

TEST_P(EmblemTest, LiesWhereTheArtworksExpectIt)
{
    // A few units either way; but an emblem must fill its place, not shrink in it.
    constexpr double Tolerance = 4;
    constexpr double LeastShare = 0.8;
    const TEmblem& emblem = GetParam();
    TZorPathData path;
    path.SetData(TextOf(emblem));
    const QRectF bounds = path.GetBounds();
    EXPECT_GE(bounds.left(), emblem.Left - Tolerance);
    EXPECT_LE(bounds.right(), emblem.Right + Tolerance);
    EXPECT_GE(bounds.top(), emblem.Top - Tolerance);
    EXPECT_LE(bounds.bottom(), emblem.Bottom + Tolerance);
    EXPECT_GE(bounds.width(), LeastShare * (emblem.Right - emblem.Left));
    EXPECT_GE(bounds.height(), LeastShare * (emblem.Bottom - emblem.Top));
}

TEST_P(EmblemTest, DrawsTheSameUnderBothFillRules)
{
    // Subpaths never cross and holes run against their outline, so the
    // artwork's fill rule cannot change the picture.
    TZorPathData path;
    path.SetData(TextOf(GetParam()));
    path.SetFillMode(TZorFillMode::fmEvenOdd);
    const QImage evenOdd = Draw(path);
    path.SetFillMode(TZorFillMode::fmNonZero);
    const QImage nonZero = Draw(path);
    EXPECT_TRUE(evenOdd == nonZero);
    EXPECT_FALSE(evenOdd == Draw(TZorPathData())) << "draws nothing";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EmblemTest, ::testing::ValuesIn(Emblems));

TEST(DecorationCatalogue, ValuesKeepTheirOrderAndNames)
{
    // The ordinals are stored in window layouts.
    static const std::array<const char*, EnumCount(TDecoration{})> Names = {
        "dcNone",     "dcCustom",  "dcStar",    "dcModern",  "dcDragon",       "dcAnchor", "dcWheel",
        "dcPlane",    "dcPlaneTop", "dcJet",    "dcCar",     "dcSimpleBoat",   "dcGlobe",  "dcFuelTank",
        "dcBolt",     "dcBiohazard", "dcWifi",  "dcCloudy",  "dcSunny",        "dcStormy", "dcRainy",
        "dcSnowy",    "dcPartlyCloudy", "dcWinter", "dcSpring", "dcSummer",    "dcAutumn"};
    for (std::size_t i = 0; i < Names.size(); ++i)
        EXPECT_EQ(DecorationName(static_cast<TDecoration>(i)), QLatin1String(Names[i]));
}

TEST(DecorationCatalogue, KeepsTheGivenTextsWordForWord)
{
    EXPECT_EQ(DecorationPathText(dcStar),
              "M49.9 0 47.2 44.6 25.2 25.3 44.5 47.2 0 49.9 44.6 52.8 25.2 74.7 47.2 55.4 49.9 100 52.8 55.4 74.7 "
              "74.8 55.3 52.8 100 49.9 55.4 47.2 74.7 25.2 52.8 44.6 49.9 0Z");
    EXPECT_EQ(DecorationPathText(dcBolt), "m 50,0 0,43 24,0 -24,57 0,-43 -24,0 24,-57 z");
    EXPECT_EQ(LargeDecorationPathText(dcStar),
              "M 49.839794,-12.239232 46.416284,43.516755 18.423291,19.379157 43.068155,46.717068 "
              "-13.579729,50.065949 43.10033,53.696163 18.42559,81.063877 46.418582,56.926278 49.842092,112.68227 "
              "53.537258,56.984985 81.364314,81.211089 56.780126,53.710161 113.57969,50.065045 56.826089,46.701263 "
              "81.365233,19.230136 53.538176,43.456243 49.843012,-12.24104 Z");
}

TEST(DecorationCatalogue, NoneAndCustomClearAndEveryOtherValueHasItsOwnEmblem)
{
    std::set<QString> texts;
    for (std::size_t i = 0; i < EnumCount(TDecoration{}); ++i) {
        const auto decoration = static_cast<TDecoration>(i);
        const QString text = DecorationPathText(decoration);
        if (decoration == dcNone || decoration == dcCustom) {
            EXPECT_TRUE(text.isEmpty()) << i;
            EXPECT_TRUE(LargeDecorationPathText(decoration).isEmpty()) << i;
        } else {
            EXPECT_TRUE(texts.insert(text).second) << "a copy of another emblem: " << i;
        }
    }
}

TEST(DecorationCatalogue, LargeVersionsReplaceStarModernAndGlobeOnly)
{
    const std::set<TDecoration> large = {dcStar, dcModern, dcGlobe};
    for (std::size_t i = 0; i < EnumCount(TDecoration{}); ++i) {
        const auto decoration = static_cast<TDecoration>(i);
        if (large.contains(decoration))
            EXPECT_NE(LargeDecorationPathText(decoration), DecorationPathText(decoration)) << i;
        else
            EXPECT_EQ(LargeDecorationPathText(decoration), DecorationPathText(decoration)) << i;
    }
}

TEST(DecorationCatalogue, LampsTakeTheirSubset)
{
    const std::set<TDecoration> lamp = {dcNone,  dcCustom,   dcStar, dcModern,   dcDragon,    dcAnchor, dcWheel,
                                        dcPlane, dcGlobe,    dcFuelTank, dcBolt, dcBiohazard, dcWifi};
    for (std::size_t i = 0; i < EnumCount(TDecoration{}); ++i) {
        const auto decoration = static_cast<TDecoration>(i);
        EXPECT_EQ(IsLampDecoration(decoration), lamp.contains(decoration)) << DecorationName(decoration).toStdString();
    }
}

} // namespace
