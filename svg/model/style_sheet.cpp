#include "svg/model/style_sheet.h"

#include <algorithm>

#include "platform/exceptions.h"
#include "svg/model/selector.h"

namespace zor {

TSVGStyleSheet::TSVGStyleSheet() = default;

TSVGStyleSheet::~TSVGStyleSheet() = default;

TSVGStyle& TSVGStyleSheet::Items(qsizetype Index) const
{
    if (Index < 0 || Index >= Count())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    return *FRules[std::size_t(Index)];
}

TSVGStyle* TSVGStyleSheet::Find(const QString& Name) const
{
    TSVGStyle* rule = nullptr;
    FIndex.TryGetValue(Name, rule);
    return rule;
}

TSVGStyle& TSVGStyleSheet::AddStyleRule(const QString& aName, QStringView aStyles)
{
    return Add(std::make_unique<TSVGStyle>(aName, aStyles));
}

TSVGStyle& TSVGStyleSheet::Add(std::unique_ptr<TSVGStyle> Rule)
{
    // Read the selector before anything changes: a rule that cannot match is refused.
    Rule->Selector();
    if (TSVGStyle* existing = Find(Rule->Name())) {
        existing->Merge(*Rule);
        return *existing;
    }
    TSVGStyle& added = *Rule;
    FRules.push_back(std::move(Rule));
    FIndex.Add(added.Name(), &added);
    return added;
}

bool TSVGStyleSheet::Remove(const QString& Name)
{
    return Extract(Name) != nullptr;
}

std::unique_ptr<TSVGStyle> TSVGStyleSheet::Extract(const QString& Name)
{
    TSVGStyle* rule = Find(Name);
    if (rule == nullptr)
        return nullptr;
    FIndex.Remove(Name);
    std::unique_ptr<TSVGStyle> extracted = std::move(FRules[std::size_t(PositionOf(rule))]);
    std::erase(FRules, nullptr);
    return extracted;
}

void TSVGStyleSheet::Clear()
{
    FIndex.Clear();
    FRules.clear();
}

std::vector<TCSSProblem> TSVGStyleSheet::Parse(QStringView Text)
{
    TCSSStyleSheetText sheet = SplitStyleSheet(Text);
    for (const TCSSRuleText& text : sheet.Rules) {
        const QStringList selectors = SplitSelectorList(text.Selectors);
        std::vector<std::unique_ptr<TSVGStyle>> rules;
        try {
            if (selectors.isEmpty())
                Raise<ESVGException>(QString::fromLatin1(messages::InvalidSelector), {text.Selectors});
            for (const QString& selector : selectors) {
                rules.push_back(std::make_unique<TSVGStyle>(selector, text.Declarations));
                rules.back()->Selector();
            }
        } catch (const ESVGException& error) {
            sheet.Skipped.push_back({text.Selectors + u'{' + text.Declarations + u'}', error.Message()});
            continue;
        }
        for (std::unique_ptr<TSVGStyle>& rule : rules)
            Add(std::move(rule));
    }
    return std::move(sheet.Skipped);
}

qsizetype TSVGStyleSheet::PositionOf(const TSVGStyle* Rule) const
{
    const auto found = std::ranges::find_if(FRules, [Rule](const auto& r) { return r.get() == Rule; });
    return found - FRules.begin();
}

} // namespace zor
