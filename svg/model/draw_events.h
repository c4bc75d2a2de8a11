#pragma once
// The document events by which a host vetoes or watches the drawing of each
// element, and the options of the search for the element under a point.

#include <QRectF>
#include <QTransform>
#include <cstddef>

#include "platform/enum_set.h"
#include "platform/events.h"

namespace zor {

class TSVGDocument;
class TSVGElement;
class TSVGGraphicElement;
class TRenderContext;

// Sender is about to take part in drawing; DoDraw arrives with its own
// decision and may be turned off.
using TSVGShouldDrawQEvent = TEvent<TSVGElement* /*Sender*/, bool& /*DoDraw*/>;
// Before Sender's own shape is drawn under Matrix into the target rectangle
// aRect; DoDraw arrives true, and false skips the shape (not the children).
using TSVGDrawingQEvent = TEvent<TSVGGraphicElement* /*Sender*/, const QTransform& /*Matrix*/,
                                 TRenderContext& /*Canvas*/, const QRectF& /*aRect*/, bool& /*DoDraw*/>;
// After Sender and its children have been drawn.
using TSVGDrawingEvent = TEvent<TSVGGraphicElement* /*Sender*/, const QTransform& /*Matrix*/,
                                TRenderContext& /*Canvas*/, const QRectF& /*aRect*/>;
// Before a disabled Sender is turned gray; DoDefault arrives true, and false
// keeps its colours (the handler may set its own paints on the canvas).
using TSVGDrawingModificationEvent = TEvent<TSVGGraphicElement* /*Sender*/, const QTransform& /*Matrix*/,
                                            TRenderContext& /*Canvas*/, const QRectF& /*aRect*/,
                                            bool& /*DoDefault*/>;
// Element is about to be returned by a hit test; the handler may replace it.
using TSVGGraphicElementFoundEvent = TEvent<TSVGDocument* /*Sender*/, TSVGGraphicElement*& /*Element*/>;

enum class TSVGFindOption {
    foFindHiddenElements, // elements that are not drawn are searched too
    foFindGroups,         // a hit inside a group returns the group
    foFindNoRecursion,    // kept for callers; no search consults it
    foUseBoundingBox,     // an element is hit anywhere inside its transformed bounds
    foFindNonFilled,      // an element without fill is hit in its interior too
    foFindDisabled        // disabled elements are searched too
};
constexpr std::size_t EnumCount(TSVGFindOption) { return 6; }

using TSVGFindOptions = TEnumSet<TSVGFindOption>;

} // namespace zor
