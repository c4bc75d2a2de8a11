#include "svg/model/selector.h"

#include <algorithm>
#include <array>
#include <optional>

#include "svg/model/document.h"
#include "svg/model/graphic_element.h"

namespace zor {

namespace {

using enum TSVGSelectorTokenType;

// States of pointer, focus and navigation, which a drawing never has, and
// structure tests this engine answers. Any other pseudo-class never matches.
constexpr std::array<const char*, 5> StructuralPseudoClasses = {"lang", "first-child", "last-child", "only-child",
                                                                "root"};

// Element's position among its parent's children; -1 for a root.
qsizetype IndexInParent(const TSVGElement& Element)
{
    return Element.Parent() != nullptr ? Element.Parent()->Items().IndexOf(&Element) : -1;
}

const TSVGElement* SiblingAt(const TSVGElement& Element, qsizetype Index)
{
    const TSVGElementList& siblings = Element.Parent()->Items();
    return Index >= 0 && Index < siblings.Count() ? siblings.Items(Index) : nullptr;
}

const TSVGElement* PreviousSibling(const TSVGElement& Element)
{
    const qsizetype index = IndexInParent(Element);
    return index > 0 ? SiblingAt(Element, index - 1) : nullptr;
}

// The text an attribute test compares: the element's identity for id, class
// and the language attributes, otherwise the attribute as it was read. No
// value when the element does not have the attribute.
std::optional<QString> AttributeText(const TSVGElement& Element, const QString& Name)
{
    const auto listText = [](const TStringList& List, QStringView Separator) -> std::optional<QString> {
        if (List.IsEmpty())
            return std::nullopt;
        return List.ToStringList().join(Separator);
    };
    if (Name == u"id") {
        if (Element.HasProvisionalID())
            return std::nullopt;
        const QString id = Element.ID();
        if (id.isEmpty() || TSVGDocument::IsProvisionalID(id))
            return std::nullopt;
        return id;
    }
    if (Name == u"class")
        return listText(Element.Classes(), u" ");
    if (Name == u"systemLanguage")
        return listText(Element.SystemLanguages(), u",");
    if (Name == u"lang") {
        if (Element.Language().isEmpty())
            return std::nullopt;
        return Element.Language();
    }
    if (const auto* graphic = dynamic_cast<const TSVGGraphicElement*>(&Element)) {
        return graphic->PresentationAttributes().ValueIfPresent(Name);
    }
    return std::nullopt;
}

bool ContainsWord(QStringView Text, QStringView Word)
{
    if (Word.isEmpty() || std::ranges::any_of(Word, [](QChar c) { return c.isSpace(); }))
        return false;
    for (QStringView piece : Text.tokenize(u' ', Qt::SkipEmptyParts))
        if (piece == Word)
            return true;
    return false;
}

bool ValueMatches(TSVGSelectorTokenType Operator, QStringView Text, QStringView Value)
{
    switch (Operator) {
    case sttExactMatch:
        return Text == Value;
    case sttContainsWord:
        return ContainsWord(Text, Value);
    case sttDashMatch:
        return Text == Value || (Text.startsWith(Value) && Text.size() > Value.size() && Text[Value.size()] == u'-');
    case sttPrefixMatch:
        return !Value.isEmpty() && Text.startsWith(Value);
    case sttSuffixMatch:
        return !Value.isEmpty() && Text.endsWith(Value);
    case sttSubstringMatch:
        return !Value.isEmpty() && Text.contains(Value);
    default:
        return true;
    }
}

} // namespace

int TSVGSpecificity::Priority() const
{
    const auto field = [](int Count) { return std::clamp(Count, 0, MaxCount); };
    return field(Ids) << (2 * CountBits) | field(Others) << CountBits | field(Names);
}

TSVGSelector::TSVGSelector(QStringView Text)
    : FText(Text.toString())
{
    Compile(ParseSelector(Text));
}

void TSVGSelector::Compile(const TSVGSelectorTokens& Tokens)
{
    const auto current = [this]() -> TCompound& {
        if (FCompounds.empty())
            FCompounds.emplace_back();
        return FCompounds.back();
    };
    for (std::size_t i = 0; i < Tokens.size(); ++i) {
        const TSVGSelectorToken& token = Tokens[i];
        const TSVGSelectorTokenType next = i + 1 < Tokens.size() ? Tokens[i + 1].TokenType : sttNone;
        switch (token.TokenType) {
        case sttString:
            current().Type = token.Value;
            break;
        case sttUniversalChar:
            current();
            break;
        case sttHasDescendant:
        case sttHasChild:
        case sttHasFollower:
        case sttHasSibling: {
            TCompound compound;
            compound.Combinator = token.TokenType == sttHasDescendant ? TCombinator::Descendant
                                  : token.TokenType == sttHasChild    ? TCombinator::Child
                                  : token.TokenType == sttHasFollower ? TCombinator::Adjacent
                                                                      : TCombinator::Sibling;
            compound.Type = token.Value;
            FCompounds.push_back(std::move(compound));
            break;
        }
        case sttIDHashChar:
            current().IDs << token.Value;
            ++FSpecificity.Ids;
            break;
        case sttClassChar:
            current().Classes << token.Value;
            ++FSpecificity.Others;
            break;
        case sttHasAttribute: {
            TAttributeTest test{token.Value, sttHasAttribute, {}};
            if (next >= sttPrefixMatch && next <= sttContainsWord) {
                test.Operator = next;
                test.Value = Tokens[++i].Value;
            }
            current().Attributes.push_back(std::move(test));
            ++FSpecificity.Others;
            break;
        }
        case sttColonChar: {
            const bool hasArgument = next == sttLanguage;
            current().PseudoClasses.push_back(
                {PseudoClassOf(token.Value, hasArgument), hasArgument ? Tokens[++i].Value : QString()});
            ++FSpecificity.Others;
            break;
        }
        default:
            break;
        }
    }
    for (TCompound& compound : FCompounds)
        if (!compound.Type.isEmpty()) {
            compound.TypeKind = SVGElementTypeByName(compound.Type);
            ++FSpecificity.Names;
        }
}

TSVGSelector::TPseudoClass TSVGSelector::PseudoClassOf(const QString& Name, bool HasArgument)
{
    constexpr std::array<TPseudoClass, StructuralPseudoClasses.size()> kinds = {
        TPseudoClass::Language, TPseudoClass::FirstChild, TPseudoClass::LastChild, TPseudoClass::OnlyChild,
        TPseudoClass::Root};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (Name == QLatin1String(StructuralPseudoClasses[i]))
            return (kinds[i] == TPseudoClass::Language) == HasArgument ? kinds[i] : TPseudoClass::Never;
    return TPseudoClass::Never;
}

bool TSVGSelector::Matches(const TSVGElement& Element) const
{
    return !FCompounds.empty() && MatchFrom(FCompounds.size() - 1, Element) == TResult::Matches;
}

int TSVGSelector::Match(const TSVGElement& Element) const
{
    return Matches(Element) ? FSpecificity.Priority() : -1;
}

TSVGSelectorKey TSVGSelector::Key() const
{
    using enum TSVGSelectorKey::TKind;
    if (FCompounds.empty())
        return {};
    const TCompound& last = FCompounds.back();
    if (!last.IDs.isEmpty())
        return {ID, last.IDs.front()};
    if (!last.Classes.isEmpty())
        return {Class, last.Classes.front().toLower()};
    if (!last.Type.isEmpty())
        return {Type, last.Type};
    return {};
}

bool TSVGSelector::CompoundMatches(const TCompound& Compound, const TSVGElement& Element) const
{
    if (Compound.TypeKind != TSVGElementType::etNone ? Element.SVGType() != Compound.TypeKind
                                                     : !Compound.Type.isEmpty() && Element.SVGTypeName() != Compound.Type)
        return false;
    if (!std::ranges::all_of(Compound.IDs, [&](const QString& id) { return Element.HasID(id); }))
        return false;
    const QStringList& classes = Element.Classes().ToStringList();
    const auto hasClass = [&](const QString& name) { return classes.contains(name, Qt::CaseInsensitive); };
    if (!std::ranges::all_of(Compound.Classes, hasClass))
        return false;
    const auto attributeMatches = [&](const TAttributeTest& test) { return AttributeMatches(test, Element); };
    const auto pseudoMatches = [&](const TPseudoTest& test) { return PseudoClassMatches(test, Element); };
    return std::ranges::all_of(Compound.Attributes, attributeMatches)
           && std::ranges::all_of(Compound.PseudoClasses, pseudoMatches);
}

bool TSVGSelector::AttributeMatches(const TAttributeTest& Test, const TSVGElement& Element)
{
    const std::optional<QString> text = AttributeText(Element, Test.Name);
    return text.has_value() && ValueMatches(Test.Operator, *text, Test.Value);
}

bool TSVGSelector::PseudoClassMatches(const TPseudoTest& Test, const TSVGElement& Element)
{
    const TSVGElement* parent = Element.Parent();
    const qsizetype index = IndexInParent(Element);
    switch (Test.Kind) {
    case TPseudoClass::Language:
        // The language is the nearest one given on the element or its ancestors.
        for (const TSVGElement* e = &Element; e != nullptr; e = e->Parent())
            if (!e->Language().isEmpty())
                return e->HasLanguage(Test.Argument);
        return false;
    case TPseudoClass::FirstChild:
        return parent != nullptr && index == 0;
    case TPseudoClass::LastChild:
        return parent != nullptr && index == parent->Items().Count() - 1;
    case TPseudoClass::OnlyChild:
        return parent != nullptr && parent->Items().Count() == 1;
    case TPseudoClass::Root:
        return parent == nullptr;
    case TPseudoClass::Never:
        break;
    }
    return false;
}

// Right to left. Failing results say how far the failure reaches, so that a
// combinator loop stops early instead of trying every ancestor and sibling
// again for every earlier compound: "fails completely" means no ancestor
// further up can help, "fails all siblings" that no earlier sibling can.
TSVGSelector::TResult TSVGSelector::MatchFrom(std::size_t Index, const TSVGElement& Element) const
{
    const TCompound& compound = FCompounds[Index];
    if (!CompoundMatches(compound, Element))
        return TResult::FailsLocally;
    if (Index == 0)
        return TResult::Matches;
    switch (compound.Combinator) {
    case TCombinator::Descendant:
        for (const TSVGElement* ancestor = Element.Parent(); ancestor != nullptr; ancestor = ancestor->Parent()) {
            const TResult result = MatchFrom(Index - 1, *ancestor);
            if (result == TResult::Matches || result == TResult::FailsCompletely)
                return result;
        }
        return TResult::FailsCompletely;
    case TCombinator::Child:
        if (Element.Parent() == nullptr)
            return TResult::FailsCompletely;
        return MatchFrom(Index - 1, *Element.Parent());
    case TCombinator::Adjacent: {
        const TSVGElement* sibling = PreviousSibling(Element);
        if (sibling == nullptr)
            return TResult::FailsAllSiblings;
        return MatchFrom(Index - 1, *sibling);
    }
    case TCombinator::Sibling:
        for (qsizetype i = IndexInParent(Element) - 1; i >= 0; --i) {
            const TResult result = MatchFrom(Index - 1, *SiblingAt(Element, i));
            if (result != TResult::FailsLocally)
                return result;
        }
        return TResult::FailsAllSiblings;
    }
    return TResult::FailsCompletely;
}

} // namespace zor
