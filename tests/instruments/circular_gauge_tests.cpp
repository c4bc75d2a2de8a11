// The round gauge: range and hands, generated markers and labels, parts,
// colours read from and written to the artwork, empty ranges, arcs that
// start below 0, coalesced repaints, notifications and what assistive
// technology reads.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaProperty>
#include <algorithm>
#include <vector>

#include "instruments/circular_range_gauge.h"
#include "instruments/gradient_colors.h"
#include "round_instrument_support.h"

namespace zor::test {
namespace {

// The gauge as the base leaves it, its labels and pictures open to the tests.
class TTestGauge : public TZorCircularRangeGauge {
public:
    using TZorCustomCircularGauge::Labels;
    using TZorCustomCircularGauge::Sprites;
};

class CircularGauge : public ::testing::Test {
protected:
    void SetUp() override { Gauge->OnChange = [this](TZorSVGCustomInstrument*) { ++Changes; }; }

    std::unique_ptr<TTestGauge> Gauge = CreateInstrument<TTestGauge>();
    int Changes = 0;
};

TEST_F(CircularGauge, LimitsTheValueAndTurnsTheHands)
{
    Gauge->SetStartAngle(225);
    Gauge->SetStopAngle(495);
    Gauge->SetValue(50);
    EXPECT_EQ(Gauge->Value(), 12);
    EXPECT_EQ(Changes, 1);
    for (const char* hand : {"BigHand", "LittleHand", "ThinHand"})
        ExpectHandAt(*Gauge, QString::fromLatin1(hand), 495);
    Gauge->SetValue(6);
    ExpectHandAt(*Gauge, QStringLiteral("BigHand"), 0);
}

TEST_F(CircularGauge, MaxBelowMinPushesMinAndLimitsTheValueWithoutTurningTheHands)
{
    Gauge->SetValue(3);
    Changes = 0;
    Gauge->SetMax(-5);
    EXPECT_EQ(Gauge->Min(), -6);
    EXPECT_EQ(Gauge->Value(), -5);
    EXPECT_EQ(Changes, 0);
    ExpectHandAt(*Gauge, QStringLiteral("BigHand"), 90);
}

TEST_F(CircularGauge, BuildsMarkersAndLabelsOverAnArc)
{
    Gauge->SetStartAngle(225);
    Gauge->SetStopAngle(495);
    Gauge->SetMajorMarkers(10);
    Gauge->SetMinorMarkers(4);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("BigMarkers")), 11);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("SmallMarkers")), 51);
    const QStringList expected = {"0", "1.2", "2.4", "3.6", "4.8", "6", "7.2", "8.4", "9.6", "10.8", "12"};
    EXPECT_EQ(Gauge->Labels().ToStringList(), expected);
    EXPECT_EQ(LabelTexts(*Gauge), expected);
    const auto paths = LabelPaths(*Gauge);
    ASSERT_EQ(paths.size(), 11U);
    EXPECT_TRUE(paths.front()->StartOffset().IsPercent());
    EXPECT_NEAR(paths.front()->StartOffset().Raw(), 0.375, 1e-6);
    EXPECT_EQ(paths.front()->Reference(), QStringLiteral("TextCircle"));
}

TEST_F(CircularGauge, KeepsTheBaseLabelsAsNumbersOfAFullCircle)
{
    const QStringList expected = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    EXPECT_EQ(LabelTexts(*Gauge), expected);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("BigMarkers")), 12);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("SmallMarkers")), 60);
    EXPECT_TRUE(Gauge->IsLabelsStored());
}

TEST_F(CircularGauge, PlacesAnArcFromBelowZeroLikeItsReducedArc)
{
    Gauge->SetStartAngle(-90);
    Gauge->SetStopAngle(270);
    // A full circle: no mark or label lies twice on the same place.
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("BigMarkers")), 12);
    const auto paths = LabelPaths(*Gauge);
    ASSERT_EQ(paths.size(), 12U);
    for (const TSVGTextPath* along : paths) {
        EXPECT_GE(along->StartOffset().Raw(), 0.0625);
        EXPECT_LT(along->StartOffset().Raw(), 0.5625);
    }
    EXPECT_NEAR(paths.front()->StartOffset().Raw(), LabelOffset(270), 1e-6);
}

