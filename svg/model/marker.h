#pragma once
// The marker element: a small drawing that paths, lines, polylines and
// polygons put at the vertices of their outline (marker-start, marker-mid,
// marker-end). Its content is drawn in a viewport of markerWidth ×
// markerHeight (times the stroke width in strokeWidth units) with its
// reference point on the vertex, turned by orient. A marker is never drawn
// where it stands.

#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <optional>

#include "svg/model/viewport.h"
#include "svg/values/style_keywords.h"

namespace zor {

class TSVGMarker;

// One instance of a marker being drawn or tested on this thread. It is
// entered unless the marker is being drawn already (its content would
// re-enter it), the drawings nest TSVGMarker::MaxNesting deep, or the
// nested instances of the outermost marked element are used up.
class TMarkerExpansion {
public:
    explicit TMarkerExpansion(const TSVGMarker& Marker);
    ~TMarkerExpansion();
    TMarkerExpansion(const TMarkerExpansion&) = delete;
    TMarkerExpansion& operator=(const TMarkerExpansion&) = delete;

    bool Entered() const { return FEntered; }
    // A marked element starts placing its markers: outside every marker
    // drawing, the count of instances starts again.
    static void StartElement();

private:
    bool FEntered = false;
};

class TSVGMarker : public TSVGCustomViewBox {
    using Inherited = TSVGCustomViewBox;

public:
    // Nesting of marker drawings (a marker's content with markers of its
    // own) stops at this depth.
    static constexpr int MaxNesting = 16;
    // The instances drawn or tested inside the markers of one outermost
    // marked element, at every depth (markers whose content has markers at
    // several vertices would otherwise multiply without end); the ones
    // beyond draw nothing. The element's own instances are not counted.
    static constexpr int MaxNestedInstances = 10000;

    // Reference point 0, 0; size 3 × 3; strokeWidth units; orientation 0; a
    // view box is stretched (preserveAspectRatio none) unless the file says
    // otherwise.
    explicit TSVGMarker(TSVGDocument* aOwner);
    ~TSVGMarker() override;

    TSVGElementType SVGType() const override;

    // refX, refY: the point of the content put on the vertex, in the
    // coordinates of the view box (of the content without one).
    TSVGLength& RefX() { return *FRefX; }
    const TSVGLength& RefX() const { return *FRefX; }
    void SetRefX(const TSVGLength& Value) { FRefX->Assign(&Value); }
    TSVGLength& RefY() { return *FRefY; }
    const TSVGLength& RefY() const { return *FRefY; }
    void SetRefY(const TSVGLength& Value) { FRefY->Assign(&Value); }
    // markerWidth, markerHeight: the size of the marker viewport.
    TSVGLength& MarkerWidth() { return *FMarkerWidth; }
    const TSVGLength& MarkerWidth() const { return *FMarkerWidth; }
    void SetMarkerWidth(const TSVGLength& Value) { FMarkerWidth->Assign(&Value); }
    TSVGLength& MarkerHeight() { return *FMarkerHeight; }
    const TSVGLength& MarkerHeight() const { return *FMarkerHeight; }
    void SetMarkerHeight(const TSVGLength& Value) { FMarkerHeight->Assign(&Value); }
    // markerUnits; muNone draws as muStrokeWidth.
    TSVGMarkerUnit Units() const { return FUnits; }
    void SetUnits(TSVGMarkerUnit Value);
    // The fixed orientation in radians, used when not automatic.
    float Orientation() const { return FOrientation; }
    void SetOrientation(float Value);
    // orient="auto": turned along the outline at each vertex.
    bool AutomaticOrientation() const { return FAutomaticOrientation; }
    void SetAutomaticOrientation(bool Value);
    // orient="auto-start-reverse": automatic, and turned half a turn more at
    // the start of the outline.
    bool AutoStartReverse() const { return FAutoStartReverse; }
    void SetAutoStartReverse(bool Value);

    // The angle the marker is drawn at on a vertex whose outline direction
    // is OutlineAngle (radians).
    double InstanceAngle(double OutlineAngle, bool AtStart) const;
    // Maps the content into the referrer's user space for an instance at
    // aPoint turned by Angle, with the stroke width of the referrer; empty
    // when the instance draws nothing (a viewport without area, a view box
    // that disables drawing). ClipSpace receives the matrix of the
    // coordinates the clip rectangle ClipRect is given in.
    std::optional<QTransform> InstanceMatrix(QPointF aPoint, double Angle, double StrokeWidth, QTransform& ClipSpace,
                                             QRectF& ClipRect) const;

    // Draws one instance for Referrer, whose user space aMatrix maps into
    // the canvas: clipped to the marker viewport when overflow is hidden,
    // gray when Referrer is disabled. Nothing for an instance that would
    // re-enter a marker being drawn, nest deeper than MaxNesting or go
    // beyond MaxNestedInstances.
    void Draw(const TSVGGraphicElement& Referrer, QPointF aPoint, double Angle, double StrokeWidth,
              const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect);
    using Inherited::Draw;
    // The element of the content that an instance, placed as Draw places
    // it, shows at the canvas point PosPt; null when none does.
    TSVGGraphicElement* MarkerAtPos(QPointF aPoint, double Angle, double StrokeWidth, const QTransform& aMatrix,
                                    const QPointF& PosPt, const QRectF& aRect, TSVGFindOptions Options);

    // Drawn only through a referrer.
    bool IsRenderable() const override;
    void Clear() override;
    // From another marker also the four lengths, units and orientation.
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also refX, refY, markerWidth, markerHeight, markerUnits and orient.
    void LoadAttributes(const TXMLNode& Node) override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;

private:
    void InitializeLengths();

    std::unique_ptr<TSVGLength> FRefX;
    std::unique_ptr<TSVGLength> FRefY;
    std::unique_ptr<TSVGLength> FMarkerHeight;
    std::unique_ptr<TSVGLength> FMarkerWidth;
    TSVGMarkerUnit FUnits = TSVGMarkerUnit::muStrokeWidth;
    float FOrientation = 0;
    bool FAutomaticOrientation = false;
    bool FAutoStartReverse = false;
};

} // namespace zor
