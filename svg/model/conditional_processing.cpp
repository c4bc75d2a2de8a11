#include "svg/model/conditional_processing.h"

#include <algorithm>
#include <array>

#include "svg/values/text_utils.h"

namespace zor {

namespace {

constexpr QLatin1String FeatureNamespace("http://www.w3.org/TR/SVG11/feature#");

// The features of the standard that the renderer implements; the other 30
// (animation, scripting, filters, fonts, DOM, ...) are not supported.
constexpr std::array<QLatin1String, 13> SupportedFeatures = {
    QLatin1String("CoreAttribute"),        QLatin1String("Structure"),
    QLatin1String("BasicStructure"),       QLatin1String("ConditionalProcessing"),
    QLatin1String("Style"),                QLatin1String("Shape"),
    QLatin1String("BasicText"),            QLatin1String("BasicPaintAttribute"),
    QLatin1String("OpacityAttribute"),     QLatin1String("BasicGraphicsAttribute"),
    QLatin1String("Marker"),               QLatin1String("Gradient"),
    QLatin1String("Clip")};

bool IsSubtagSeparator(QChar c)
{
    return c == u'-' || c == u'_';
}

} // namespace

QStringList SplitLanguageList(QStringView Text)
{
    return SplitTrimmed(Text, u", \t\r\n");
}

bool LanguageInRange(QStringView Tag, QStringView Range)
{
    if (Range.isEmpty() || !Tag.startsWith(Range, Qt::CaseInsensitive))
        return false;
    return Tag.size() == Range.size() || IsSubtagSeparator(Tag[Range.size()]);
}

bool IsSupportedFeature(QStringView Feature)
{
    if (!Feature.startsWith(FeatureNamespace))
        return false;
    const QStringView name = Feature.sliced(FeatureNamespace.size());
    return std::ranges::any_of(SupportedFeatures, [name](QLatin1String supported) { return name == supported; });
}

} // namespace zor
