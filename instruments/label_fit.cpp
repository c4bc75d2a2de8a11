#include "instruments/label_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

#include "svg/model/graphic_element.h"
#include "svg/shapes/text_element.h"

namespace zor {

namespace {

constexpr double Unlimited = std::numeric_limits<double>::infinity();

// The largest factor for which a box reaching Extent beyond its anchor
// (towards the other box) stays clear of a box whose anchor lies Distance
// ahead: every factor when the extent points away, none when the other
// anchor lies behind.
double LargestClearing(double Distance, double Extent)
{
    if (Extent <= 0)
        return Distance >= 0 ? Unlimited : -Unlimited;
    return Distance / Extent;
}

// The largest factor that keeps A and B apart by Gap (itself scaled along):
// apart along either axis, either way round, is enough.
double PairScale(const TLabelBox& A, const TLabelBox& B, double Gap)
{
    const QRectF a = A.Box.translated(-A.Anchor);
    const QRectF b = B.Box.translated(-B.Anchor);
    const QPointF d = B.Anchor - A.Anchor;
    const double across = std::max(LargestClearing(d.x(), a.right() - b.left() + Gap),
                                   LargestClearing(-d.x(), b.right() - a.left() + Gap));
    const double down = std::max(LargestClearing(d.y(), a.bottom() - b.top() + Gap),
                                 LargestClearing(-d.y(), b.bottom() - a.top() + Gap));
    return std::max(across, down);
}

// The largest factor that keeps the box within its room.
double RoomScale(const TLabelBox& Label)
{
    if (!Label.Room)
        return Unlimited;
    const double gap = LabelSpacing * Label.Box.height();
    const QRectF box = Label.Box.translated(-Label.Anchor).adjusted(-gap, -gap, gap, gap);
    const QRectF room = Label.Room->translated(-Label.Anchor);
    return std::min({LargestClearing(-room.left(), -box.left()), LargestClearing(room.right(), box.right()),
                     LargestClearing(-room.top(), -box.top()), LargestClearing(room.bottom(), box.bottom())});
}

bool HasInk(const TLabelBox& Label)
{
    return Label.Box.width() > 0 && Label.Box.height() > 0 && std::isfinite(Label.Box.width()) &&
           std::isfinite(Label.Box.height());
}

void SetFontSize(TSVGGraphicElement& Element, float Size)
{
    Element.EditValues({TSVGStyleProperty::ipFontSize}, [&](TSVGStyleValues& Values) { Values.Font.SetSize(Size); });
}

} // namespace

double FittingLabelScale(std::span<const TLabelBox> Labels)
{
    double scale = 1;
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        if (!HasInk(Labels[i]))
            continue;
        scale = std::min(scale, RoomScale(Labels[i]));
        for (std::size_t j = i + 1; j < Labels.size(); ++j) {
            if (!HasInk(Labels[j]))
                continue;
            const double gap = LabelSpacing * (Labels[i].Box.height() + Labels[j].Box.height()) / 2;
            scale = std::min(scale, PairScale(Labels[i], Labels[j], gap));
        }
    }
    return std::max(scale, SmallestLabelScale);
}

std::vector<TLabelBox> CircleLabelBoxes(std::span<const double> Angles, std::span<const double> Advances,
                                        double Radius, double Ascent, double Descent)
{
    const std::size_t count = std::min(Angles.size(), Advances.size());
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto reduced = [&](std::size_t i) {
        const double angle = std::fmod(Angles[i], 360.0);
        return angle < 0 ? angle + 360 : angle;
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return reduced(a) < reduced(b); });
    const double turn = 2 * std::numbers::pi * Radius;
    std::vector<TLabelBox> boxes;
    boxes.reserve(count + 1);
    for (std::size_t i : order) {
        const double along = reduced(i) / 360 * turn;
        boxes.push_back({QRectF(along - Advances[i] / 2, -Ascent, Advances[i], Ascent + Descent), QPointF(along, 0),
                         std::nullopt});
    }
    if (!boxes.empty()) {
        TLabelBox again = boxes.front();
        again.Box.translate(turn, 0);
        again.Anchor.rx() += turn;
        boxes.push_back(again);
    }
    return boxes;
}

TLabelBox TextLabelBox(const TSVGCustomText& Text, std::optional<QRectF> Room)
{
    const QPointF anchor(Text.GetXAt(0), Text.GetYAt(0));
    return {Text.IsDisplayed() ? Text.BoundsRect() : QRectF(anchor, QSizeF()), anchor, Room};
}

double FitLabelFonts(std::span<TSVGGraphicElement* const> Sized, const std::function<std::vector<TLabelBox>()>& Measure)
{
    std::vector<float> designed;
    designed.reserve(Sized.size());
    for (TSVGGraphicElement* element : Sized) {
        const TSVGGraphicElement* parent = element->GetGraphicParent();
        const float size = parent != nullptr ? parent->Font().Size() : element->Font().Size();
        SetFontSize(*element, size);
        designed.push_back(size);
    }
    const double scale = FittingLabelScale(Measure());
    if (scale < 1)
        for (std::size_t i = 0; i < Sized.size(); ++i)
            SetFontSize(*Sized[i], static_cast<float>(designed[i] * scale));
    return scale;
}

double FitCircleLabels(TSVGGraphicElement& Group, const TSVGGraphicElement& Circle, std::span<const double> Angles)
{
    // Glyphs reach about four fifths of the font size above their baseline
    // and a fifth below it.
    constexpr double AscentShare = 0.8;
    constexpr double DescentShare = 0.2;
    TSVGGraphicElement* const sized[] = {&Group};
    return FitLabelFonts(sized, [&] {
        std::vector<double> advances;
        for (TSVGElement* child : Group.Items())
            if (const auto* text = dynamic_cast<const TSVGCustomText*>(child))
                advances.push_back(text->TextAdvance());
        const double size = Group.Font().Size();
        const double radius = Circle.BoundsRect().width() / 2;
        return CircleLabelBoxes(Angles, advances, radius, AscentShare * size, DescentShare * size);
    });
}

} // namespace zor
