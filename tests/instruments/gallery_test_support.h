#pragma once
// What the tests of the gallery's instruments look at besides the round
// instruments' helpers: how far an element is turned, and a gradient's own
// stop colours.

#include <cmath>
#include <numbers>
#include <vector>

#include "round_instrument_support.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"

namespace zor::test {

// The angle element ID is turned by, clockwise, -180..180.
inline double TurnOf(TZorSVGControl& Control, const QString& ID)
{
    const QTransform& m = ElementOf(Control, ID)->Matrix();
    return std::atan2(m.m12(), m.m11()) * 180 / std::numbers::pi;
}

// The colours of the stops gradient ID has itself, in order.
inline std::vector<TAlphaColor> StopsOf(TZorSVGControl& Control, const char* ID)
{
    std::vector<TAlphaColor> colors;
    for (const TSVGElement* child : ElementOf<TSVGCustomGradient>(Control, QString::fromLatin1(ID))->Items())
        if (const auto* stop = dynamic_cast<const TSVGGradientStop*>(child))
            colors.push_back(stop->StopColor());
    return colors;
}

} // namespace zor::test
