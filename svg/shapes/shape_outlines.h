#pragma once
// The outlines of the basic shapes as SVG defines their equivalent paths:
// where each starts and which way it runs matter to dashes, markers and
// anything measured along the outline.

#include <QPointF>
#include <QRectF>

namespace zor {

class TZorPathData;

// The ellipse about Center with radii Rx and Ry: from the right-hand point
// (Center.x + Rx, Center.y), clockwise on screen through the bottom, left and
// top points, closed. Nothing unless both radii are above 0.
void AddEllipseOutline(TZorPathData& Path, QPointF Center, double Rx, double Ry);

// The rectangle R with corners rounded by Rx and Ry, which the caller has
// limited to half the width and half the height: from (left + Rx, top),
// clockwise on screen, each corner a quarter ellipse, closed. A plain
// rectangle from the top-left corner when either radius is 0. Nothing
// unless R has a width and a height above 0.
void AddRoundedRectangle(TZorPathData& Path, const QRectF& R, double Rx, double Ry);

} // namespace zor