TEST_F(CircularGauge, AnEmptyRangeOrNoMarkersDividesByNothing)
{
    Gauge->SetStartAngle(30);
    Gauge->SetStopAngle(200);
    Gauge->SetMax(0);
    EXPECT_EQ(Gauge->Min(), Gauge->Max());
    Gauge->SetValue(0);
    ExpectHandAt(*Gauge, QStringLiteral("BigHand"), 30);
    Gauge->SetMajorMarkers(0);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("BigMarkers")), 0);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("SmallMarkers")), 1);
    EXPECT_EQ(LabelTexts(*Gauge), QStringList{"0"});
    for (const TSVGTextPath* along : LabelPaths(*Gauge))
        EXPECT_TRUE(std::isfinite(along->StartOffset().Raw()));
    const auto* ring = ElementOf<TSVGElement>(*Gauge, QStringLiteral("SmallMarkers"));
    EXPECT_FALSE(ring->Items()[0]->SVGTypeName().isEmpty());
    EXPECT_FALSE(static_cast<const TSVGPath*>(ring->Items()[0])->Data().Data().contains(QLatin1String("nan")));
    EXPECT_FALSE(Picture(*Gauge).isNull());
}

TEST_F(CircularGauge, HidingTheHandsKeepsTheLayers)
{
    Gauge->resize(100, 100);
    Picture(*Gauge);
    ASSERT_FALSE(Gauge->NeedBuffers());
    Gauge->SetHands({});
    EXPECT_FALSE(Gauge->NeedBuffers());
    for (const char* hand : {"BigHand", "LittleHand", "ThinHand"})
        EXPECT_FALSE(ElementOf(*Gauge, QString::fromLatin1(hand))->Display()) << hand;
    Gauge->SetValue(5);
    EXPECT_FALSE(Gauge->NeedBuffers());
}

TEST_F(CircularGauge, ReadsAndWritesTheFrameColourOnOneElement)
{
    EXPECT_EQ(Gauge->FrameColor(), 0xFFA9A9A9);
    Gauge->SetFrameColor(0xFFFF0000);
    EXPECT_EQ(ElementOf(*Gauge, QStringLiteral("FrameColor"))->Brush().Color(), 0xFFFF0000);
    Gauge->resize(200, 200);
    // On the frame ring, inside its bevels.
    const QRgb frame = Picture(*Gauge).pixel(11, 100);
    EXPECT_GT(qRed(frame), 2 * qGreen(frame)) << std::hex << frame;
    Gauge->SetEnableGradients(false);
    EXPECT_EQ(ElementOf(*Gauge, QStringLiteral("FrameBevelUpper"))->Brush().Color(), DodgeColor(0xFFFF0000));
    EXPECT_EQ(ElementOf(*Gauge, QStringLiteral("FrameBevelLower"))->Brush().Color(), BurnColor(0xFFFF0000));
}

TEST_F(CircularGauge, ShowsPartsAsPartsDesignAndGradientsAgree)
{
    using TPart = TZorCustomCircularGauge::TPart;
    Gauge->SetParts(TZorCustomCircularGauge::AllParts() - TZorCustomCircularGauge::TParts{TPart::gpGlass});
    EXPECT_FALSE(ElementOf(*Gauge, QStringLiteral("GlassGroup"))->Display());
    // Turning gradients off and on again leaves a part that is off, off.
    Gauge->SetEnableGradients(false);
    Gauge->SetEnableGradients(true);
    EXPECT_FALSE(ElementOf(*Gauge, QStringLiteral("GlassGroup"))->Display());
    Gauge->SetDesign(TSVGDesign::sdSimple);
    EXPECT_FALSE(ElementOf(*Gauge, QStringLiteral("Bolts"))->Display());
    EXPECT_TRUE(ElementOf(*Gauge, QStringLiteral("Frame"))->Display());
}

