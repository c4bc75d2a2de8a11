#include "instruments/artwork_contract.h"

#include <QSet>
#include <array>

#include "platform/xml_document.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"

namespace zor {

namespace {

bool IsOfKind(const TSVGElement& Element, TArtworkElementKind Kind)
{
    const TSVGElementType type = Element.SVGType();
    switch (Kind) {
    case TArtworkElementKind::ekGraphic:
        return Element.AsGraphicElement() != nullptr;
    case TArtworkElementKind::ekGroup:
        return type == TSVGElementType::etGroup;
    case TArtworkElementKind::ekPath:
        return type == TSVGElementType::etPath;
    case TArtworkElementKind::ekText:
        return type == TSVGElementType::etText || type == TSVGElementType::etTSpan;
    case TArtworkElementKind::ekRect:
        return type == TSVGElementType::etRectangle;
    case TArtworkElementKind::ekGradient:
        return type == TSVGElementType::etLinearGradient || type == TSVGElementType::etRadialGradient;
    case TArtworkElementKind::ekUse:
        return type == TSVGElementType::etUse;
    }
    return false;
}

// Own stops of a gradient, graphic children of anything else.
int CountedChildren(const TSVGElement& Element, TArtworkElementKind Kind)
{
    int count = 0;
    for (const TSVGElement* child : Element.Items()) {
        const bool counts = Kind == TArtworkElementKind::ekGradient
                                ? child->SVGType() == TSVGElementType::etGradientStop
                                : child->AsGraphicElement() != nullptr;
        count += counts ? 1 : 0;
    }
    return count;
}

bool IsInside(const TSVGElement& Element, const TSVGElement& Active)
{
    return &Element == &Active || Active.HasDescendant(&Element);
}

// Where Element lies relative to the active element in document order.
TArtworkPlace PlaceOf(const TSVGElement& Element, const TSVGElement& Active)
{
    if (IsInside(Element, Active))
        return TArtworkPlace::apActive;
    if (Active.HasAncestor(&Element))
        return TArtworkPlace::apAnywhere;
    return Active.HasPreceding(&Element) ? TArtworkPlace::apBefore : TArtworkPlace::apAfter;
}

QString PlaceName(TArtworkPlace Place)
{
    static constexpr std::array<const char*, EnumCount(TArtworkPlace{})> names{
        "anywhere", "before the active element", "in the active element", "after the active element"};
    return QString::fromLatin1(names[static_cast<std::size_t>(Place)]);
}

const TSVGElement* FindElement(const TSVGDocument& Document, const char* ID)
{
    TSVGElement* found = nullptr;
    return Document.AllItems().TryGetValue(QString::fromLatin1(ID), found) ? found : nullptr;
}

class TContractCheck {
public:
    TContractCheck(const TArtworkContract& Contract, const TSVGDocument& Document)
        : FContract(Contract)
        , FDocument(Document)
        , FActive(FindElement(Document, Contract.ActiveID))
    {
    }

    void Check(const TArtworkElement& Row)
    {
        const QString id = QString::fromLatin1(Row.ID);
        const TSVGElement* element = FindElement(FDocument, Row.ID);
        if (element == nullptr) {
            Findings.Missing << id;
            return;
        }
        if (!IsOfKind(*element, Row.Kind))
            Misplaced(id, QStringLiteral("is a %1, not of kind %2")
                              .arg(element->SVGTypeName(), ArtworkElementKindName(Row.Kind)));
        if (Row.Within != nullptr) {
            const TSVGElement* container = FindElement(FDocument, Row.Within);
            if (container != nullptr && !container->HasDescendant(element))
                Misplaced(id, QStringLiteral("lies outside %1").arg(QString::fromLatin1(Row.Within)));
        }
        if (Row.Place != TArtworkPlace::apAnywhere && FActive != nullptr) {
            const TArtworkPlace place = PlaceOf(*element, *FActive);
            if (place != Row.Place)
                Misplaced(id, QStringLiteral("lies %1, not %2").arg(PlaceName(place), PlaceName(Row.Place)));
        }
        const int children = CountedChildren(*element, Row.Kind);
        if (children < Row.MinChildren)
            Misplaced(id, QStringLiteral("has %1 %2, not at least %3")
                              .arg(children)
                              .arg(Row.Kind == TArtworkElementKind::ekGradient ? QStringLiteral("stops")
                                                                             : QStringLiteral("children"))
                              .arg(Row.MinChildren));
        const TSVGGraphicElement* graphic = element->AsGraphicElement();
        if (Row.Rules.Contains(TArtworkRule::arUntransformed) && graphic != nullptr && !graphic->Matrix().isIdentity())
            Misplaced(id, QStringLiteral("carries a transform, which turning it replaces"));
    }

    TArtworkFindings Findings;

private:
    void Misplaced(const QString& ID, const QString& Why) { Findings.Misplaced << ID + u' ' + Why; }

    const TArtworkContract& FContract;
    const TSVGDocument& FDocument;
    const TSVGElement* FActive;
};

} // namespace

QString ArtworkElementKindName(TArtworkElementKind Kind)
{
    static constexpr std::array<const char*, EnumCount(TArtworkElementKind{})> names{
        "graphic", "group", "path", "text", "rect", "gradient", "use"};
    return QString::fromLatin1(names[static_cast<std::size_t>(Kind)]);
}

std::optional<TArtworkKind> ArtworkKindByName(const QString& Name)
{
    for (const TArtworkContract& contract : ArtworkContracts())
        if (Name.compare(QLatin1String(contract.Name), Qt::CaseInsensitive) == 0 ||
            Name.compare(QLatin1String(contract.ResourceName), Qt::CaseInsensitive) == 0)
            return contract.Kind;
    return std::nullopt;
}

QStringList DuplicateArtworkIDs(const QByteArray& Text)
{
    TXMLDocument xml;
    xml.LoadFromBytes(Text);
    QSet<QString> seen;
    QStringList duplicates;
    // Depth first in document order, with a stack of its own instead of recursion.
    std::vector<TXMLNode> pending{xml.DocumentElement()};
    while (!pending.empty()) {
        const TXMLNode node = pending.back();
        pending.pop_back();
        if (!node || node.NodeType() != TNodeType::ntElement)
            continue;
        if (node.HasAttribute(QStringLiteral("id"))) {
            const QString id = node.Attribute(QStringLiteral("id"));
            if (seen.contains(id) && !duplicates.contains(id))
                duplicates << id;
            seen.insert(id);
        }
        const std::vector<TXMLNode> children = node.ChildNodes();
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return duplicates;
}

QStringList TArtworkFindings::Lines() const
{
    QStringList lines;
    for (const QString& id : Missing)
        lines << QStringLiteral("missing: ") + id;
    for (const QString& finding : Misplaced)
        lines << QStringLiteral("misplaced: ") + finding;
    for (const QString& id : Extra)
        lines << QStringLiteral("extra: ") + id + QStringLiteral(" occurs more than once");
    return lines;
}

TArtworkFindings CheckArtwork(const TArtworkContract& Contract, const TSVGDocument& Document,
                              const QStringList& DuplicateIDs)
{
    TContractCheck check(Contract, Document);
    for (const TArtworkElement& row : Contract.Elements)
        check.Check(row);
    check.Findings.Extra = DuplicateIDs;
    return check.Findings;
}

} // namespace zor
