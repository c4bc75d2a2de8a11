// The gallery's instruments as a family: each is in the tools' registry,
// publishes every property with a notification, draws, and tells assistive
// technology what it shows.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMetaProperty>

#include "instruments/artwork_instrument.h"
#include "instruments/instrument_registry.h"
#include "instruments/lights.h"
#include "round_instrument_support.h"
#include "svg/render/render_context.h"

namespace zor::test {
namespace {

const char* const GalleryClasses[] = {"traffic_light",  "cube_light",  "speedometer",
                                      "battery",        "battery_modern", "thermometer",
                                      "compass_metallic", "clock_classic", "clock_digital"};

TEST(GalleryInstruments, EveryOneIsRegisteredNotifiesAndDraws)
{
    const TInstrumentRegistry registry;
    for (const char* name : GalleryClasses) {
        SCOPED_TRACE(name);
        const TInstrumentClass* entry = registry.Find(QString::fromLatin1(name));
        ASSERT_NE(entry, nullptr);
        std::unique_ptr<TZorSVGCustomInstrument> instrument = entry->Create();
        EXPECT_EQ(dynamic_cast<TZorArtworkInstrument*>(instrument.get()), nullptr);
        const QMetaObject& meta = *instrument->metaObject();
        for (int i = TZorSVGControl::staticMetaObject.propertyOffset(); i < meta.propertyCount(); ++i)
            EXPECT_TRUE(meta.property(i).hasNotifySignal()) << meta.property(i).name();
        if (entry->SetValue)
            entry->SetValue(*instrument, 1);
        if (entry->SetTime)
            entry->SetTime(*instrument, QDateTime(QDate(2024, 5, 1), QTime(10, 9, 8)));
        instrument->resize(64, 64);
        const QImage picture = Picture(*instrument);
        EXPECT_GT(qAlpha(picture.pixel(32, 32)), 0);
        EXPECT_TRUE(instrument->LastPaintError().isEmpty());
        EXPECT_EQ(instrument->sizeHint().isValid(), true);
    }
}

TEST(GalleryInstruments, AssistiveTechnologyReadsWhatTheyShow)
{
    const TInstrumentRegistry registry;
    const struct {
        const char* Name;
        bool HasRange;
        const char* Text;
    } expected[] = {
        {"traffic_light", false, "Red"},   {"cube_light", false, "On"},
        {"speedometer", true, "0"},        {"battery", true, "0"},
        {"thermometer", true, "0"},        {"compass_metallic", true, "0° 0′ 0″"},
        {"clock_digital", true, "12:00 AM"},
    };
    for (const auto& row : expected) {
        SCOPED_TRACE(row.Name);
        std::unique_ptr<TZorSVGCustomInstrument> instrument = registry.Find(QString::fromLatin1(row.Name))->Create();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(instrument.get());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Value), QString::fromUtf8(row.Text));
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty());
        EXPECT_EQ(accessible->valueInterface() != nullptr, row.HasRange);
    }
    auto light = CreateInstrument<TZorTrafficLight>();
    light->SetLights({TTrafficLightLamp::ltRed, TTrafficLightLamp::ltYellow, TTrafficLightLamp::ltGreen});
    EXPECT_EQ(QAccessible::queryAccessibleInterface(light.get())->text(QAccessible::Value),
              "Red, yellow and green");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(light.get())->role(), QAccessible::Indicator);
}

} // namespace
} // namespace zor::test

namespace zor::test {
namespace {

// The share of pixels in which A and B differ by more than a quarter of a
// channel's range.
double ShareUnlike(const QImage& A, const QImage& B)
{
    int unlike = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            const QRgb a = A.pixel(x, y);
            const QRgb b = B.pixel(x, y);
            const int most = std::max({std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                                       std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            unlike += most > 64;
        }
    return double(unlike) / (A.width() * A.height());
}

// However a value was reached, the picture shows it: the live part's
// pictures, kept between paints, never show an earlier value.
TEST(GalleryInstruments, APaintShowsTheValueNotAnEarlierOne)
{
    const TInstrumentRegistry registry;
    const QDateTime morning(QDate(2024, 5, 1), QTime(7, 5, 0));
    const QDateTime evening(QDate(2024, 5, 1), QTime(19, 41, 30));
    for (const char* name : GalleryClasses) {
        SCOPED_TRACE(name);
        const TInstrumentClass* entry = registry.Find(QString::fromLatin1(name));
        const auto show = [&](TZorSVGCustomInstrument& Instrument, bool Late) {
            if (entry->SetValue)
                entry->SetValue(Instrument, Late ? 5 : 0);
            if (entry->SetTime)
                entry->SetTime(Instrument, Late ? evening : morning);
        };
        std::unique_ptr<TZorSVGCustomInstrument> moved = entry->Create();
        moved->resize(120, 120);
        show(*moved, false);
        Picture(*moved);
        show(*moved, true);
        std::unique_ptr<TZorSVGCustomInstrument> fresh = entry->Create();
        fresh->resize(120, 120);
        show(*fresh, true);
        EXPECT_LT(ShareUnlike(Picture(*moved), Picture(*fresh)), 0.01);
    }
}

// Whether Element is Ancestor or lies inside it.
bool IsWithin(const TSVGElement* Element, const TSVGElement* Ancestor)
{
    for (; Element != nullptr; Element = Element->Parent())
        if (Element == Ancestor)
            return true;
    return false;
}

// A listener to the drawing events sees the live part drawn at every paint,
// and what it decides shows: the pictures kept of the live part stand aside
// for it, as they do for the round instruments. Drawn as vectors, the live
// part differs from its turned or squeezed picture only along a few edges.
TEST(GalleryInstruments, AListenerToTheDrawingEventsDecidesEveryPaint)
{
    const TInstrumentRegistry registry;
    for (const char* name : GalleryClasses) {
        SCOPED_TRACE(name);
        const TInstrumentClass* entry = registry.Find(QString::fromLatin1(name));
        std::unique_ptr<TZorSVGCustomInstrument> instrument = entry->Create();
        // Half full: an empty level draws nothing to turn away.
        if (entry->SetValue)
            entry->SetValue(*instrument, 50);
        instrument->resize(120, 120);
        const QImage shown = Picture(*instrument);
        const TSVGGraphicElement* live = instrument->ActiveSVGElement();
        ASSERT_NE(live, nullptr);

        int told = 0;
        instrument->OnDrawn() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&) {
            told += Sender == live;
        };
        EXPECT_LT(ShareUnlike(Picture(*instrument), shown), 0.01);
        EXPECT_LT(ShareUnlike(Picture(*instrument), shown), 0.01);
        EXPECT_EQ(told, 2);
        instrument->OnDrawn() = nullptr;

        // Turned away, by either event, the live part is missing at once.
        instrument->OnDrawing() = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&,
                                      bool& DoDraw) { DoDraw = DoDraw && !IsWithin(Sender, live); };
        const QImage withoutByDrawing = Picture(*instrument);
        EXPECT_GT(LargestDifference(withoutByDrawing, shown), 64);
        instrument->OnDrawing() = nullptr;
        instrument->SVG().OnShouldDraw = [&](TSVGElement* Sender, bool& DoDraw) {
            DoDraw = DoDraw && Sender != live;
        };
        EXPECT_LT(ShareUnlike(Picture(*instrument), withoutByDrawing), 0.01);
        instrument->SVG().OnShouldDraw = nullptr;

        EXPECT_LT(ShareUnlike(Picture(*instrument), shown), 0.01);
    }
}

} // namespace
} // namespace zor::test