TEST_F(CircularGauge, NotifiesEveryPropertyItPublishes)
{
    const QMetaObject& meta = TZorCustomCircularGauge::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        EXPECT_TRUE(meta.property(i).hasNotifySignal()) << meta.property(i).name();
    int notified = 0;
    QObject::connect(Gauge.get(), &TZorCustomCircularGauge::captionChanged, [&] { ++notified; });
    EXPECT_TRUE(Gauge->setProperty("Caption", QStringLiteral("Depth")));
    Gauge->SetCaption(QStringLiteral("Depth"));
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(ElementOf<TSVGCustomText>(*Gauge, QStringLiteral("GaugeText"))->Text(), QStringLiteral("Depth"));
}

// --- Repaints ---------------------------------------------------------------------

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(Watched, Event);
    }
};

TEST_F(CircularGauge, ValueChangesAtAnyRatePaintOncePerRefresh)
{
    Gauge->resize(100, 100);
    Gauge->show();
    ProcessEventsFor(100);
    TPaintCounter counter;
    Gauge->installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 1000; ++i) {
        Gauge->SetValue(static_cast<float>(i % 120) / 10);
        QCoreApplication::processEvents();
    }
    ProcessEventsFor(50);
    const qint64 elapsed = timer.elapsed();
    EXPECT_GE(counter.Paints, 1);
    EXPECT_LE(counter.Paints, elapsed / Gauge->RefreshInterval() + 2)
        << counter.Paints << " paints in " << elapsed << " ms";
}

TEST_F(CircularGauge, AHiddenGaugeDrawsNothing)
{
    Gauge->resize(100, 100);
    int drawn = 0;
    Gauge->OnDrawn() = [&](TSVGGraphicElement*, const QTransform&, TRenderContext&, const QRectF&) { ++drawn; };
    TPaintCounter counter;
    Gauge->installEventFilter(&counter);
    for (int i = 0; i < 100; ++i)
        Gauge->SetValue(static_cast<float>(i % 12));
    ProcessEventsFor(50);
    EXPECT_EQ(counter.Paints, 0);
    EXPECT_EQ(drawn, 0);
}

TEST_F(CircularGauge, TurnsTheHandsPicturesInsteadOfDrawingThemAgain)
{
    Gauge->resize(200, 200);
    Gauge->SetStartAngle(225);
    Gauge->SetStopAngle(495);
    Picture(*Gauge);
    const int renders = Gauge->Sprites().Renders();
    Gauge->SetValue(7.3F);
    const QImage turned = Picture(*Gauge);
    EXPECT_EQ(Gauge->Sprites().Renders(), renders);

    // The same hands drawn where they are: the turned pictures match them
    // but for the resampling of their edges.
    auto fresh = CreateInstrument<TTestGauge>();
    fresh->resize(200, 200);
    fresh->SetStartAngle(225);
    fresh->SetStopAngle(495);
    fresh->SetValue(7.3F);
    const QImage drawn = Picture(*fresh);
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = turned.pixel(x, y), b = drawn.pixel(x, y);
            if (std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))}) > 64)
                ++differing;
        }
    EXPECT_LT(differing, 40);

    // A change of the artwork draws them again.
    Gauge->SetBigHandColor(0xFF00FF00);
    Picture(*Gauge);
    EXPECT_EQ(Gauge->Sprites().Renders(), renders + 1);
}

