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
    ClearEntries();
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

TSVGStyleProperty TSVGStyle::AddAttribute(QStringView Name, QStringView Value)
{
    if (IsExcludedAttribute(Name))
        return ipNone;
    const TEntry* entry = Find(Name);
    if (entry != nullptr && ValueOf(*entry) == Value && !entry->Important)
        return entry->Property;
    Put(Name, Value, false);
    Changed();
    return StylePropertyFromName(Name);
}

void TSVGStyle::Reserve(qsizetype Count, qsizetype Characters)
{
    FEntries.reserve(FEntries.size() + std::size_t(Count));
    FText.reserve(FText.size() + Characters);
}

void TSVGStyle::Merge(const TSVGStyle& Later)
{
    for (const TEntry* entry : Later.TableOrder())
        Store(Later.NameOf(*entry), Later.ValueOf(*entry), entry->Important);
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
    return ValueIfPresent(Name).value_or(QString());
}

std::optional<QString> TSVGStyle::ValueIfPresent(QStringView Name) const
{
    const TEntry* entry = Find(Name);
    return entry != nullptr ? std::optional<QString>(ValueOf(*entry).toString()) : std::nullopt;
}

void TSVGStyle::SetValue(const QString& Name, const QString& Value, bool Important)
{
    const TEntry* entry = Find(Name);
    if (entry != nullptr && ValueOf(*entry) == Value && entry->Important == Important)
        return;
    Put(Name, Value, Important);
    Changed();
}

bool TSVGStyle::IsImportant(const QString& Name) const
{
    const TEntry* entry = Find(Name);
    return entry != nullptr && entry->Important;
}

bool TSVGStyle::Store(QStringView Name, QStringView Value, bool Important)
{
    const TEntry* entry = Find(Name);
    if (!Important && entry != nullptr && entry->Important)
        return false;
    Put(Name, Value, Important || (entry != nullptr && entry->Important));
    return true;
}

const TSVGStyle::TEntry* TSVGStyle::Find(QStringView Name) const
{
    for (const TEntry& entry : FEntries)
        if (NameOf(entry) == Name)
            return &entry;
    return nullptr;
}

void TSVGStyle::Put(QStringView Name, QStringView Value, bool Important)
{
    // A name of one element's attribute or declaration, never near the limits.
    const auto start = std::uint32_t(FText.size());
    for (TEntry& entry : FEntries)
        if (NameOf(entry) == Name) {
            // The old value's text stays until DropReplacedText.
            FText += Value;
            entry.ValueStart = start;
            entry.ValueLength = std::uint32_t(Value.size());
            entry.Important = Important;
            DropReplacedText();
            return;
        }
    FText += Name;
    FText += Value;
    FEntries.push_back({start, std::uint32_t(start + Name.size()), std::uint32_t(Value.size()),
                        std::uint16_t(Name.size()), StylePropertyFromName(Name), Important});
}

void TSVGStyle::DropReplacedText()
{
    qsizetype used = 0;
    for (const TEntry& entry : FEntries)
        used += entry.NameLength + entry.ValueLength;
    if (used * 2 >= FText.size())
        return;
    QString text;
    text.reserve(used);
    for (TEntry& entry : FEntries) {
        const QStringView name = NameOf(entry);
        const QStringView value = ValueOf(entry);
        entry.NameStart = std::uint32_t(text.size());
        text += name;
        entry.ValueStart = std::uint32_t(text.size());
        text += value;
    }
    FText = std::move(text);
}

void TSVGStyle::ClearEntries()
{
    FEntries.clear();
    FText.clear();
}

void TSVGStyle::Clear()
{
    if (IsEmpty())
        return;
    ClearEntries();
    Changed();
}

std::vector<const TSVGStyle::TEntry*> TSVGStyle::TableOrder() const
{
    const TSVGStyleTable& table = StyleValues();
    std::vector<const TEntry*> ordered;
    ordered.reserve(FEntries.size());
    for (const auto& [name, value] : table)
        ordered.push_back(Find(name));
    return ordered;
}

const TSVGStyleTable& TSVGStyle::StyleValues() const
{
    if (!FTable) {
        // The order of a table depends on the order its keys arrived in: the
        // one the declarations were first given in.
        auto table = std::make_unique<TSVGStyleTable>();
        for (const TEntry& entry : FEntries)
            table->AddOrSetValue(NameOf(entry).toString(), ValueOf(entry).toString());
        FTable = std::move(table);
    }
    return *FTable;
}

QString TSVGStyle::StylesToString() const
{
    QString text;
    for (const TEntry* entry : TableOrder())
    {
        text += NameOf(*entry);
        text += u'=';
        text += ValueOf(*entry);
        text += QStringLiteral("\r\n");
    }
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
        ClearEntries();
        for (const TEntry* entry : style->TableOrder())
            Put(style->NameOf(*entry), style->ValueOf(*entry), entry->Important);
        Changed();
        return;
    }
    if (const auto* lines = dynamic_cast<const TStringList*>(Source)) {
        ClearEntries();
        for (const QString& line : lines->ToStringList()) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals > 0)
                Put(QStringView(line).first(equals), QStringView(line).sliced(equals + 1), false);
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
    // Most styles of elements declare no property (x, y, width, height):
    // they share one empty list.
    static const std::vector<TDeclaration> none;
    if (FDeclarations)
        return *FDeclarations;
    if (std::none_of(FEntries.begin(), FEntries.end(), [](const TEntry& e) { return e.Property != ipNone; }))
        return none;
    auto declarations = std::make_unique<std::vector<TDeclaration>>();
    for (const TEntry& entry : FEntries)
        if (entry.Property != ipNone)
            declarations->push_back({entry.Property, ValueOf(entry).toString(), entry.Important});
    std::ranges::sort(*declarations, {}, [](const TDeclaration& d) { return ApplicationRank(d.Property); });
    FDeclarations = std::move(declarations);
    return *FDeclarations;
}

TSVGStyleProperties TSVGStyle::DeclaredProperties() const
{
    TSVGStyleProperties properties;
    for (const TEntry& entry : FEntries)
        if (entry.Property != ipNone)
            properties.Include(entry.Property);
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
    FTable.reset();
    Fire(OnChange, *this);
}

} // namespace zor
