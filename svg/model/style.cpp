#include "svg/model/style.h"

#include <algorithm>

#include "platform/string_list.h"
#include "svg/model/selector.h"
#include "svg/values/css_text.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

using enum TSVGStyleProperty;

// Where a property's declaration comes in the order a style is applied.
int ApplicationRank(TSVGStyleProperty Property)
{
    switch (Property) {
    case ipColor:
        return 0;
    case ipFont:
        return 1;
    case ipMarker:
        return int(EnumCount(TSVGStyleProperty{})) + 2;
    default:
        return int(Property) + 2;
    }
}

} // namespace

TSVGStyle::TSVGStyle() = default;

TSVGStyle::TSVGStyle(const QString& aName, QStringView aStyles)
    : FName(aName)
{
    SetStyle(aStyles);
}

TSVGStyle::~TSVGStyle() = default;

void TSVGStyle::SetName(const QString& Value)
{
    if (Value == FName)
        return;
    FName = Value;
    Changed();
}

void TSVGStyle::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Changed();
}

void TSVGStyle::SetStyle(QStringView aStyles)
{
    FStyleValues.Clear();
    FImportant.clear();
    StoreDeclarations(aStyles);
    Changed();
}

TSVGStyleProperties TSVGStyle::AddStyle(QStringView aStyles)
{
    if (TrimBlanks(aStyles).isEmpty())
        return {};
    const TSVGStyleProperties named = StoreDeclarations(aStyles);
    Changed();
    return named;
}

TSVGStyleProperties TSVGStyle::StoreDeclarations(QStringView aStyles)
{
    TSVGStyleProperties named;
    for (const TCSSDeclaration& declaration : SplitDeclarations(aStyles))
        if (Store(declaration.Name, declaration.Value, declaration.Important))
            named.Include(StylePropertyFromName(declaration.Name));
    return named;
}

TSVGStyleProperty TSVGStyle::AddAttribute(const QString& Name, const QString& Value)
{
    if (IsExcludedAttribute(Name))
        return ipNone;
    SetValue(Name, Value);
    return StylePropertyFromName(Name);
}

void TSVGStyle::Merge(const TSVGStyle& Later)
{
    for (const auto& [name, value] : Later.FStyleValues)
        Store(name, value, Later.IsImportant(name));
    if (!Later.IsEmpty())
        Changed();
}

bool TSVGStyle::IsExcludedAttribute(QStringView Name) const
{
    return Name == u"marker";
}

QString TSVGStyle::GetStyleProp(TSVGStyleProperty Index) const
{
    return Value(StylePropertyName(Index));
}

void TSVGStyle::SetStyleProp(TSVGStyleProperty Index, const QString& Value)
{
    SetValue(StylePropertyName(Index), Value);
}

QString TSVGStyle::Value(const QString& Name) const
{
    QString value;
    FStyleValues.TryGetValue(Name, value);
    return value;
}

void TSVGStyle::SetValue(const QString& Name, const QString& Value, bool Important)
{
    QString current;
    if (FStyleValues.TryGetValue(Name, current) && current == Value && IsImportant(Name) == Important)
        return;
    FStyleValues.AddOrSetValue(Name, Value);
    if (Important)
        FImportant.insert(Name);
    else
        FImportant.remove(Name);
    Changed();
}

bool TSVGStyle::Store(const QString& Name, const QString& Value, bool Important)
{
    if (!Important && IsImportant(Name))
        return false;
    FStyleValues.AddOrSetValue(Name, Value);
    if (Important)
        FImportant.insert(Name);
    return true;
}

void TSVGStyle::Clear()
{
    if (IsEmpty())
        return;
    FStyleValues.Clear();
    FImportant.clear();
    Changed();
}

QString TSVGStyle::StylesToString() const
{
    QString text;
    for (const auto& [name, value] : FStyleValues)
        text += name + u'=' + value + QStringLiteral("\r\n");
    return TrimBlanks(text).toString();
}

QString TSVGStyle::ToString() const
{
    return FName + QStringLiteral(" { ") + StylesToString() + QStringLiteral(" }");
}

void TSVGStyle::Assign(const TPersistent* Source)
{
    if (const auto* style = dynamic_cast<const TSVGStyle*>(Source)) {
        if (style == this)
            return;
        FName = style->FName;
        FStyleValues.Clear();
        for (const auto& [name, value] : style->FStyleValues)
            FStyleValues.Add(name, value);
        FImportant = style->FImportant;
        Changed();
        return;
    }
    if (const auto* lines = dynamic_cast<const TStringList*>(Source)) {
        FStyleValues.Clear();
        FImportant.clear();
        for (const QString& line : lines->ToStringList()) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals > 0)
                FStyleValues.AddOrSetValue(line.first(equals), line.sliced(equals + 1));
        }
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TSVGStyle::AssignTo(TPersistent* Dest) const
{
    if (auto* lines = dynamic_cast<TStringList*>(Dest)) {
        lines->SetText(StylesToString());
        return;
    }
    TPersistent::AssignTo(Dest);
}

const std::vector<TSVGStyle::TDeclaration>& TSVGStyle::Declarations() const
{
    if (!FDeclarations) {
        auto declarations = std::make_unique<std::vector<TDeclaration>>();
        for (const auto& [name, value] : FStyleValues)
            if (const TSVGStyleProperty property = StylePropertyFromName(name); property != ipNone)
                declarations->push_back({property, value, IsImportant(name)});
        std::ranges::sort(*declarations, {}, [](const TDeclaration& d) { return ApplicationRank(d.Property); });
        FDeclarations = std::move(declarations);
    }
    return *FDeclarations;
}

TSVGStyleProperties TSVGStyle::DeclaredProperties() const
{
    TSVGStyleProperties properties;
    for (const TDeclaration& declaration : Declarations())
        properties.Include(declaration.Property);
    return properties;
}

const TSVGSelector& TSVGStyle::Selector() const
{
    if (!FSelector)
        FSelector = std::make_unique<TSVGSelector>(FName);
    return *FSelector;
}

void TSVGStyle::Changed()
{
    ++FGeneration;
    FDeclarations.reset();
    FSelector.reset();
    Fire(OnChange, *this);
}

} // namespace zor