TEST_F(CircularGauge, AListenerToTheDrawingEventsIsToldOfEveryHandItPaints)
{
    Gauge->resize(200, 200);
    Picture(*Gauge);
    std::vector<TSVGGraphicElement*> drawing, drawn;
    Gauge->OnDrawing() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&, bool&) {
        drawing.push_back(Sender);
    };
    Gauge->OnDrawn() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&) {
        drawn.push_back(Sender);
    };
    // Only the hands move: the layers stay, and the live part is drawn
    // element by element for the listener to see.
    Gauge->SetValue(4);
    Picture(*Gauge);
    EXPECT_FALSE(Gauge->NeedBuffers());
    for (const char* hand : {"Hands", "BigHand", "LittleHand", "ThinHand"}) {
        TSVGGraphicElement* element = ElementOf(*Gauge, QString::fromLatin1(hand));
        EXPECT_EQ(std::count(drawing.begin(), drawing.end(), element), 1) << hand;
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), element), 1) << hand;
    }

    // A hand the listener turns away is not painted.
    const QImage withHands = Picture(*Gauge);
    Gauge->OnDrawing() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&,
                             bool& DoDraw) {
        for (const TSVGElement* element = Sender; element != nullptr; element = element->Parent())
            if (element->ID() == QLatin1String("ThinHand"))
                DoDraw = false;
    };
    Gauge->OnDrawn() = nullptr;
    EXPECT_GT(LargestDifference(Picture(*Gauge), withHands), 64);

    // Without listeners the pictures of the hands serve again.
    Gauge->OnDrawing() = nullptr;
    const int renders = Gauge->Sprites().Renders();
    Gauge->SetValue(5);
    Picture(*Gauge);
    Gauge->SetValue(6);
    Picture(*Gauge);
    EXPECT_EQ(Gauge->Sprites().Renders(), renders);
}

TEST_F(CircularGauge, AtQualityOneTheHandsAreDrawnAsVectors)
{
    Gauge->resize(200, 200);
    Gauge->SetQuality(1);
    Gauge->SetStartAngle(225);
    Gauge->SetStopAngle(495);
    Picture(*Gauge);
    Gauge->SetValue(7.3F);
    const QImage moved = Picture(*Gauge);
    EXPECT_EQ(Gauge->Sprites().Renders(), 0);

    // The whole gauge drawn as vectors at once: the same picture but for
    // the rounding of compositing the layers.
    auto whole = CreateInstrument<TTestGauge>();
    whole->resize(200, 200);
    whole->SetQuality(1);
    whole->SetBuffered(false);
    whole->SetStartAngle(225);
    whole->SetStopAngle(495);
    whole->SetValue(7.3F);
    EXPECT_LE(LargestDifference(moved, Picture(*whole)), 3);
}

TEST_F(CircularGauge, LabelsKeepToTheMarksWhenTheirCountIsCapped)
{
    // One mark per degree at most: 720 asked for, 360 drawn, and a label
    // on each of them with the value of its place.
    Gauge->SetMajorMarkers(720);
    EXPECT_EQ(MarkCount(*Gauge, QStringLiteral("BigMarkers")), 360);
    const QStringList labels = Gauge->Labels().ToStringList();
    ASSERT_EQ(labels.size(), 360);
    EXPECT_EQ(labels[90], QStringLiteral("3"));
    EXPECT_EQ(labels[180], QStringLiteral("6"));
    const auto paths = LabelPaths(*Gauge);
    ASSERT_EQ(paths.size(), 360U);
    for (const int k : {1, 90, 180, 359})
        EXPECT_NEAR(paths[static_cast<std::size_t>(k)]->StartOffset().Raw(), LabelOffset(k), 1e-6) << k;
}

// --- Accessibility ----------------------------------------------------------------

TEST_F(CircularGauge, TellsAssistiveTechnologyItsRangeValueAndName)
{
    Gauge->SetCaption(QStringLiteral("Boost"));
    Gauge->SetDetailText(QStringLiteral("bar"));
    Gauge->SetValue(7.5F);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Gauge.get());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Dial);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Boost"));
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("7.5 bar"));
    QAccessibleValueInterface* value = accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toDouble(), 0);
    EXPECT_EQ(value->maximumValue().toDouble(), 12);
    EXPECT_EQ(value->currentValue().toDouble(), 7.5);
    value->setCurrentValue(3.0);
    EXPECT_EQ(Gauge->Value(), 3);
}

TEST(CircularGaugeColors, BlendsTheFlatBevels)
{
    EXPECT_EQ(DodgeColor(0xFFA9A9A9), 0xFFFFFFFF);
    EXPECT_EQ(BurnColor(0xFFA9A9A9), 0xFF545454);
    EXPECT_EQ(DodgeColor(0xFF000000), 0xFF000000);
    EXPECT_EQ(BurnColor(0xFFFFFFFF), 0xFFFFFFFF);
}

} // namespace
} // namespace zor::test
