#include "svg/values/font.h"

#include <array>

#include "platform/font_service.h"
#include "svg/values/change_helpers.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

struct TGenericFamily {
    QLatin1String Name;
    QLatin1String Family;
};

// The CSS generic names and the families that stand for them.
constexpr std::array<TGenericFamily, 3> GenericFamilies = {{
    {QLatin1String("serif"), QLatin1String("Times New Roman")},
    {QLatin1String("sans-serif"), QLatin1String("Tahoma")},
    {QLatin1String("monospace"), QLatin1String("Courier New")},
}};

const TGenericFamily* FindGenericFamily(QStringView Name)
{
    for (const TGenericFamily& generic : GenericFamilies)
        if (Name.compare(generic.Name, Qt::CaseInsensitive) == 0)
            return &generic;
    return nullptr;
}

enum class TBoldEffect { Keep, Add, Remove };

// Indexed by TSVGFontWeight.
constexpr std::array<TBoldEffect, EnumCount(TSVGFontWeight{})> WeightBoldEffects = {
    TBoldEffect::Keep,   // fwNone
    TBoldEffect::Remove, // fwNormal
    TBoldEffect::Add,    // fwBold
    TBoldEffect::Add,    // fwBolder
    TBoldEffect::Remove, // fwLighter
    TBoldEffect::Remove, TBoldEffect::Remove, TBoldEffect::Remove, TBoldEffect::Remove, TBoldEffect::Remove,
    TBoldEffect::Add,    TBoldEffect::Add,    TBoldEffect::Add,    TBoldEffect::Add, // fw100 ... fw900
};

bool IsQuote(QChar C)
{
    return C == u'"' || C == u'\'';
}

