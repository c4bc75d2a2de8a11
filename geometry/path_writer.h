#pragma once
// Writing a path as SVG path text.

#include <QString>
#include <functional>

#include "geometry/path_types.h"

namespace zor {

// Calls Emit with the text of each entry in order, numbers written with
// Format and "." as the decimal point: a move as "M" x "," y " ", a line as
// "L" x "," y " ", a curve (its three entries at once) as
// "C" x1 "," y1 " " x2 "," y2 " " x3 "," y3 " ", a close as "Z ".
void WritePathEntries(const TPathPoints& Points, const QString& Format,
                      const std::function<void(const QString&)>& Emit);

} // namespace zor
