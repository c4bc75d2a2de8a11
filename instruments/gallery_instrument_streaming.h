#pragma once
// The gallery's instruments beyond the round ones for component streaming:
// the stored properties each class publishes, in the order a stored layout
// sets them (ranges before values, the moving part's mode before its
// heading), with each class's defaults and stored rules.

namespace zor {

class TStreamRegistry;

// Needs RegisterInstrumentStreamClasses first.
void RegisterGalleryInstrumentStreamClasses(TStreamRegistry& Registry);

} // namespace zor
