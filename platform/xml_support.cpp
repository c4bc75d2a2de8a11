#include "platform/xml_support.h"

#include <QRegularExpression>
#include <algorithm>
#include <memory>

#include "platform/xml_document.h"

namespace zor::xml {

void CheckDocumentSize(qsizetype Size)
{
    if (Size > MaxDocumentSize)
        Raise<EXMLDocError>(messages::XMLTooLarge, {QString::number(MaxDocumentSize)});
}

TErrorCapture::TErrorCapture()
    : FSavedHandler(xmlStructuredError)
    , FSavedContext(xmlStructuredErrorContext)
{
    xmlSetStructuredErrorFunc(this, &TErrorCapture::Collect);
}

TErrorCapture::~TErrorCapture()
{
    xmlSetStructuredErrorFunc(FSavedContext, FSavedHandler);
}

void TErrorCapture::Collect(void* Self, xmlErrorPtr Error)
{
    auto* capture = static_cast<TErrorCapture*>(Self);
    if (Error == nullptr || Error->level < XML_ERR_ERROR)
        return;
    TReport& report = Error->level == XML_ERR_FATAL ? capture->FFatal : capture->FError;
    if (report.Code != 0)
        return;
    report.Code = Error->code;
    report.Line = Error->line;
    report.Column = Error->int2;
    // libxml2 ends its texts with a line break and may add a second line
    // (the offending bytes), which read better on one line. Its advice to
    // lift its limits names an option that is never offered here.
    static const QRegularExpression advice(QStringLiteral(",? use XML_PARSE_HUGE( option)?"));
    report.Message = QString::fromUtf8(Error->message ? Error->message : "").simplified().remove(advice);
}

void TErrorCapture::RaiseFirst() const
{
    const TReport& report = FFatal.Code != 0 ? FFatal : FError;
    if (report.Code == XML_ERR_ENTITY_LOOP)
        Raise<EXMLDocError>(messages::XMLEntityExpansion, {QString::number(TXMLDocument::MaxEntityExpansion)});
    RaiseFirstAs(report.Message.isEmpty() ? QStringLiteral("the parser gave no reason") : report.Message);
}

bool TErrorCapture::StoppedLookingAhead() const
{
    const TReport& report = FFatal.Code != 0 ? FFatal : FError;
    return report.Code == XML_ERR_INTERNAL_ERROR && report.Message.contains(QStringLiteral("Huge input lookup"));
}

void TErrorCapture::RaiseFirstAs(const QString& Message) const
{
    const TReport& report = FFatal.Code != 0 ? FFatal : FError;
    Raise<EXMLDocError>(messages::XMLMalformed, {QString::number(report.Line), QString::number(report.Column), Message});
}

xmlEntity* EntityOf(xmlNode* Reference)
{
    // A reference made while parsing points at its declaration directly.
    if (Reference->children != nullptr && Reference->children->type == XML_ENTITY_DECL)
        return reinterpret_cast<xmlEntity*>(Reference->children);
    return xmlGetDocEntity(Reference->doc, Reference->name);
}

QByteArray TextOfList(xmlNode* First)
{
    QByteArray text;
    WalkNodes(First, [&](xmlNode* node) {
        switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            text += reinterpret_cast<const char*>(node->content);
            return false;
        case XML_ENTITY_REF_NODE:
            // Entities nest only as deep as libxml2 lets them (a few dozen
            // levels) and never in a loop, so this recursion is shallow.
            if (xmlEntity* entity = EntityOf(node))
                text += TextOfList(entity->children);
            return false;
        case XML_ELEMENT_NODE:
            return true;
        default:
            return false;
        }
    });
    return text;
}

namespace {

struct TFreeNodeList {
    void operator()(xmlNode* First) const { xmlFreeNodeList(First); }
};

} // namespace

TEntityBudget::TEntityBudget(std::size_t Limit)
    : FLimit(Limit)
{
}

void TEntityBudget::Spend(xmlDoc* Doc, xmlNode* First)
{
    WalkNodes(First, [&](xmlNode* node) {
        SpendOn(Doc, node);
        return node->type == XML_ELEMENT_NODE;
    });
}

void TEntityBudget::SpendOn(xmlDoc* Doc, xmlNode* Node)
{
    switch (Node->type) {
    case XML_ELEMENT_NODE:
        ResolveNamespaces(Doc, Node);
        for (xmlAttr* attribute = Node->properties; attribute != nullptr; attribute = attribute->next)
            Spend(Doc, attribute->children);
        break;
    case XML_ENTITY_REF_NODE:
        if (xmlEntity* entity = EntityOf(Node))
            Charge(EntitySize(entity));
        break;
    default:
        break;
    }
}

std::size_t TEntityBudget::ListSize(xmlNode* First)
{
    std::size_t size = 0;
    const auto add = [&](std::size_t more) { size = std::min(size + std::min(more, FLimit + 1), FLimit + 1); };
    WalkNodes(First, [&](xmlNode* node) {
        add(1);
        switch (node->type) {
        case XML_ELEMENT_NODE:
            for (xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next)
                add(ListSize(attribute->children));
            return true;
        case XML_ENTITY_REF_NODE:
            if (xmlEntity* entity = EntityOf(node))
                add(EntitySize(entity));
            return false;
        default:
            if (node->content != nullptr)
                add(static_cast<std::size_t>(xmlStrlen(node->content)));
            return false;
        }
    });
    return size;
}

std::size_t TEntityBudget::EntitySize(xmlEntity* Entity)
{
    const auto [entry, added] = FSizes.try_emplace(Entity, InProgress);
    if (!added) {
        if (entry->second == InProgress)
            Charge(InProgress);
        return entry->second;
    }
    const std::size_t size = ListSize(Entity->children);
    FSizes[Entity] = size;
    return size;
}

void TEntityBudget::Charge(std::size_t Size)
{
    FSpent = Size > FLimit - std::min(FSpent, FLimit) ? FLimit + 1 : FSpent + Size;
    if (FSpent > FLimit)
        Raise<EXMLDocError>(messages::XMLEntityExpansion, {QString::number(FLimit)});
}

void TEntityBudget::ResolveNamespaces(xmlDoc* Doc, xmlNode* Element)
{
    for (xmlNs* ns = Element->nsDef; ns != nullptr; ns = ns->next) {
        if (ns->href == nullptr || xmlStrchr(ns->href, '&') == nullptr)
            continue;
        // Files that name their namespaces through entities
        // (xmlns="&ns_svg;") mean the entity's text.
        std::unique_ptr<xmlNode, TFreeNodeList> parts(xmlStringGetNodeList(Doc, ns->href));
        Charge(ListSize(parts.get()));
        xmlChar* expanded = xmlNodeListGetString(Doc, parts.get(), 1);
        xmlFree(const_cast<xmlChar*>(ns->href));
        ns->href = expanded ? expanded : xmlStrdup(BAD_CAST "");
    }
}

} // namespace zor::xml
