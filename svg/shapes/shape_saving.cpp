// Writing the basic shapes.

#include <initializer_list>
#include <utility>

#include "svg/model/attribute_writer.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/line.h"
#include "svg/shapes/polyline.h"
#include "svg/shapes/rectangle.h"
#include "svg/values/number_parsers.h"

namespace zor {

namespace {

// Each length when set (default 0).
void WriteGeometry(TSVGAttributeWriter& Writer,
                   std::initializer_list<std::pair<const char*, const TSVGLength*>> Lengths)
{
    for (const auto& [name, length] : Lengths)
        Writer.WriteLength(QString::fromLatin1(name), *length);
}

} // namespace

void TSVGCircle::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    WriteGeometry(Writer, {{"cx", &CenterX()}, {"cy", &CenterY()}, {"r", &WidthU()}});
}

void TSVGEllipse::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    WriteGeometry(Writer, {{"cx", &CenterX()}, {"cy", &CenterY()}, {"rx", &RadiusX()}, {"ry", &RadiusY()}});
}

void TSVGLine::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    WriteGeometry(Writer, {{"x1", &StartX()}, {"y1", &StartY()}, {"x2", &EndX()}, {"y2", &EndY()}});
}

void TSVGRectangle::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    SaveGeometry(Writer, QRectF());
    // An unspecified radius follows the other one, a written 0 would not.
    if (FRXSpecified)
        Writer.WriteAttribute(QStringLiteral("rx"), Writer.Length(RX()));
    if (FRYSpecified)
        Writer.WriteAttribute(QStringLiteral("ry"), Writer.Length(RY()));
}

void TSVGPolyline::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteAttribute(QStringLiteral("points"), FormatPoints(FPoints, Writer.FormatStr()),
                          FPoints.isEmpty() && Writer.Compact());
}

} // namespace zor
