#pragma once
// The geometry of a stroke (width, caps, joins, dashes) in the stroked
// element's user units, read from its pen, and the two ways it reaches the
// canvas: a pen on the transformed path where the element's matrix keeps
// shapes (rotation, mirroring and uniform scale), and otherwise an outline
// made in the element's own coordinates and then transformed.

#include <QPainterPath>
#include <QPen>
#include <QSizeF>
#include <QTransform>
#include <optional>
#include <vector>

#include "svg/values/pen.h"
#include "svg/values/style_keywords.h"

namespace zor {

struct TStrokeStyle {
    double Width = 1;
    TStrokeCap Cap = TStrokeCap::Flat;
    TStrokeJoin Join = TStrokeJoin::Miter;
    // The longest miter as a multiple of the width, as SVG measures it.
    double MiterLimit = TSVGPen::DefaultMiterLimit;
    // Dash and gap lengths, alternating; empty for a solid stroke.
    std::vector<double> Dashes;
    double DashOffset = 0;
    // vector-effect: non-scaling-stroke; the width, dashes and offset are
    // then in canvas units.
    bool NonScaling = false;

    // A stroke of positive, finite width.
    bool IsDrawable() const;
    friend bool operator==(const TStrokeStyle&, const TStrokeStyle&) = default;
};

// The stroke of Pen. A percentage width or dash entry is a fraction of the
// nearest view box's normalised diagonal, sqrt((w² + h²) / 2), when there is
// one. A dash list that cannot be drawn (an entry that is negative or not
// finite, or nothing but zeros) gives a solid stroke.
TStrokeStyle StrokeStyleOf(const TSVGPen& Pen, TSVGVectorEffect VectorEffect,
                           const std::optional<QSizeF>& NearestViewBox);

// How much M scales lengths, whatever it rotates: sqrt(|m11·m22 − m12·m21|).
double StrokeScale(const QTransform& M);
// True when M scales every direction alike (a similarity): a stroke scaled
// by StrokeScale is then exactly the transformed stroke.
bool IsUniformScale(const QTransform& M);
// The largest factor by which M stretches any direction.
double LargestStretch(const QTransform& M);
// How far the stroke can reach beyond the path, in the element's units.
double StrokeReach(const TStrokeStyle& Style);

// The pen for the path already mapped into the canvas by a uniform matrix of
// StrokeScale Scale: width × Scale, dashes and offset as multiples of the
// pen width, as the painter measures them.
QPen CanvasPen(const TStrokeStyle& Style, double Scale, const QBrush& Brush);
// The area the stroke covers around Path, in Path's own coordinates; fill it
// with the non-zero rule.
QPainterPath StrokeOutline(const QPainterPath& Path, const TStrokeStyle& Style);

} // namespace zor
