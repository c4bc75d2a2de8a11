// Reading gradients and their stops from XML.

#include <array>
#include <cmath>

#include "svg/model/attribute_reader.h"
#include "svg/model/element_types.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

using enum TSVGGradientAttribute;

constexpr std::array<TSVGKeyword<TSVGCoordinateSystemUnit>, 2> UnitKeywords = {{
    {u"objectBoundingBox", TSVGCoordinateSystemUnit::csuObjectBoundingBox},
    {u"userSpaceOnUse", TSVGCoordinateSystemUnit::csuUserSpaceOnUse},
}};

constexpr std::array<TSVGKeyword<TSVGGradientSpread>, 3> SpreadKeywords = {{
    {u"pad", TSVGGradientSpread::gsPad},
    {u"reflect", TSVGGradientSpread::gsReflect},
    {u"repeat", TSVGGradientSpread::gsRepeat},
}};

} // namespace

void TSVGCustomGradient::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    // A gradient is placed by gradientTransform alone.
    QTransform matrix;
    reader.ReadTransform(QStringLiteral("gradientTransform"), matrix);
    SetMatrix(QTransform());
    if (reader.Has(QStringLiteral("gradientTransform")))
        SetGradientTransform(matrix);
    TSVGCoordinateSystemUnit units = FUnits;
    if (reader.ReadEnum<TSVGCoordinateSystemUnit>(QStringLiteral("gradientUnits"), UnitKeywords, units))
        SetUnits(units);
    TSVGGradientSpread spread = FSpread;
    if (reader.ReadEnum<TSVGGradientSpread>(QStringLiteral("spreadMethod"), SpreadKeywords, spread))
        SetSpread(spread);
    // Stored as it is: the gradient it names may come later in the file.
    if (const std::optional<QString> reference = reader.Href())
        FReference = *reference;
}

TSVGElement* TSVGCustomGradient::CreateChild(const TXMLNode& Node)
{
    return CreateChildOfKinds(Node, GradientChildTypes() - DescriptiveTypes());
}

bool TSVGCustomGradient::ReadGradientLength(const TSVGAttributeReader& Reader, const QString& Name,
                                            TSVGLength& Length, TSVGGradientAttribute Attribute)
{
    if (!Reader.ReadLength(Name, Length))
        return false;
    Specify(Attribute);
    return true;
}

void TSVGLinearGradient::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    ReadGradientLength(reader, QStringLiteral("x1"), *FX1, gaX1);
    ReadGradientLength(reader, QStringLiteral("y1"), *FY1, gaY1);
    ReadGradientLength(reader, QStringLiteral("x2"), *FX2, gaX2);
    ReadGradientLength(reader, QStringLiteral("y2"), *FY2, gaY2);
}

void TSVGRadialGradient::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    InitializeCircle();
    const TSVGAttributeReader reader(*this, Node);
    ReadGradientLength(reader, QStringLiteral("cx"), CenterX(), gaCenterX);
    ReadGradientLength(reader, QStringLiteral("cy"), CenterY(), gaCenterY);
    if (ReadGradientLength(reader, QStringLiteral("r"), Radius(), gaRadius))
        HeightU().Assign(&Radius());
    ReadGradientLength(reader, QStringLiteral("fx"), *FFocalX, gaFocalX);
    ReadGradientLength(reader, QStringLiteral("fy"), *FFocalY, gaFocalY);
}

void TSVGGradientStop::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    // A number or a percentage; a length with a unit is no offset.
    const std::optional<QString> text = reader.Text(QStringLiteral("offset"));
    if (!text)
        return;
    const QString trimmed = text->trimmed();
    double number = 0;
    const bool percent = trimmed.endsWith(u'%');
    if (!TryStrToFloat(percent ? QStringView(trimmed).chopped(1) : QStringView(trimmed), number) || !std::isfinite(number)) {
        reader.Refuse(QStringLiteral("offset"), *text, QStringLiteral("not a number or a percentage"));
        return;
    }
    SetOffset(float(percent ? number / 100 : number));
}

} // namespace zor
