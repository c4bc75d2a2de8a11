#pragma once
// The artwork command of zorsvg: checks an SVG file against the contract of
// an instrument's artwork.

#include <QString>
#include <QTextStream>

namespace zor::tools {

// Lists what the file at FileName lacks, has misplaced or has more than once
// for an artwork of kind Kind ("circular_gauge", or the resource name);
// 0 when it keeps the contract, 1 when it does not. Raises for an unknown
// kind or a file that cannot be read.
int CheckArtworkFile(const QString& Kind, const QString& FileName, QTextStream& Out);

} // namespace zor::tools
