#pragma once
// The reduction of a supersampled picture to the pixels it is shown at.

#include <QImage>
#include <QSize>

namespace zor {

// Image reduced to Size by area averaging, as Qt's smooth scaling does. A
// premultiplied picture reduced by one power of two in both directions is
// the mean of each block of pixels, rounded down: that is what the smooth
// scaling gives there too, and it is computed here directly, several times
// faster. Any other reduction is left to the smooth scaling.
QImage ReducedImage(const QImage& Image, QSize Size);

} // namespace zor
