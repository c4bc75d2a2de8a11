#include "svg/model/element_table.h"

#include "platform/exceptions.h"

namespace zor {

QString TSVGElementTable::ProvisionalID(int Number)
{
    return ProvisionalPrefix.toString() + QString::number(Number);
}

int TSVGElementTable::ProvisionalNumber(QStringView ID)
{
    if (!ID.startsWith(ProvisionalPrefix) || ID.size() == ProvisionalPrefix.size() || ID.size() > 12)
        return -1;
    const QStringView digits = ID.sliced(ProvisionalPrefix.size());
    // "ID#07" is an id of its own: numbers are written without leading zeros.
    if (digits.size() > 1 && digits.front() == u'0')
        return -1;
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok && number >= 0 && digits.front().isDigit() ? number : -1;
}

TSVGElement* TSVGElementTable::ProvisionalHolder(int Number) const
{
    return Number >= 0 && std::size_t(Number) < FProvisional.size() ? FProvisional[std::size_t(Number)] : nullptr;
}

bool TSVGElementTable::ContainsKey(const QString& Key) const
{
    return ProvisionalHolder(ProvisionalNumber(Key)) != nullptr || Base::ContainsKey(Key);
}

bool TSVGElementTable::TryGetValue(const QString& Key, TSVGElement*& Value) const
{
    if (TSVGElement* holder = ProvisionalHolder(ProvisionalNumber(Key))) {
        Value = holder;
        return true;
    }
    return Base::TryGetValue(Key, Value);
}

TSVGElement* TSVGElementTable::Items(const QString& Key) const
{
    if (TSVGElement* holder = ProvisionalHolder(ProvisionalNumber(Key)))
        return holder;
    return Base::Items(Key);
}

void TSVGElementTable::Clear()
{
    FProvisional.clear();
    FProvisionalCount = 0;
    FNamedProvisional = 0;
    Base::Clear();
}

void TSVGElementTable::AddNamed(const QString& Key, TSVGElement* Element, bool Unique)
{
    const bool present = Base::ContainsKey(Key);
    if (Unique && (present || ProvisionalHolder(ProvisionalNumber(Key)) != nullptr))
        Raise<EListError>(messages::DuplicatesNotAllowed);
    Base::AddOrSetValue(Key, Element);
    if (!present && ProvisionalNumber(Key) >= 0)
        ++FNamedProvisional;
}

void TSVGElementTable::RemoveNamed(const QString& Key)
{
    if (!Base::ContainsKey(Key))
        return;
    Base::Remove(Key);
    if (ProvisionalNumber(Key) >= 0)
        --FNamedProvisional;
}

int TSVGElementTable::AddProvisional(TSVGElement* Element)
{
    // Counting alone can repeat a number that is still in use after removals.
    int number = Count();
    while (ProvisionalHolder(number) != nullptr || (FNamedProvisional > 0 && Base::ContainsKey(ProvisionalID(number))))
        ++number;
    if (std::size_t(number) >= FProvisional.size())
        FProvisional.resize(std::size_t(number) + 1, nullptr);
    FProvisional[std::size_t(number)] = Element;
    ++FProvisionalCount;
    return number;
}

void TSVGElementTable::RemoveProvisional(int Number, const TSVGElement* Element)
{
    if (ProvisionalHolder(Number) != Element || Element == nullptr)
        return;
    // The slot stays: the next element takes a number near the count again,
    // and giving slots back here would fill them again for every element
    // that is given an id of its own as it is read.
    FProvisional[std::size_t(Number)] = nullptr;
    --FProvisionalCount;
}

} // namespace zor
