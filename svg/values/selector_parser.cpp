#include "svg/values/selector_parser.h"

#include <array>

#include "platform/enum_table.h"
#include "platform/exceptions.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

using enum TSVGSelectorTokenType;

struct TTokenTypeInfo {
    TSVGSelectorTokenType Type;
    const char* Name;
    const char* Symbol;
};

// Indexed by TSVGSelectorTokenType.
constexpr std::array<TTokenTypeInfo, EnumCount(TSVGSelectorTokenType{})> TokenTypes = {{
    {sttNone, "sttNone", ""},
    {sttString, "sttString", ""},
    {sttHasAttribute, "sttHasAttribute", "["},
    {sttPrefixMatch, "sttPrefixMatch", "^="},
    {sttSuffixMatch, "sttSuffixMatch", "$="},
    {sttSubstringMatch, "sttSubstringMatch", "*="},
    {sttExactMatch, "sttExactMatch", "="},
    {sttDashMatch, "sttDashMatch", "|="},
    {sttContainsWord, "sttContainsWord", "~="},
    {sttIDHashChar, "sttIDHashChar", "#"},
    {sttUniversalChar, "sttUniversalChar", "*"},
    {sttColonChar, "sttColonChar", ":"},
    {sttClassChar, "sttClassChar", "."},
    {sttHasDescendant, "sttHasDescendant", " "},
    {sttHasChild, "sttHasChild", ">"},
    {sttHasFollower, "sttHasFollower", "+"},
    {sttLanguage, "sttLanguage", "lang"},
    {sttHasSibling, "sttHasSibling", "~"},
}};
static_assert(RowsFollowTheEnumeration<&TTokenTypeInfo::Type>(TokenTypes),
              "the token table is indexed by TSVGSelectorTokenType");

const TTokenTypeInfo& Info(TSVGSelectorTokenType TokenType)
{
    return TokenTypes[static_cast<std::size_t>(TokenType)];
}

// The token type whose symbol is Symbol among the given types; sttNone when none is.
template <std::size_t N>
TSVGSelectorTokenType TypeOfSymbol(QStringView Symbol, const std::array<TSVGSelectorTokenType, N>& Candidates)
{
    for (TSVGSelectorTokenType type : Candidates)
        if (Symbol == QLatin1String(Info(type).Symbol))
            return type;
    return sttNone;
}

constexpr std::array<TSVGSelectorTokenType, 6> AttributeOperators = {
    sttPrefixMatch, sttSuffixMatch, sttSubstringMatch, sttExactMatch, sttDashMatch, sttContainsWord};
constexpr std::array<TSVGSelectorTokenType, 3> SymbolCombinators = {sttHasChild, sttHasFollower, sttHasSibling};

bool IsBlank(QChar C)
{
    return C.unicode() <= u' ';
}

bool IsNameCharacter(QChar C)
{
    return C.isLetterOrNumber() || C == u'-' || C == u'_' || C.unicode() >= 0x80;
}

// Reads one selector left to right; every failure raises with the whole text.
class TSelectorReader {
public:
    explicit TSelectorReader(QStringView Text)
        : FText(Text)
    {
    }

    TSVGSelectorTokens Read()
    {
        if (FText.isEmpty())
            return {};
        ReadCompound(sttNone);
        while (!AtEnd()) {
            const bool blanks = SkipBlanks();
            if (AtEnd())
                break;
            TSVGSelectorTokenType combinator = TypeOfSymbol(FText.sliced(FAt, 1), SymbolCombinators);
            if (combinator != sttNone) {
                ++FAt;
                SkipBlanks();
            } else if (blanks) {
                combinator = sttHasDescendant;
            } else {
                Fail();
            }
            ReadCompound(combinator);
        }
        return std::move(FTokens);
    }

private:
    bool AtEnd() const { return FAt >= FText.size(); }
    QChar Current() const { return FText[FAt]; }

    [[noreturn]] void Fail() const
    {
        Raise<ESVGException>(QString::fromLatin1(messages::InvalidSelector), {FText.toString()});
    }

    bool SkipBlanks()
    {
        const qsizetype start = FAt;
        while (!AtEnd() && IsBlank(Current()))
            ++FAt;
        return FAt > start;
    }

    void Add(TSVGSelectorTokenType Type, const QString& Value) { FTokens.push_back({Type, Value}); }

    // A name with backslash escapes taken literally; raises when there is none.
    QString ReadName()
    {
        QString name;
        while (!AtEnd()) {
            if (Current() == u'\\' && FAt + 1 < FText.size()) {
                name += FText[FAt + 1];
                FAt += 2;
            } else if (IsNameCharacter(Current())) {
                name += Current();
                ++FAt;
            } else {
                break;
            }
        }
        if (name.isEmpty())
            Fail();
        return name;
    }

