#pragma once
// Labels that must not run into each other. Every instrument that writes
// numbers along an arc or down a column keeps them apart by the same rule:
// when the labels, drawn in their font, would touch each other (or leave the
// room they have), their font is made smaller, all by one factor, until every
// two of them stay apart by a third of their height, about a space. A label keeps its place:
// its box grows and shrinks about its anchor (for text anchored in its
// middle, the middle of its baseline).

#include <QPointF>
#include <QRectF>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace zor {

class TSVGCustomText;
class TSVGGraphicElement;

struct TLabelBox {
    // The label's ink as drawn at its font's size.
    QRectF Box;
    // The point the box keeps when the font changes.
    QPointF Anchor;
    // Where the label must stay, when it has a place of its own.
    std::optional<QRectF> Room;
};

// The share of a label's height that keeps it apart from its neighbours.
inline constexpr double LabelSpacing = 1.0 / 3;
// The smallest factor the rule gives: labels whose anchors (nearly) coincide
// cannot be kept apart, and are drawn this small instead of not at all.
inline constexpr double SmallestLabelScale = 1.0 / 32;

// The largest factor, at most 1, by which every label's box may grow about
// its anchor with the others staying LabelSpacing × their height apart and
// each that far within its room; 1 when they are apart already.
double FittingLabelScale(std::span<const TLabelBox> Labels);

// Labels along a circle of Radius, laid out as if the circle were unrolled:
// label i sits at Angles[i] (degrees) and covers Advances[i] along the circle,
// from Ascent above its baseline to Descent below it. The first label comes
// again one turn on, so that the last and the first are neighbours too.
std::vector<TLabelBox> CircleLabelBoxes(std::span<const double> Angles, std::span<const double> Advances,
                                        double Radius, double Ascent, double Descent);

// The box of an upright text anchored at its first position, as it is drawn
// now; an empty box when it is not displayed.
TLabelBox TextLabelBox(const TSVGCustomText& Text, std::optional<QRectF> Room = std::nullopt);

// The rule applied to labels drawn by SVG elements. Sized are the elements
// that carry the labels' font size, each taking its graphic parent's size
// (the size the labels were given) times the factor; Measure gives the boxes
// of the labels as drawn at that size. Returns the factor.
double FitLabelFonts(std::span<TSVGGraphicElement* const> Sized, const std::function<std::vector<TLabelBox>()>& Measure);

// The labels of a round scale: each text child of Group runs along the circle
// Circle (its bounds give the radius), centred at its angle in Angles
// (degrees, in the order of the texts). Their font is fitted on Group.
double FitCircleLabels(TSVGGraphicElement& Group, const TSVGGraphicElement& Circle, std::span<const double> Angles);

} // namespace zor
