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

// A name that itself holds a single quote is written in double quotes, so
// that it reads back whole.
QString QuotedFamily(const QString& Name)
{
    if (!Name.contains(u' '))
        return Name;
    const QChar quote = Name.contains(u'\'') ? u'"' : u'\'';
    return quote + Name + quote;
}

QStringView Unquoted(QStringView Name)
{
    if (Name.isEmpty() || (Name[0] != u'"' && Name[0] != u'\''))
        return Name;
    const QStringView rest = Name.sliced(1);
    const qsizetype close = rest.indexOf(Name[0]);
    return close < 0 ? rest : rest.first(close);
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
    Fire(FOwner.Changed, *this);
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
    for (const QString& name : FFamilies.ToStringList()) {
        if (IsFontFamilyAvailable(name))
            SetFamily(name);
        if (FindGenericFamily(name))
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
    // Trimming before unquoting lets a quoted name follow ", " as it is written.
    ForEachDelimited(Text, u",", [&names](QStringView piece) {
        AddTrimmed(names, Unquoted(TrimBlanks(piece)));
    });
    return names;
}

} // namespace zor