    // One compound; Combinator joins it to the compound before (sttNone for the first).
    void ReadCompound(TSVGSelectorTokenType Combinator)
    {
        if (AtEnd())
            Fail();
        QString type;
        bool hasType = false;
        if (Current() == u'*') {
            ++FAt;
            hasType = true;
        } else if (IsNameCharacter(Current()) || Current() == u'\\') {
            type = ReadName();
            hasType = true;
        }
        if (Combinator != sttNone)
            Add(Combinator, type);
        else if (hasType)
            Add(type.isEmpty() ? sttUniversalChar : sttString, type);
        qsizetype tests = 0;
        while (!AtEnd() && ReadTest())
            ++tests;
        if (!hasType && tests == 0)
            Fail();
    }

    // One id, class, attribute or pseudo-class test; false at anything else.
    bool ReadTest()
    {
        const QChar c = Current();
        if (c == u'#' || c == u'.') {
            ++FAt;
            Add(c == u'#' ? sttIDHashChar : sttClassChar, ReadName());
        } else if (c == u':') {
            ++FAt;
            // A pseudo-element ("::first-line") keeps its second colon in the name.
            const bool element = !AtEnd() && Current() == u':';
            FAt += element ? 1 : 0;
            Add(sttColonChar, (element ? QStringLiteral(":") : QString()) + ReadName());
            if (!AtEnd() && Current() == u'(')
                ReadArgument();
        } else if (c == u'[') {
            ReadAttribute();
        } else {
            return false;
        }
        return true;
    }

    void ReadArgument()
    {
        const qsizetype close = FText.indexOf(u')', FAt);
        if (close < 0)
            Fail();
        Add(sttLanguage, TrimBlanks(FText.sliced(FAt + 1, close - FAt - 1)).toString());
        FAt = close + 1;
    }

    void ReadAttribute()
    {
        ++FAt;
        SkipBlanks();
        const qsizetype nameStart = FAt;
        while (!AtEnd() && !IsBlank(Current()) && !QStringView(u"^$*|~=]").contains(Current()))
            ++FAt;
        if (FAt == nameStart)
            Fail();
        Add(sttHasAttribute, FText.sliced(nameStart, FAt - nameStart).toString());
        SkipBlanks();
        if (AtEnd())
            Fail();
        if (Current() != u']') {
            const qsizetype length = Current() == u'=' ? 1 : 2;
            const TSVGSelectorTokenType op =
                FAt + length <= FText.size() ? TypeOfSymbol(FText.sliced(FAt, length), AttributeOperators) : sttNone;
            if (op == sttNone)
                Fail();
            FAt += length;
            SkipBlanks();
            Add(op, ReadAttributeValue());
            SkipBlanks();
            if (AtEnd() || Current() != u']')
                Fail();
        }
        ++FAt;
    }

    // A quoted string (quotes removed, escapes taken literally) or a run of
    // characters up to a blank or "]".
    QString ReadAttributeValue()
    {
        if (AtEnd())
            Fail();
        QString value;
        const QChar quote = Current();
        if (quote == u'"' || quote == u'\'') {
            for (++FAt; !AtEnd() && Current() != quote; ++FAt) {
                if (Current() == u'\\' && FAt + 1 < FText.size())
                    ++FAt;
                value += Current();
            }
            if (AtEnd())
                Fail();
            ++FAt;
            return value;
        }
        while (!AtEnd() && !IsBlank(Current()) && Current() != u']')
            value += FText[FAt++];
        if (value.isEmpty())
            Fail();
        return value;
    }

    QStringView FText;
    qsizetype FAt = 0;
    TSVGSelectorTokens FTokens;
};

} // namespace

QString TSVGSelectorToken::ToString() const
{
    return QLatin1String(Info(TokenType).Name) + u'(' + QLatin1String(Info(TokenType).Symbol) + QStringLiteral(") = \"")
           + Value + u'"';
}

QLatin1String SelectorTokenSymbol(TSVGSelectorTokenType TokenType)
{
    return QLatin1String(Info(TokenType).Symbol);
}

QLatin1String SelectorTokenTypeName(TSVGSelectorTokenType TokenType)
{
    return QLatin1String(Info(TokenType).Name);
}

bool IsSelectorCombinator(TSVGSelectorTokenType TokenType)
{
    return TokenType == sttHasDescendant || TokenType == sttHasChild || TokenType == sttHasFollower
           || TokenType == sttHasSibling;
}

TSVGSelectorTokens ParseSelector(QStringView Selector)
{
    return TSelectorReader(TrimBlanks(Selector)).Read();
}

} // namespace zor
