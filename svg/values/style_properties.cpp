#include "svg/values/style_properties.h"

#include <QStringList>

#include "svg/values/change_helpers.h"
#include "svg/values/text_utils.h"

namespace zor {

bool AskIsInherited(const TSVGIsInheritedEvent& OnIsInherited, const TPersistent& Sender,
                    TSVGStyleProperty Property)
{
    bool inherited = false;
    Fire(OnIsInherited, Sender, Property, inherited);
    return inherited;
}

void TSVGStylePropertiesSet::SetByIndex(TSVGStyleProperty Member, bool Value)
{
    TSVGStyleProperties value = FValue;
    SetValue(Value ? value.Include(Member) : value.Exclude(Member));
}

void TSVGStylePropertiesSet::SetValue(const TSVGStyleProperties& Value)
{
    if (StoreIfChanged(FValue, Value))
        Fire(OnChange, *this);
}

void TSVGStylePropertiesSet::Assign(const TPersistent* Source)
{
    if (auto* set = dynamic_cast<const TSVGStylePropertiesSet*>(Source)) {
        SetValue(set->FValue);
        return;
    }
    TPersistent::Assign(Source);
}

QString TSVGStylePropertiesSet::ToString(const TSVGStyleProperties& Value)
{
    QStringList identifiers;
    Value.ForEach([&identifiers](TSVGStyleProperty member) { identifiers << StylePropertyIdentifier(member); });
    return identifiers.join(QStringLiteral(", "));
}

void TSVGStylePropertiesSet::FromString(QStringView Text)
{
    TSVGStyleProperties value;
    for (const QString& piece : SplitTrimmed(Text, u",")) {
        const TSVGStyleProperty member = StylePropertyFromIdentifier(piece);
        if (member != TSVGStyleProperty::ipNone)
            value.Include(member);
    }
    SetValue(value);
}

} // namespace zor
