#pragma once
// The outlines the drawing benchmarks draw: closed shapes of lines and
// curves, 10 to 60 units across, scattered over a square canvas; the same
// ones on every run.

#include <memory>
#include <vector>

#include "geometry/path_data.h"

namespace zor::bench {

std::vector<std::unique_ptr<TZorPathData>> GeneratedPaths(int Count, double CanvasSize);

} // namespace zor::bench
