// Reading the basic shapes from XML.

#include <initializer_list>
#include <utility>

#include "svg/model/attribute_reader.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/line.h"
#include "svg/shapes/polyline.h"
#include "svg/shapes/rectangle.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"

namespace zor {

namespace {

// Each length starts from 0 and reads its attribute when given: the
// graphic element may have read x, y, width or height into them.
void ReadGeometry(const TSVGAttributeReader& Reader, std::initializer_list<std::pair<const char*, TSVGLength*>> Lengths)
{
    for (const auto& [name, length] : Lengths) {
        length->Clear();
        Reader.ReadLength(QString::fromLatin1(name), *length);
    }
}

} // namespace

void TSVGCircle::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    ReadGeometry(reader, {{"cx", &CenterX()}, {"cy", &CenterY()}, {"r", &WidthU()}});
    HeightU().Assign(&WidthU());
}

void TSVGEllipse::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    ReadGeometry(reader, {{"cx", &CenterX()}, {"cy", &CenterY()}, {"rx", &RadiusX()}, {"ry", &RadiusY()}});
}

void TSVGLine::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    ReadGeometry(reader, {{"x1", &StartX()}, {"y1", &StartY()}, {"x2", &EndX()}, {"y2", &EndY()}});
}

void TSVGRectangle::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    SetRXSpecified(reader.ReadLength(QStringLiteral("rx"), [this]() -> TSVGLength& { return RX(); }));
    SetRYSpecified(reader.ReadLength(QStringLiteral("ry"), [this]() -> TSVGLength& { return RY(); }));
}

void TSVGPolyline::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    const std::optional<QString> text = reader.Text(QStringLiteral("points"));
    if (!text)
        return;
    const QStringList numbers = SplitNumbers(text->trimmed());
    TCanvasPoints points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2) {
        double x = 0;
        double y = 0;
        if (!TryStrToFloat(numbers[i], x) || !TryStrToFloat(numbers[i + 1], y)) {
            reader.Refuse(QStringLiteral("points"), *text, QStringLiteral("not a list of numbers"));
            break;
        }
        points << QPointF(x, y);
    }
    SetPoints(points);
}

} // namespace zor
