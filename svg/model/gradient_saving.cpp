// Writing gradients and their stops. A gradient writes only the attributes
// it was given: the others come from the gradients its href names.

#include "svg/model/attribute_writer.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/values/style_keywords.h"
#include "svg/values/transform_parser.h"

namespace zor {

using enum TSVGGradientAttribute;

namespace {

struct TGradientLength {
    const char* Name;
    const TSVGLength& Length;
    TSVGGradientAttribute Attribute;
};

void WriteSpecifiedLengths(const TSVGCustomGradient& Gradient, TSVGAttributeWriter& Writer,
                           std::initializer_list<TGradientLength> Lengths)
{
    for (const TGradientLength& length : Lengths)
        if (Gradient.Specified().Contains(length.Attribute))
            Writer.WriteAttribute(QString::fromLatin1(length.Name), Writer.Length(length.Length));
}

} // namespace

void TSVGCustomGradient::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    if (FSpecified.Contains(gaUnits))
        Writer.WriteAttribute(QStringLiteral("gradientUnits"), KeywordOf(FUnits));
    if (FSpecified.Contains(gaSpread))
        Writer.WriteAttribute(QStringLiteral("spreadMethod"), KeywordOf(FSpread));
    Writer.WriteHref(FReference);
}

void TSVGCustomGradient::SaveTransform(TSVGAttributeWriter& Writer) const
{
    if (!FSpecified.Contains(gaTransform))
        return;
    // A given identity still hides the transform of the gradients it names.
    const QString text = TransformToString(GradientTransform());
    Writer.WriteAttribute(QStringLiteral("gradientTransform"), text.isEmpty() ? QStringLiteral("translate(0)") : text);
}

void TSVGLinearGradient::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    WriteSpecifiedLengths(*this, Writer, {{"x1", *FX1, gaX1}, {"y1", *FY1, gaY1}, {"x2", *FX2, gaX2}, {"y2", *FY2, gaY2}});
}

void TSVGRadialGradient::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    WriteSpecifiedLengths(*this, Writer,
                          {{"cx", CenterX(), gaCenterX},
                           {"cy", CenterY(), gaCenterY},
                           {"r", Radius(), gaRadius},
                           {"fx", *FFocalX, gaFocalX},
                           {"fy", *FFocalY, gaFocalY}});
}

void TSVGGradientStop::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteNumber(QStringLiteral("offset"), FOffset, 0);
}

} // namespace zor
