// Finding the element drawn under a point: the same matrices, visibility
// and checks as drawing, fills by their fill rule, strokes by their outline.

#include <QPolygonF>
#include <cmath>
#include <memory>

#include "geometry/path_data.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"
#include "svg/render/clip_region.h"
#include "svg/render/transformed_path.h"

namespace zor {

namespace {

// A stroke thinner than this many canvas units is tested as this wide, so
// that a hairline can be hit at all.
constexpr double MinimumHitWidth = 3;

bool QuadContains(const QRectF& Bounds, const QTransform& M, const QPointF& Pt)
{
    return M.map(QPolygonF(Bounds)).containsPoint(Pt, Qt::OddEvenFill);
}

// The area of the stroke in the canvas, at least MinimumHitWidth wide.
QPainterPath HitStrokeOutline(const TTransformedPath& Path, const TStrokeStyle& Style)
{
    const double scale = Style.NonScaling ? 1 : StrokeScale(Path.Matrix());
    if (Style.Width * scale >= MinimumHitWidth || !(scale > 0))
        return Path.CanvasStrokeOutline(Style);
    // Widened in canvas units; its dashes would leave gaps too small to aim at.
    TStrokeStyle widened = Style;
    widened.Width = MinimumHitWidth / scale;
    widened.Dashes.clear();
    return widened.NonScaling ? StrokeOutline(Path.Canvas(), widened)
                              : Path.Matrix().map(StrokeOutline(Path.Local(), widened));
}

} // namespace

TSVGGraphicElement* TSVGGraphicElement::ElementAtPos(const QPointF& Pt, const QRectF& aRect,
                                                     TSVGFindOptions Options)
{
    return ElementAtPos(GetViewMatrix(aRect), Pt, aRect, Options);
}

TSVGGraphicElement* TSVGGraphicElement::ElementAtPos(const QTransform& aMatrix, const QPointF& Pt,
                                                     const QRectF& aRect, TSVGFindOptions Options)
{
    return IsSearched(Options) ? FindElementAtPos(aMatrix, Pt, aRect, Options) : nullptr;
}

bool TSVGGraphicElement::IsSearched(TSVGFindOptions Options)
{
    return (Options.Contains(TSVGFindOption::foFindHiddenElements) || ShouldDraw())
        && (Options.Contains(TSVGFindOption::foFindDisabled) || IsEnabled());
}

TSVGGraphicElement* TSVGGraphicElement::FindElementAtPos(const QTransform& aMatrix, const QPointF& Pt,
                                                         const QRectF& aRect, TSVGFindOptions Options)
{
    const QTransform M = Matrix() * aMatrix;
    // What the element's clip hides is not there to hit.
    if (const std::shared_ptr<const TClipRegion> clip = ClipRegion(M); clip && !clip->Contains(Pt))
        return nullptr;
    if (TSVGGraphicElement* found = ChildAtPos(M, Pt, aRect, Options))
        return found;
    return HitTestShape(M, Pt, aRect, Options);
}

TSVGGraphicElement* TSVGGraphicElement::ChildAtPos(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                                   TSVGFindOptions Options)
{
    // Topmost first: the last child is drawn last.
    const TSVGElementList& children = Items();
    for (auto child = children.end(); child != children.begin();) {
        --child;
        if (TSVGGraphicElement* graphic = (*child)->AsGraphicElement())
            if (TSVGGraphicElement* found = graphic->ElementAtPos(M, Pt, aRect, Options))
                return found;
    }
    return nullptr;
}

TSVGGraphicElement* TSVGGraphicElement::HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                                     TSVGFindOptions Options)
{
    // As drawn: a hidden element's shape is not there to hit.
    if (!Visible() && !Options.Contains(TSVGFindOption::foFindHiddenElements))
        return nullptr;
    const TZorPathData& shape = GetShape();
    if (Options.Contains(TSVGFindOption::foUseBoundingBox) || shape.IsEmpty())
        return QuadContains(BoundsRect(), M, Pt) ? DoElementFound(this) : nullptr;
    if (TSVGGraphicElement* found = HitTestPath(M, shape, Pt, Options))
        return found;
    return PlacesMarkers() ? MarkerAtPos(shape, M, Pt, aRect, Options) : nullptr;
}

TSVGGraphicElement* TSVGGraphicElement::HitTestPath(const QTransform& M, const TZorPathData& Outline,
                                                    const QPointF& Pt, TSVGFindOptions Options)
{
    const TTransformedPath& path = MappedOutline(Outline, M);
    const TStrokeStyle& style = StrokeStyle();
    const bool mayStroke = Pen().Kind() != TBrushKind::None && style.IsDrawable();
    // A point this far off the outline's control points misses it, whatever
    // the stroke; a horizontal line has a rectangle of them without height.
    const double stretch = style.NonScaling ? 1 : LargestStretch(M);
    const double reach = mayStroke ? std::max(StrokeReach(style) * stretch, MinimumHitWidth) : 0;
    if (!path.Canvas().controlPointRect().adjusted(-reach, -reach, reach, reach).contains(Pt))
        return nullptr;

    const bool stroked = mayStroke && StrokePaint().UserBrush().style() != Qt::NoBrush;
    const bool filled = Options.Contains(TSVGFindOption::foFindNonFilled)
        || FillPaint().UserBrush().style() != Qt::NoBrush;
    const bool hit = (filled && path.Canvas().contains(Pt)) || (stroked && HitStrokeOutline(path, style).contains(Pt));
    return hit ? DoElementFound(this) : nullptr;
}

TSVGGraphicElement* TSVGGraphicElement::DoElementFound(TSVGGraphicElement* Element)
{
    if (TSVGDocument* document = ReportingDocument())
        Fire(document->OnElementFound, document, Element);
    return Element;
}

} // namespace zor
