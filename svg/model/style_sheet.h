#pragma once
// The style sheet of a document: its rules, owned, in the order they were
// read, each found by the selector text it was added under.

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

#include "collections/hash_table_strings.h"
#include "svg/model/style.h"
#include "svg/values/css_text.h"

namespace zor {

class TSVGElement;

class TSVGStyleSheet {
public:
    TSVGStyleSheet();
    ~TSVGStyleSheet();
    TSVGStyleSheet(const TSVGStyleSheet&) = delete;
    TSVGStyleSheet& operator=(const TSVGStyleSheet&) = delete;

    qsizetype Count() const { return qsizetype(FRules.size()); }
    bool IsEmpty() const { return FRules.empty(); }
    // The rule at a position in sheet order; out of range raises "List index out of bounds (%d)".
    TSVGStyle& Items(qsizetype Index) const;
    // The rule added under Name (renaming a rule later does not move it); null when none is.
    TSVGStyle* Find(const QString& Name) const;

    // Adds the rule aName { aStyles }. When a rule with that selector text is
    // already there, it takes the declarations instead, later ones winning,
    // and keeps its place. Raises "Invalid selector: %s" for a name that is
    // not a selector, and then nothing changes.
    TSVGStyle& AddStyleRule(const QString& aName, QStringView aStyles);
    // Takes Rule; merged into the rule of the same name as above when there
    // is one (Rule itself is then dropped).
    TSVGStyle& Add(std::unique_ptr<TSVGStyle> Rule);
    // Frees the rule added under Name; false when there is none.
    bool Remove(const QString& Name);
    // Hands the rule added under Name to the caller; null when there is none.
    std::unique_ptr<TSVGStyle> Extract(const QString& Name);
    void Clear();

    // Reads style sheet text and adds its rules in order, one per selector of
    // a selector list. A rule whose selector list holds a selector that does
    // not read is skipped whole, as is everything the text splitter skips.
    // Returns what was skipped and why.
    std::vector<TCSSProblem> Parse(QStringView Text);

    // The rules that may match Element, in sheet order: a rule whose selector
    // ends in an id, a class or a type is left out for elements without it.
    std::vector<const TSVGStyle*> Candidates(const TSVGElement& Element) const;

    // Rules in sheet order, for range-for.
    auto begin() const { return FRules.begin(); }
    auto end() const { return FRules.end(); }

private:
    struct TRuleIndex;

    qsizetype PositionOf(const TSVGStyle* Rule) const;
    // The index of the rules by selector key, rebuilt when a rule has changed.
    const TRuleIndex& RuleIndex() const;

    std::vector<std::unique_ptr<TSVGStyle>> FRules;
    // Name at the time of adding to rule; it does not own the rules.
    TZorStringObjectHashTable<TSVGStyle> FByName;
    mutable std::unique_ptr<TRuleIndex> FRuleIndex;
};

} // namespace zor
