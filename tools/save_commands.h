#pragma once
// The save command of zorsvg: a document written back as SVG text or in the
// binary form, which zorsvg also reads wherever it reads a document.

#include <QString>
#include <optional>

namespace zor::tools {

struct TSaveRequest {
    QString Input;  // SVG text or the binary form; "-" for standard input
    QString Output; // "-" for standard output
    bool Binary = false;
    // Lines of SVG text longer than this are split where they allow it.
    std::optional<int> SplitLines;
    // Numbers in their shortest exact form instead of the document's format.
    bool Exact = false;
    // Values equal to their defaults are written too.
    bool Full = false;
};

// Loads and writes; a failed write leaves no partial file behind.
void Save(const TSaveRequest& Request);

} // namespace zor::tools
