#include "svg/model/paint_server.h"

#include <cmath>

#include "svg/model/graphic_element.h"
#include "svg/model/viewport.h"
#include "svg/values/lengths.h"

namespace zor {

TPaintServerSpace::TPaintServerSpace(TSVGCoordinateSystemUnit Units, const TSVGGraphicElement& Referrer)
    : FUserSpace(Units == TSVGCoordinateSystemUnit::csuUserSpaceOnUse)
{
    if (!FUserSpace)
        return;
    if (const TSVGCustomViewBox* viewport = Referrer.GetNearestViewBox())
        FBase = viewport->ViewBox().Rect().size();
}

double TPaintServerSpace::X(const TSVGLength& Length) const
{
    return Measured(Length, FBase.width());
}

double TPaintServerSpace::Y(const TSVGLength& Length) const
{
    return Measured(Length, FBase.height());
}

double TPaintServerSpace::Radius(const TSVGLength& Length) const
{
    const double w = FBase.width();
    const double h = FBase.height();
    return Measured(Length, std::sqrt((w * w + h * h) / 2));
}

double TPaintServerSpace::Measured(const TSVGLength& Length, double Base) const
{
    // Pixels of a percentage is its fraction.
    return FUserSpace && Length.IsPercent() ? Length.Pixels() * Base : Length.Pixels();
}

} // namespace zor
