#pragma once
// Large generated SVG documents: flat files of small rectangles and many
// paths in groups, so that the cost of each element shows as files grow.

#include <QByteArray>
#include <QString>
#include <vector>

namespace zor::bench {

struct TLargeDocument {
    QString Name;
    // Elements drawn (rect or path); the groups around paths not counted.
    int Elements = 0;
    QByteArray Text;
};

// Count rectangles of a few pixels, each with its position and size and
// nothing else, on a 2000 × 1500 canvas: about 52 bytes an element.
TLargeDocument FlatRectangles(int Count);
// Count paths of a few straight and curved segments in groups of 100, each
// group with a fill, a stroke and a translation of its own.
TLargeDocument PathsInGroups(int Count);

// The documents large_documents_bench measures, smallest first.
std::vector<TLargeDocument> LargeDocuments();

} // namespace zor::bench
