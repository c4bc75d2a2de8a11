// What a change repaints: an instrument repaints the area its change covers
// and draws again only that area of its live picture, and what the screen
// then shows is what a paint of the whole instrument shows.

#include <gtest/gtest.h>

#include <QBackingStore>
#include <QWidget>

#include "instruments/instrument_accessibility.h"
#include "instruments/instrument_registry.h"
#include "round_instrument_support.h"

namespace zor::test {
namespace {

// Fractions of the range, up and down, small steps and large.
constexpr double Steps[] = {0.1, 0.35, 0.33, 0.8, 0.05, 0.06};

// The instrument's value interface, when it shows a value in a range.
IInstrumentAccessibility* RangeOf(TZorSVGCustomInstrument& Instrument)
{
    auto* range = dynamic_cast<IInstrumentAccessibility*>(&Instrument);
    return range != nullptr && range->HasAccessibleRange() ? range : nullptr;
}

void ShowStep(IInstrumentAccessibility& Range, double Fraction)
{
    Range.SetAccessibleValue(Range.AccessibleMinimum() + Fraction * (Range.AccessibleMaximum() - Range.AccessibleMinimum()));
}

// The window's pixels as its repaints left them.
QImage OnScreen(QWidget& Window)
{
    const auto* pixels = dynamic_cast<const QImage*>(Window.backingStore()->paintDevice());
    return pixels != nullptr ? pixels->copy() : QImage();
}

TEST(PartialRepaint, TheScreenAfterAChangeShowsAPaintOfTheWhole)
{
    const TInstrumentRegistry registry;
    for (const QString& name : registry.Names()) {
        SCOPED_TRACE(name.toStdString());
        QWidget window;
        window.resize(240, 240);
        const std::unique_ptr<TZorSVGCustomInstrument> instrument = registry.Find(name)->Create();
        IInstrumentAccessibility* range = RangeOf(*instrument);
        if (range == nullptr)
            continue;
        instrument->setParent(&window);
        instrument->setGeometry(20, 20, 200, 200);
        window.show();
        ProcessEventsFor(20);
        for (const double step : Steps) {
            SCOPED_TRACE(step);
            ShowStep(*range, step);
            // Long enough for the repaints that wait for the screen's refresh.
            ProcessEventsFor(25);
            const QImage screen = OnScreen(window);
            ASSERT_FALSE(screen.isNull());
            const QImage whole = window.grab().toImage().convertToFormat(screen.format());
            EXPECT_EQ(LargestDifference(screen.copy(instrument->geometry()), whole.copy(instrument->geometry())), 0);
        }
    }
}

// A live part drawn again in parts (the column that rises and falls, the
// digits that switch, the level that grows beyond where it reached) gives
// the picture of one drawn whole at once.
TEST(PartialRepaint, ALivePictureDrawnAgainInPartsIsThePictureDrawnWhole)
{
    const TInstrumentRegistry registry;
    for (const char* name : {"thermometer", "clock_digital", "battery_modern"}) {
        SCOPED_TRACE(name);
        const TInstrumentClass* entry = registry.Find(QString::fromLatin1(name));
        const std::unique_ptr<TZorSVGCustomInstrument> moved = entry->Create();
        moved->resize(150, 150);
        ShowStep(*RangeOf(*moved), 0);
        Picture(*moved);
        for (const double step : Steps) {
            SCOPED_TRACE(step);
            ShowStep(*RangeOf(*moved), step);
            const std::unique_ptr<TZorSVGCustomInstrument> fresh = entry->Create();
            fresh->resize(150, 150);
            ShowStep(*RangeOf(*fresh), step);

            EXPECT_LE(LargestDifference(Picture(*moved), Picture(*fresh)), 1);
        }
    }
}

} // namespace
} // namespace zor::test
