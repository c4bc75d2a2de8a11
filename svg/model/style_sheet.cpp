#include "svg/model/style_sheet.h"

#include <QHash>
#include <algorithm>

#include "platform/exceptions.h"
#include "svg/model/element.h"
#include "svg/model/selector.h"

namespace zor {

struct TSVGStyleSheet::TRuleIndex {
    // The generation of each rule when the index was built.
    std::vector<std::uint64_t> Generations;
    // Positions of the rules by the key of their selectors.
    QHash<QString, std::vector<qsizetype>> ByID;
    QHash<QString, std::vector<qsizetype>> ByClass;
    QHash<QString, std::vector<qsizetype>> ByType;
    std::vector<qsizetype> Others;
};

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
    FByName.TryGetValue(Name, rule);
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
    FRuleIndex.reset();
    FRules.push_back(std::move(Rule));
    FByName.Add(added.Name(), &added);
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
    FByName.Remove(Name);
    FRuleIndex.reset();
    std::unique_ptr<TSVGStyle> extracted = std::move(FRules[std::size_t(PositionOf(rule))]);
    std::erase(FRules, nullptr);
    return extracted;
}

void TSVGStyleSheet::Clear()
{
    FByName.Clear();
    FRuleIndex.reset();
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

const TSVGStyleSheet::TRuleIndex& TSVGStyleSheet::RuleIndex() const
{
    const auto upToDate = [this] {
        return std::ranges::equal(FRules, FRuleIndex->Generations, {},
                                  [](const auto& rule) { return rule->Generation(); });
    };
    if (FRuleIndex && upToDate())
        return *FRuleIndex;
    auto index = std::make_unique<TRuleIndex>();
    for (qsizetype i = 0; i < Count(); ++i) {
        const TSVGStyle& rule = *FRules[std::size_t(i)];
        index->Generations.push_back(rule.Generation());
        TSVGSelectorKey key;
        try {
            key = rule.Selector().Key();
        } catch (const ESVGException&) {
            // Tried on every element, where matching raises as it should.
        }
        switch (key.Kind) {
        case TSVGSelectorKey::TKind::ID:
            index->ByID[key.Text].push_back(i);
            break;
        case TSVGSelectorKey::TKind::Class:
            index->ByClass[key.Text].push_back(i);
            break;
        case TSVGSelectorKey::TKind::Type:
            index->ByType[key.Text].push_back(i);
            break;
        case TSVGSelectorKey::TKind::Any:
            index->Others.push_back(i);
            break;
        }
    }
    FRuleIndex = std::move(index);
    return *FRuleIndex;
}

std::vector<const TSVGStyle*> TSVGStyleSheet::Candidates(const TSVGElement& Element) const
{
    const TRuleIndex& index = RuleIndex();
    std::vector<qsizetype> positions = index.Others;
    const auto take = [&positions](const QHash<QString, std::vector<qsizetype>>& Bucket, const QString& Key) {
        if (const auto found = Bucket.constFind(Key); found != Bucket.constEnd())
            positions.insert(positions.end(), found->begin(), found->end());
    };
    // An element without an id of its own is not made one to look up.
    if (!index.ByID.isEmpty())
        take(index.ByID, Element.ID());
    for (const QString& name : Element.Classes().ToStringList())
        take(index.ByClass, name.toLower());
    take(index.ByType, Element.SVGTypeName());
    std::ranges::sort(positions);
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<const TSVGStyle*> rules;
    rules.reserve(positions.size());
    for (qsizetype position : positions)
        rules.push_back(FRules[std::size_t(position)].get());
    return rules;
}

qsizetype TSVGStyleSheet::PositionOf(const TSVGStyle* Rule) const
{
    const auto found = std::ranges::find_if(FRules, [Rule](const auto& r) { return r.get() == Rule; });
    return found - FRules.begin();
}

} // namespace zor
