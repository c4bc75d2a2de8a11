#pragma once
// Drawing an element into a rectangle, a bitmap, or by a wrap mode (the
// routines the image controls draw with).

#include <QImage>
#include <QRectF>

#include "svg/values/bitmap_size.h"

namespace zor {

class TRenderContext;
class TSVGGraphicElement;

// A document fitted into R by its view box and aspect ratio (the host
// contract: GetViewMatrix(FitToRect(R), R)); any other element's bounds
// stretched onto R. Nothing for a null Element.
void DrawSVGElementInRect(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& R);

// Draws Element over the whole of Bitmap, every pixel from (0, 0) to its
// width and height, after clearing it to transparent with ClearFirst.
// Nothing for a null Element or a bitmap without pixels.
void DrawSVGElementToBitmap(QImage& Bitmap, TSVGGraphicElement* Element, bool ClearFirst);

// The rectangle DrawSVGElement draws into: the element's bounds with their
// width and height times Scale, at their own corner for iwOriginal and
// iwTile, fitted (never stretched, edges rounded) and centred in Target for
// iwFit, Target for iwStretch, centred in (0, 0, Target's size) for iwCenter.
QRectF GetSVGElementRect(const TSVGGraphicElement* Element, const QRectF& Target, TSVGImageWrapMode WrapMode,
                         float Scale);

// Draws Element by WrapMode: at the rectangle of GetSVGElementRect (placed at
// Target's corner for iwOriginal), or as tiles of that size from the canvas
// origin over Target for iwTile. Nothing for a null Element or one without
// width or height.
void DrawSVGElement(TRenderContext& Canvas, TSVGGraphicElement* Element, const QRectF& Target, float Scale,
                    TSVGImageWrapMode WrapMode);

} // namespace zor
