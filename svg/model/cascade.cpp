#include "svg/model/cascade.h"

#include <ranges>

#include "collections/priority_list.h"
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

// A source as an item of the priority list.
struct TLayerItem : TPersistent {
    explicit TLayerItem(TSVGStyleLayer aLayer)
        : Layer(aLayer)
    {
    }
    TSVGStyleLayer Layer;
};

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

    std::vector<TLayerItem> items;
    items.reserve(2 * matches.size() + 3);
    TPriorityList order;
    const auto add = [&](const TSVGStyle& Style, bool Important, int Priority) {
        if (!HasDeclarations(Style, Important))
            return;
        items.emplace_back(TSVGStyleLayer{&Style, Important});
        order.Add(&items.back(), Priority);
    };
    add(Attributes, false, cascade_priority::PresentationAttributes);
    // Among equal priorities the list gives the most recently added first, so
    // rules go in from the last to the first: a later rule is applied later
    // and wins, as in CSS.
    // (Reverse iterators rather than a reversed view: clang's fuzzing build
    // cannot compile the view with this standard library.)
    for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
        add(*match->Rule, false, match->Priority);
        add(*match->Rule, true, cascade_priority::Important + match->Priority);
    }
    add(OwnStyle, false, cascade_priority::OwnStyle);
    add(OwnStyle, true, cascade_priority::ImportantOwnStyle);

    FLayers.reserve(items.size());
    for (const TPersistent* item : order.InOrder())
        FLayers.push_back(static_cast<const TLayerItem*>(item)->Layer);
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
