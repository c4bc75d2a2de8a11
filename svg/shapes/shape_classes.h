#pragma once
// Start-up registration of the shape element classes.

namespace zor {

// Makes the basic shapes the classes of their kinds in the element
// registry, so that documents create them for their tags. Calling it again
// changes nothing.
void RegisterShapeClasses();

} // namespace zor
