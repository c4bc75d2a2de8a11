#pragma once
// The instrument layer's classes for component streaming: "TFont", and the
// abstract "TZorSVGControl" and "TZorSVGCustomInstrument" with the stored
// properties, events and children (the animations that drive an instrument)
// every instrument shares. Instrument classes register below them with
// InstrumentFactory, so that a stored layout or a copy makes them as
// CreateInstrument does: constructed, artwork loaded, then the stored values
// through the setters.

#include <QWidget>
#include <memory>
#include <span>

#include "instruments/custom_instrument.h"
#include "platform/stream_classes.h"

namespace zor {

// Needs RegisterControlClass first (platform/control.h).
void RegisterInstrumentStreamClasses(TStreamRegistry& Registry);

// The names of TSVGDesign and TFontStyle, as streams write them.
std::span<const char* const> DesignNames();
std::span<const char* const> FontStyleNames();

// Makes a T with its artwork loaded, a child of Owner when Owner is a widget.
template <typename T>
TStreamClass::TFactory InstrumentFactory()
{
    return [](TPersistent* Owner) -> std::unique_ptr<TPersistent> {
        std::unique_ptr<T> instrument = CreateInstrument<T>();
        if (auto* parent = dynamic_cast<QWidget*>(Owner))
            instrument->setParent(parent);
        return instrument;
    };
}

} // namespace zor
