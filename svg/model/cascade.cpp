#include "svg/model/cascade.h"

#include <algorithm>
#include <ranges>

#include "svg/model/element.h"
#include "svg/model/selector.h"
#include "svg/model/style_sheet.h"
#include "svg/values/reference_parsers.h"
#include "svg/values/style_value_copy.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

using enum TSVGStyleProperty;

static_assert(TSVGSpecificity::PriorityLimit <= cascade_priority::OwnStyle, "the own style is above every rule");
static_assert(cascade_priority::Important + TSVGSpecificity::PriorityLimit <= cascade_priority::ImportantOwnStyle,
              "important rules stay below the important own style");

bool HasDeclarations(const TSVGStyle& Style, bool Important)
{
    return std::ranges::any_of(Style.Declarations(),
                               [Important](const TSVGStyle::TDeclaration& d) { return d.Important == Important; });
}

// A fill or stroke names its whole paint: a paint server of an earlier
// source must not survive a plain colour of a later one. A refused value
// leaves the paint as it was.
template <typename TPaint>
void ReadPaint(TSVGElement& Element, TPaint& Paint, TSVGStyleValues& Values, TSVGStyleProperty Property,
               QStringView Text, const TSVGStyleContext& Context)
{
    const QString previous = Paint.URI();
    if (!Text.isEmpty() && Text != u"inherit")
        Paint.SetURI({});
    if (!Element.ReadStyleProperty(Values, Property, Text, Context))
        Paint.SetURI(previous);
}

void ApplyDeclaration(TSVGElement& Element, TSVGStyleValues& Values, const TSVGStyle::TDeclaration& Declaration,
                      const TSVGStyleContext& Context)
{
    const QStringView text = TrimBlanks(Declaration.Value);
    if (Declaration.Property == ipFill)
        ReadPaint(Element, Values.Brush, Values, ipFill, text, Context);
    else if (Declaration.Property == ipStroke)
        ReadPaint(Element, Values.Pen, Values, ipStroke, text, Context);
    else
        Element.ReadStyleProperty(Values, Declaration.Property, text, Context);
    // "font: inherit" makes every font longhand inherit, not only the shorthand.
    if (Declaration.Property == ipFont && text == u"inherit")
        Values.Inherits = Values.Inherits | StylePropertyLonghands(ipFont);
}

} // namespace

TSVGCascade::TSVGCascade(const TSVGElement& Element, const TSVGStyle& Attributes,
                         const std::vector<const TSVGStyleSheet*>& Sheets, const TSVGStyle& OwnStyle)
{
    struct TMatch {
        const TSVGStyle* Rule;
        int Priority;
    };
    std::vector<TMatch> matches;
    for (const TSVGStyleSheet* sheet : Sheets)
        for (const TSVGStyle* rule : sheet->Candidates(Element))
            if (rule->Enabled() && !rule->Declarations().empty())
                if (const int priority = rule->Selector().Match(Element); priority >= 0)
                    matches.push_back({rule, priority});

    // Sources in order of priority, lowest (applied first) first; among rules
    // of equal priority the earlier rule first, so that a later one wins, as
    // in CSS. A stable sort keeps that order of the rules.
    struct TSource {
        int Priority;
        TSVGStyleLayer Layer;
    };
    std::vector<TSource> sources;
    sources.reserve(2 * matches.size() + 3);
    const auto add = [&](const TSVGStyle& Style, bool Important, int Priority) {
        if (HasDeclarations(Style, Important))
            sources.push_back({Priority, TSVGStyleLayer{&Style, Important}});
    };
    add(Attributes, false, cascade_priority::PresentationAttributes);
    for (const TMatch& match : matches) {
        add(*match.Rule, false, match.Priority);
        add(*match.Rule, true, cascade_priority::Important + match.Priority);
    }
    add(OwnStyle, false, cascade_priority::OwnStyle);
    add(OwnStyle, true, cascade_priority::ImportantOwnStyle);
    std::ranges::stable_sort(sources, {}, &TSource::Priority);

    FLayers.reserve(sources.size());
    for (const TSource& source : sources)
        FLayers.push_back(source.Layer);
}

TSVGStyleProperties TSVGCascade::DeclaredProperties() const
{
    TSVGStyleProperties properties;
    for (const TSVGStyleLayer& layer : FLayers)
        properties = properties | layer.Style->DeclaredProperties();
    return properties;
}

void TSVGCascade::Apply(TSVGElement& Element, TSVGStyleValues& Values, const TSVGStyleContext& Context,
                        const TSVGStyleProperties& Properties) const
{
    for (const TSVGStyleLayer& layer : FLayers)
        for (const TSVGStyle::TDeclaration& declaration : layer.Style->Declarations())
            if (declaration.Important == layer.Important && Properties.Contains(declaration.Property))
                ApplyDeclaration(Element, Values, declaration, Context);
}

} // namespace zor
