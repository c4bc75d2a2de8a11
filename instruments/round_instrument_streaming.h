#pragma once
// The nine round instruments for component streaming: the stored
// properties each class publishes, in the order a stored layout sets them
// (ranges before values, so that a value is never clamped by a range that
// is about to change), with each class's defaults and stored rules.

namespace zor {

class TStreamRegistry;

// Needs RegisterInstrumentStreamClasses first.
void RegisterRoundInstrumentStreamClasses(TStreamRegistry& Registry);

} // namespace zor