// Names with blanks are quoted, and so are those that would not read back
// whole unquoted: with a comma, or starting with a quote. A name that holds a
// single quote but no double quote goes in double quotes; otherwise the quote
// and the backslash inside are escaped with a backslash.
QString QuotedFamily(const QString& Name)
{
    const bool plain = !Name.contains(u',') && !(Name.size() > 0 && IsQuote(Name[0])) &&
                       std::ranges::none_of(Name, [](QChar c) { return c <= u' '; });
    if (plain)
        return Name;
    const QChar quote = Name.contains(u'\'') && !Name.contains(u'"') ? u'"' : u'\'';
    QString quoted = quote;
    for (QChar c : Name) {
        if (c == quote || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + quote;
}

// The quoted name that starts at At (a quote), with its escapes undone; At
// moves past the closing quote.
QString ReadQuotedName(QStringView Text, qsizetype& At)
{
    const QChar quote = Text[At++];
    QString name;
    for (; At < Text.size() && Text[At] != quote; ++At) {
        if (Text[At] == u'\\' && At + 1 < Text.size())
            ++At;
        name += Text[At];
    }
    ++At;
    return name;
}

} // namespace

QString TFont::DefaultFamily()
{
    return PlatformDefaultFontFamily();
}

TFont::TFont(TSVGValueOwner Owner)
    : FOwner(std::move(Owner))
    , FFamily(DefaultFamily())
{
}

void TFont::Assign(const TPersistent* Source)
{
    if (auto* font = dynamic_cast<const TFont*>(Source)) {
        Reset(font->FFamily, font->FSize, font->FStyle);
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TFont::SetFamily(const QString& Value)
{
    if (StoreIfChanged(FFamily, Value))
        Changed();
}

void TFont::SetSize(float Value)
{
    if (StoreIfChanged(FSize, Value))
        Changed();
}

void TFont::SetStyle(const TFontStyles& Value)
{
    if (StoreIfChanged(FStyle, Value))
        Changed();
}

void TFont::Changed()
{
    FOwner.Changed(*this);
    Fire(OnChanged, *this);
}

void TFont::Reset(const QString& Family, float Size, const TFontStyles& Style)
{
    FFamily = Family;
    FSize = Size;
    FStyle = Style;
}

TSVGFont::TSVGFont(TSVGValueOwner Owner)
    : TFont(std::move(Owner))
    , FFamilies([this](TStringList&) {
        if (FHeldFamilyChanges == 0)
            FamiliesChanged();
    })
{
}

void TSVGFont::Assign(const TPersistent* Source)
{
    if (auto* font = dynamic_cast<const TSVGFont*>(Source)) {
        FExtendStyles = font->FExtendStyles;
        FFontVariant = font->FFontVariant;
        FWeight = font->FWeight;
        FSizePreferredUnit = font->FSizePreferredUnit;
        // The family itself comes with the base part below.
        const THeldChanges held(FHeldFamilyChanges);
        FFamilies.Assign(&font->FFamilies);
    } else if (auto* font = dynamic_cast<const TFont*>(Source)) {
        FWeight = font->Style().Contains(TFontStyle::fsBold) ? TSVGFontWeight::fwBold : TSVGFontWeight::fwNormal;
    }
    TFont::Assign(Source);
}

void TSVGFont::Clear()
{
    FExtendStyles = {};
    FFontVariant = TSVGFontVariant::fvNormal;
    // The weight goes back too, so that no bold weight outlives the cleared
    // bold style. The family stays: only a new family list changes it.
    FWeight = TSVGFontWeight::fwNormal;
    FSizePreferredUnit = TSVGUnit::suNone;
    {
        const THeldChanges held(FHeldFamilyChanges);
        FFamilies.Clear();
    }
    Reset(Family(), DefaultSize, {});
    Changed();
}

void TSVGFont::SetFamily(const QString& Value)
{
    const TGenericFamily* generic = FindGenericFamily(Value);
    TFont::SetFamily(generic ? QString(generic->Family) : Value);
}

void TSVGFont::FamiliesChanged()
{
    // As CSS does: the first name that is installed (or generic) wins.
    for (const QString& name : FFamilies.ToStringList())
        if (IsFontFamilyAvailable(name)) {
            SetFamily(name);
            break;
        }
}

QString TSVGFont::FamiliesToString() const
{
    QStringList names;
    for (const QString& name : FFamilies.ToStringList())
        names << QuotedFamily(name);
    return names.join(QStringLiteral(", "));
}

bool TSVGFont::IsFontFamilyAvailable(const QString& Name)
{
    return FindGenericFamily(Name) != nullptr || SystemFontsService().HasFamily(Name);
}

void TSVGFont::SetExtendStyles(const TExtendedFontStyles& Value)
{
    if (StoreIfChanged(FExtendStyles, Value))
        Changed();
}

void TSVGFont::SetFontVariant(TSVGFontVariant Value)
{
    if (StoreIfChanged(FFontVariant, Value))
        Changed();
}

void TSVGFont::SetWeight(TSVGFontWeight Value)
{
    if (!StoreIfChanged(FWeight, Value))
        return;
    TFontStyles style = Style();
    switch (WeightBoldEffects[static_cast<std::size_t>(Value)]) {
    case TBoldEffect::Add:
        style.Include(TFontStyle::fsBold);
        break;
    case TBoldEffect::Remove:
        style.Exclude(TFontStyle::fsBold);
        break;
    case TBoldEffect::Keep:
        break;
    }
    // One notification for weight and style together.
    Reset(Family(), Size(), style);
    Changed();
}

bool TSVGFont::IsDecorated() const
{
    return Style().Contains(TFontStyle::fsUnderline) || Style().Contains(TFontStyle::fsStrikeOut) ||
           FExtendStyles.Contains(TExtendedFontStyle::fsOverline);
}

QStringList ParseFontFamilies(QStringView Text)
{
    QStringList names;
    for (qsizetype at = 0; at <= Text.size();) {
        while (at < Text.size() && Text[at] <= u' ')
            ++at;
        // A quoted name may hold commas; after its closing quote the rest of
        // the piece is not part of it.
        const bool quoted = at < Text.size() && IsQuote(Text[at]);
        const qsizetype start = at;
        const QString name = quoted ? ReadQuotedName(Text, at) : QString();
        qsizetype comma = Text.indexOf(u',', std::min(at, Text.size()));
        if (comma < 0)
            comma = Text.size();
        AddTrimmed(names, quoted ? QStringView(name) : Text.sliced(start, comma - start));
        at = comma + 1;
    }
    return names;
}

} // namespace zor
