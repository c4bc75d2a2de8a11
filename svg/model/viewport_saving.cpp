// Writing the viewports that other elements use: markers, patterns and
// images.

#include <numbers>

#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/model/marker.h"
#include "svg/model/pattern.h"
#include "svg/values/style_keywords.h"
#include "svg/values/transform_parser.h"

namespace zor {

namespace {

const QString AspectRatioName = QStringLiteral("preserveAspectRatio");

} // namespace

void TSVGMarker::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteLength(QStringLiteral("refX"), *FRefX);
    Writer.WriteLength(QStringLiteral("refY"), *FRefY);
    // Written always: the default size is 3 × 3, not 0.
    Writer.WriteAttribute(QStringLiteral("markerWidth"), Writer.Length(*FMarkerWidth));
    Writer.WriteAttribute(QStringLiteral("markerHeight"), Writer.Length(*FMarkerHeight));
    Writer.WriteAttribute(QStringLiteral("markerUnits"), KeywordOf(FUnits), FUnits == TSVGMarkerUnit::muNone);
    if (FAutomaticOrientation)
        Writer.WriteAttribute(QStringLiteral("orient"),
                              FAutoStartReverse ? QStringLiteral("auto-start-reverse") : QStringLiteral("auto"));
    else
        // Degrees without a unit read back as the same angle.
        Writer.WriteNumber(QStringLiteral("orient"), FOrientation * 180 / std::numbers::pi, 0);
}

TSVGCustomGroup::TSVGGeometryDefaults TSVGMarker::GeometryDefaults() const
{
    return {QRectF(X(), Y(), Width(), Height()), false};
}

void TSVGPattern::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    // Only what the pattern was given: the rest comes from the patterns its
    // href names.
    constexpr std::pair<const char*, TSVGPatternAttribute> lengths[] = {
        {"x", TSVGPatternAttribute::paX},
        {"y", TSVGPatternAttribute::paY},
        {"width", TSVGPatternAttribute::paWidth},
        {"height", TSVGPatternAttribute::paHeight}};
    const TSVGLength* values[] = {&Xu(), &Yu(), &WidthU(), &HeightU()};
    for (std::size_t i = 0; i < std::size(lengths); ++i)
        Writer.WriteAttribute(QString::fromLatin1(lengths[i].first), Writer.Length(*values[i]),
                              !FSpecified.Contains(lengths[i].second));
    if (FSpecified.Contains(TSVGPatternAttribute::paAspectRatio))
        Writer.WriteAttribute(AspectRatioName, AspectRatio().ToString(Writer.Compact()));
    if (FSpecified.Contains(TSVGPatternAttribute::paUnits))
        Writer.WriteAttribute(QStringLiteral("patternUnits"), KeywordOf(FUnits));
    if (FSpecified.Contains(TSVGPatternAttribute::paContentUnits))
        Writer.WriteAttribute(QStringLiteral("patternContentUnits"), KeywordOf(FContentUnits));
    Writer.WriteHref(FReference);
}

void TSVGPattern::SaveTransform(TSVGAttributeWriter& Writer) const
{
    if (!FSpecified.Contains(TSVGPatternAttribute::paTransform))
        return;
    // A given identity still hides the transform of the patterns it names.
    const QString text = TransformToString(FPatternMatrix);
    Writer.WriteAttribute(QStringLiteral("patternTransform"), text.isEmpty() ? QStringLiteral("translate(0)") : text);
}

} // namespace zor
