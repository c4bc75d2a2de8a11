#pragma once
// The canvas font, and the SVG font on top of it: CSS family lists checked
// against the installed families, weights, variants and decorations.

#include <QString>
#include <QStringList>
#include <QStringView>

#include "platform/enum_set.h"
#include "platform/events.h"
#include "platform/persistent.h"
#include "platform/string_list.h"
#include "svg/values/lengths.h"
#include "svg/values/style_keywords.h"
#include "svg/values/style_properties.h"
#include "svg/values/units.h"

namespace zor {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
constexpr std::size_t EnumCount(TFontStyle) { return 4; }
using TFontStyles = TEnumSet<TFontStyle>;

enum class TExtendedFontStyle { fsOverline, fsBlink };
constexpr std::size_t EnumCount(TExtendedFontStyle) { return 2; }
using TExtendedFontStyles = TEnumSet<TExtendedFontStyle>;

// A font made by an owner reports to it through the owner's private lines;
// OnChanged stays free for callers.
class TFont : public TPersistent {
public:
    static constexpr float DefaultSize = 12;
    // The platform's user-interface family.
    static QString DefaultFamily();

    explicit TFont(TSVGValueOwner Owner = {});
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    // Copies family, size and style.
    void Assign(const TPersistent* Source) override;

    const QString& Family() const { return FFamily; }
    virtual void SetFamily(const QString& Value);
    float Size() const { return FSize; }
    void SetSize(float Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(const TFontStyles& Value);

    TEvent<TFont&> OnChanged;

protected:
    // Reports to the owner, then to OnChanged.
    virtual void Changed();
    // Stores the base fields without notifying, for resets that notify once.
    void Reset(const QString& Family, float Size, const TFontStyles& Style);
    const TSVGOwnerLink& Owner() const { return FOwner; }

private:
    TSVGOwnerLink FOwner;
    QString FFamily;
    float FSize = DefaultSize;
    TFontStyles FStyle;
};

class TSVGFont : public TFont {
public:
    explicit TSVGFont(TSVGValueOwner Owner = {});

    void Assign(const TPersistent* Source) override;
    // Back to the element defaults, with one change notification; the family
    // is kept while the family list is emptied.
    virtual void Clear();

    // The generic CSS names map to installed families; other names pass unchanged.
    void SetFamily(const QString& Value) override;

    // The family becomes the first name of the list that is installed or
    // generic; the list itself stays as text, for matching at layout.
    virtual void FamiliesChanged();
    // The names joined by ", "; names with spaces are quoted, and every name
    // is written so that ParseFontFamilies reads it back whole.
    virtual QString FamiliesToString() const;
    // True for the generic names and for installed families (any letter case).
    static bool IsFontFamilyAvailable(const QString& Name);

    const TStringList& Families() const { return FFamilies; }
    TStringList& Families() { return FFamilies; }
    void SetFamilies(const TStringList& Value) { FFamilies.Assign(&Value); }
    TExtendedFontStyles ExtendStyles() const { return FExtendStyles; }
    void SetExtendStyles(const TExtendedFontStyles& Value);
    TSVGUnit SizePreferredUnit() const { return FSizePreferredUnit; }
    void SetSizePreferredUnit(TSVGUnit Value) { FSizePreferredUnit = Value; }
    TSVGFontVariant FontVariant() const { return FFontVariant; }
    void SetFontVariant(TSVGFontVariant Value);
    TSVGFontWeight Weight() const { return FWeight; }
    // Bold weights add the bold style, light ones remove it, fwNone leaves it.
    void SetWeight(TSVGFontWeight Value);

    // Underline, strike-out or overline (blink is no decoration).
    bool IsDecorated() const;
    // Asks the owner, or OnIsInherited without one.
    bool GetByIndex(TSVGStyleProperty Property) const
    {
        bool inherited = false;
        if (Owner().IsInherited(*this, Property, inherited))
            return inherited;
        return AskIsInherited(OnIsInherited, *this, Property);
    }

    TSVGIsInheritedEvent OnIsInherited;

private:
    TExtendedFontStyles FExtendStyles;
    TSVGUnit FSizePreferredUnit = TSVGUnit::suNone;
    // Reports to FamiliesChanged through a private line, unless held back.
    TStringList FFamilies;
    int FHeldFamilyChanges = 0;
    TSVGFontVariant FFontVariant = TSVGFontVariant::fvNormal;
    TSVGFontWeight FWeight = TSVGFontWeight::fwNormal;
};

// The names of a CSS font-family list in order: cut at commas, each trimmed;
// a name that starts with a single or double quote is read up to the closing
// quote, commas and backslash escapes inside included. Empty names are dropped.
QStringList ParseFontFamilies(QStringView Text);

} // namespace zor
