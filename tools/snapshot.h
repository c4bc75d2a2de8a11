#pragma once
// Pictures of instruments without a window: one instrument at a size, device
// pixel ratio and value, and contact sheets of instruments with every decoration.

#include <QImage>
#include <QSize>
#include <QStringList>

namespace zor {

class TInstrumentRegistry;
class TZorSVGControl;

namespace tools {

// Control painted at Size (device-independent pixels) into an image of
// Size × PixelRatio pixels that reports PixelRatio, as a screen of that
// ratio shows it; transparent where it draws nothing.
QImage Snapshot(TZorSVGControl& Control, QSize Size, qreal PixelRatio);

struct TSheetOptions {
    // The side of each picture, in device-independent pixels.
    int CellSize = 64;
    qreal PixelRatio = 1;
    // Registry names of the instruments, one row each; every registered class
    // when empty.
    QStringList Classes;
};

// One row per instrument, one column per decoration (dcNone first), with
// the names of both along the edges, on a light backdrop.
QImage ContactSheet(const TInstrumentRegistry& Registry, const TSheetOptions& Options);

} // namespace tools
} // namespace zor
