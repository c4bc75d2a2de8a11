#pragma once
// A selector read once and matched against elements as CSS matches it: the
// last compound is tested on the element itself, the earlier ones on its
// ancestors, its parent or its preceding siblings as the combinators say, and
// a rule whose selector matches styles that element.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

#include "svg/model/element_types.h"
#include "svg/values/selector_parser.h"

namespace zor {

class TSVGElement;

// What a selector counts, as CSS specificity does: ids; classes, attribute
// tests and pseudo-classes; type names. Combinators and "*" count nothing.
struct TSVGSpecificity {
    // Each count has its own field of the priority, so that a count never
    // spills into the next one however large it is.
    static constexpr int CountBits = 9;
    static constexpr int MaxCount = (1 << CountBits) - 1;
    // Above the priority of every selector.
    static constexpr int PriorityLimit = 1 << (3 * CountBits);

    int Ids = 0;
    int Others = 0;
    int Names = 0;

    // Orders selectors like the counts compared one after the other: one id
    // is above any number of classes, one class above any number of names.
    int Priority() const;

    friend bool operator==(const TSVGSpecificity&, const TSVGSpecificity&) = default;
};

// What the last compound of a selector requires of an element, which finds
// the rules that may match an element without trying every rule.
struct TSVGSelectorKey {
    enum class TKind { Any, ID, Class, Type };
    TKind Kind = TKind::Any;
    // The id, the class in lower case (classes match in any case) or the type name.
    QString Text;
};

class TSVGSelector {
public:
    // Raises ESVGException "Invalid selector: %s" when Text is not a selector.
    explicit TSVGSelector(QStringView Text);

    const QString& Text() const { return FText; }
    const TSVGSpecificity& Specificity() const { return FSpecificity; }

    // An empty selector matches nothing.
    bool Matches(const TSVGElement& Element) const;
    // The priority when Element matches, otherwise -1.
    int Match(const TSVGElement& Element) const;
    // An element that the selector matches has this id, class or type.
    TSVGSelectorKey Key() const;

private:
    enum class TCombinator { Descendant, Child, Adjacent, Sibling };
    enum class TPseudoClass { Language, FirstChild, LastChild, OnlyChild, Root, Never };

    struct TAttributeTest {
        QString Name;
        TSVGSelectorTokenType Operator; // sttHasAttribute: present with any value
        QString Value;
    };
    struct TPseudoTest {
        TPseudoClass Kind;
        QString Argument;
    };
    // One compound and the combinator that joins it to the compound before.
    struct TCompound {
        TCombinator Combinator = TCombinator::Descendant;
        QString Type; // empty: any type
        // The kind of Type; etNone for any type and for names of no kind,
        // which are compared as text.
        TSVGElementType TypeKind = TSVGElementType::etNone;
        QStringList IDs;
        QStringList Classes;
        std::vector<TAttributeTest> Attributes;
        std::vector<TPseudoTest> PseudoClasses;
    };
    enum class TResult { Matches, FailsLocally, FailsAllSiblings, FailsCompletely };

    void Compile(const TSVGSelectorTokens& Tokens);
    static TPseudoClass PseudoClassOf(const QString& Name, bool HasArgument);
    bool CompoundMatches(const TCompound& Compound, const TSVGElement& Element) const;
    static bool AttributeMatches(const TAttributeTest& Test, const TSVGElement& Element);
    static bool PseudoClassMatches(const TPseudoTest& Test, const TSVGElement& Element);
    TResult MatchFrom(std::size_t Index, const TSVGElement& Element) const;

    QString FText;
    std::vector<TCompound> FCompounds;
    TSVGSpecificity FSpecificity;
};

} // namespace zor
