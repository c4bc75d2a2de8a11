#pragma once
// The instrument classes the tools can make by name: each entry makes a
// loaded instrument and knows how to show a value or a time on it. The
// artworks come registered as themselves (by their kind names, such as
// "circular_gauge"); instrument classes add their own entries.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "instruments/custom_instrument.h"

namespace zor {

struct TInstrumentClass {
    using TCreate = std::function<std::unique_ptr<TZorSVGCustomInstrument>()>;

    QString Name;
    // A new instrument with its artwork loaded.
    TCreate Create;
    // Shows a value; null for a class without one.
    std::function<void(TZorSVGCustomInstrument&, double)> SetValue;
    // Shows a time of day; null for a class that is no clock.
    std::function<void(TZorSVGCustomInstrument&, const QDateTime&)> SetTime;
};

// The maker of a registry entry for class T.
template <typename T>
TInstrumentClass::TCreate InstrumentMaker()
{
    return []() -> std::unique_ptr<TZorSVGCustomInstrument> { return CreateInstrument<T>(); };
}

// Shows a value through T's own Value setter.
template <typename T>
void ShowValue(TZorSVGCustomInstrument& Instrument, double Value)
{
    static_cast<T&>(Instrument).SetValue(static_cast<float>(Value));
}

// A local date and time as a day count.
double ToDateTime(const QDateTime& Value);

class TInstrumentRegistry {
public:
    // Every artwork, by its kind name; the round instruments; the gallery's
    // instruments, each by the name of its artwork.
    TInstrumentRegistry();

    // Adds Class, or replaces the entry of the same name (compared without case).
    void Register(TInstrumentClass Class);
    // The entry named Name, compared without case; null when there is none.
    const TInstrumentClass* Find(const QString& Name) const;
    QStringList Names() const;

private:
    std::vector<TInstrumentClass> FClasses;
};

} // namespace zor
