#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "platform/xml_document.h"
#include "platform/xml_stream.h"
#include "platform/xml_support.h"

namespace zor {

namespace {

using xml::ToQString;
using xml::TUtf8;

constexpr std::array<const char*, EnumCount(TNodeType{})> NodeTypeNames = {
    "ntReserved", "ntElement",         "ntAttribute", "ntText",     "ntCData",   "ntEntityRef",    "ntEntity",
    "ntProcessingInstr", "ntComment", "ntDocument",  "ntDocType", "ntDocFragment", "ntNotation"};

// libxml2's node types (xmlElementType, numbered from 1) in order.
constexpr std::array<TNodeType, 22> KindOfLibxmlType = {
    TNodeType::ntReserved,        // (none)
    TNodeType::ntElement,         // XML_ELEMENT_NODE
    TNodeType::ntAttribute,       // XML_ATTRIBUTE_NODE
    TNodeType::ntText,            // XML_TEXT_NODE
    TNodeType::ntCData,           // XML_CDATA_SECTION_NODE
    TNodeType::ntEntityRef,       // XML_ENTITY_REF_NODE
    TNodeType::ntEntity,          // XML_ENTITY_NODE
    TNodeType::ntProcessingInstr, // XML_PI_NODE
    TNodeType::ntComment,         // XML_COMMENT_NODE
    TNodeType::ntDocument,        // XML_DOCUMENT_NODE
    TNodeType::ntDocType,         // XML_DOCUMENT_TYPE_NODE
    TNodeType::ntDocFragment,     // XML_DOCUMENT_FRAG_NODE
    TNodeType::ntNotation,        // XML_NOTATION_NODE
    TNodeType::ntDocument,        // XML_HTML_DOCUMENT_NODE
    TNodeType::ntDocType,         // XML_DTD_NODE
    TNodeType::ntReserved,        // XML_ELEMENT_DECL
    TNodeType::ntReserved,        // XML_ATTRIBUTE_DECL
    TNodeType::ntEntity,          // XML_ENTITY_DECL
    TNodeType::ntReserved,        // XML_NAMESPACE_DECL
    TNodeType::ntReserved,        // XML_XINCLUDE_START
    TNodeType::ntReserved,        // XML_XINCLUDE_END
    TNodeType::ntDocument,        // XML_DOCB_DOCUMENT_NODE
};
static_assert(XML_ELEMENT_NODE == 1 && XML_DOCB_DOCUMENT_NODE == 21);

constexpr std::pair<const char*, const char*> ReservedPrefixes[] = {
    {"xml", "http://www.w3.org/XML/1998/namespace"},
    {"xmlns", "http://www.w3.org/2000/xmlns/"},
};

// An element's name after its prefix: a prefix that no declaration binds
// stays part of the name libxml2 stores.
const xmlChar* LocalPart(const xmlNode* Element)
{
    const xmlChar* colon = xmlStrchr(Element->name, ':');
    return colon ? colon + 1 : Element->name;
}

// Utf8 holds the same text as Text. Names are nearly always ASCII, and
// those compare byte for character without converting either side: a
// loader asks every element for a dozen attributes.
bool SameText(const xmlChar* Utf8, QStringView Text)
{
    qsizetype i = 0;
    for (; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        if (c == 0 || c >= 0x80)
            return ToQString(Utf8) == Text;
        if (Utf8[i] != c)
            return false;
    }
    return Utf8[i] == 0;
}

xmlAttr* FindAttribute(xmlNode* Element, const QString& Name, const QString& NamespaceURI)
{
    if (Element == nullptr || Element->type != XML_ELEMENT_NODE)
        return nullptr;
    for (xmlAttr* attribute = Element->properties; attribute != nullptr; attribute = attribute->next) {
        if (!SameText(attribute->name, Name))
            continue;
        if (NamespaceURI.isEmpty() ? attribute->ns == nullptr
                                   : attribute->ns != nullptr && attribute->ns->href != nullptr &&
                                         SameText(attribute->ns->href, NamespaceURI))
            return attribute;
    }
    return nullptr;
}

// The value of Attribute as UTF-8. Most values are one text node, shown in
// place; entity references and split text are joined by libxml2 into Joined.
QByteArrayView AttributeUtf8(xmlAttr* Attribute, QByteArray& Joined)
{
    const xmlNode* only = Attribute->children;
    if (only == nullptr)
        return QByteArrayView("");
    if (only->next == nullptr && only->type == XML_TEXT_NODE && only->content != nullptr)
        return QByteArrayView(reinterpret_cast<const char*>(only->content));
    const std::unique_ptr<xmlChar, xml::TXmlFree> text(xmlNodeListGetString(Attribute->doc, Attribute->children, 1));
    Joined = text ? QByteArray(reinterpret_cast<const char*>(text.get())) : QByteArray("");
    return Joined;
}

QString AttributeValue(xmlAttr* Attribute)
{
    QByteArray joined;
    return QString::fromUtf8(AttributeUtf8(Attribute, joined));
}

// A namespace bound to URI with a prefix in Element's scope, preferring Prefix.
xmlNs* PrefixedNamespace(xmlNode* Element, const TUtf8& URI, const TUtf8& Prefix)
{
    if (xmlNs* ns = xmlSearchNs(Element->doc, Element, Prefix.OrNull());
        ns != nullptr && ns->prefix != nullptr && xmlStrEqual(ns->href, URI.Get()))
        return ns;
    const std::unique_ptr<xmlNs*, xml::TXmlFree> inScope(xmlGetNsList(Element->doc, Element));
    for (xmlNs** ns = inScope.get(); ns != nullptr && *ns != nullptr; ++ns)
        if ((*ns)->prefix != nullptr && xmlStrEqual((*ns)->href, URI.Get()))
            return *ns;
    return nullptr;
}

// Prefix when it is free in Element's scope, else the first free "nsN".
QByteArray FreePrefix(xmlNode* Element, const QByteArray& Prefix)
{
    QByteArray candidate = Prefix;
    for (int n = 1; candidate.isEmpty() || xmlSearchNs(Element->doc, Element, BAD_CAST candidate.constData()); ++n)
        candidate = "ns" + QByteArray::number(n);
    return candidate;
}

struct TFreeBuffer {
    void operator()(xmlBuffer* Buffer) const { xmlBufferFree(Buffer); }
};
struct TFreeNodeList {
    void operator()(xmlNode* First) const { xmlFreeNodeList(First); }
};

} // namespace

QString NodeTypeName(TNodeType Value)
{
    return QString::fromLatin1(NodeTypeNames[static_cast<std::size_t>(Value)]);
}

TNodeType TXMLNode::NodeType() const
{
    if (FNode == nullptr)
        return TNodeType::ntReserved;
    const auto index = static_cast<std::size_t>(FNode->type);
    return index < KindOfLibxmlType.size() ? KindOfLibxmlType[index] : TNodeType::ntReserved;
}

QString TXMLNode::LocalName() const
{
    const QByteArrayView name = LocalNameUtf8();
    return name.isNull() ? QString() : QString::fromUtf8(name);
}

QByteArrayView TXMLNode::LocalNameUtf8() const
{
    const auto view = [](const xmlChar* Text) {
        return Text != nullptr ? QByteArrayView(reinterpret_cast<const char*>(Text)) : QByteArrayView();
    };
    if (FNode == nullptr)
        return {};
    switch (FNode->type) {
    case XML_ELEMENT_NODE:
        return view(LocalPart(FNode));
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
    case XML_DTD_NODE:
    case XML_ENTITY_DECL:
        return view(FNode->name);
    default:
        return {};
    }
}

QString TXMLNode::Prefix() const
{
    if (FNode == nullptr || FNode->type != XML_ELEMENT_NODE)
        return {};
    if (FNode->ns != nullptr)
        return ToQString(FNode->ns->prefix);
    const xmlChar* local = LocalPart(FNode);
    return local == FNode->name ? QString() : QString::fromUtf8(reinterpret_cast<const char*>(FNode->name),
                                                                 local - 1 - FNode->name);
}

QString TXMLNode::NamespaceURI() const
{
    const QByteArrayView space = NamespaceURIUtf8();
    return space.isNull() ? QString() : QString::fromUtf8(space);
}

QByteArrayView TXMLNode::NamespaceURIUtf8() const
{
    if (FNode == nullptr || FNode->type != XML_ELEMENT_NODE || FNode->ns == nullptr || FNode->ns->href == nullptr)
        return {};
    return QByteArrayView(reinterpret_cast<const char*>(FNode->ns->href));
}

namespace {

// In a streamed document: waits for the whole content of Node.
void AwaitContent(xmlNode* Node)
{
    if (xml::TXMLStream* stream = xml::TXMLStream::Of(Node))
        stream->AwaitClose(Node);
}

// In a streamed document: a node other than an element is handed out once
// it is complete (character data may still grow until the next node starts).
xmlNode* Settled(xmlNode* Node)
{
    if (Node != nullptr && Node->type != XML_ELEMENT_NODE)
        if (xml::TXMLStream* stream = xml::TXMLStream::Of(Node))
            stream->AwaitNext(Node);
    return Node;
}

} // namespace

QString TXMLNode::Text() const
{
    if (FNode == nullptr)
        return {};
    AwaitContent(FNode);
    switch (FNode->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return ToQString(FNode->content);
    case XML_ENTITY_REF_NODE: {
        xmlEntity* entity = xml::EntityOf(FNode);
        return entity ? QString::fromUtf8(xml::TextOfList(entity->children)) : QString();
    }
    case XML_ELEMENT_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
    case XML_ENTITY_DECL:
        return QString::fromUtf8(xml::TextOfList(FNode->children));
    default:
        return {};
    }
}

bool TXMLNode::IsTextElement() const
{
    if (FNode != nullptr)
        AwaitContent(FNode);
    return FNode != nullptr && FNode->type == XML_ELEMENT_NODE && FNode->children != nullptr &&
           FNode->children == FNode->last && FNode->children->type == XML_TEXT_NODE;
}

QString TXMLNode::Xml() const
{
    if (FNode == nullptr)
        return {};
    AwaitContent(FNode);
    std::unique_ptr<xmlBuffer, TFreeBuffer> buffer(xmlBufferCreate());
    xmlNodeDump(buffer.get(), FNode->doc, FNode, 0, 0);
    return QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                             xmlBufferLength(buffer.get()));
}

TXMLNode TXMLNode::FirstChild() const
{
    if (FNode == nullptr)
        return {};
    if (FNode->type == XML_ENTITY_REF_NODE) {
        xmlEntity* entity = xml::EntityOf(FNode);
        return TXMLNode(entity ? entity->children : nullptr);
    }
    if (xml::TXMLStream* stream = xml::TXMLStream::Of(FNode))
        stream->AwaitChild(FNode);
    return TXMLNode(Settled(FNode->children));
}

TXMLNode TXMLNode::NextSibling() const
{
    if (FNode == nullptr)
        return {};
    if (xml::TXMLStream* stream = xml::TXMLStream::Of(FNode))
        stream->AwaitNext(FNode);
    return TXMLNode(Settled(FNode->next));
}

TXMLChildWalk::TXMLChildWalk(const TXMLNode& Parent)
    : FParent(Parent)
{
}

TXMLNode TXMLChildWalk::Next()
{
    if (!FStarted) {
        FStarted = true;
        FCurrent = FParent.FirstChild();
        return FCurrent;
    }
    if (!FCurrent)
        return {};
    const TXMLNode passed = FCurrent;
    FCurrent = passed.NextSibling();
    // Only nodes of a streamed tree are let go: the children of an entity
    // reference belong to the entity's declaration, and a document read as a
    // whole is the caller's to keep. The last child stays: the stream goes on
    // from the last node it has checked.
    xmlNode* node = passed.FNode;
    if (FCurrent && xml::TXMLStream::Of(node) != nullptr && node->parent == FParent.FNode && node->parent != nullptr
        && node->parent->type == XML_ELEMENT_NODE) {
        xmlUnlinkNode(node);
        xmlFreeNode(node);
    }
    return FCurrent;
}

std::vector<TXMLNode> TXMLNode::ChildNodes() const
{
    std::vector<TXMLNode> children;
    for (TXMLNode child = FirstChild(); child; child = child.NextSibling())
        children.push_back(child);
    return children;
}

TXMLNode TXMLNode::FindChildElement(const QString& LocalName) const
{
    for (TXMLNode child = FirstChild(); child; child = child.NextSibling())
        if (child.FNode->type == XML_ELEMENT_NODE && SameText(LocalPart(child.FNode), LocalName))
            return child;
    return {};
}

std::vector<TXMLAttribute> TXMLNode::Attributes() const
{
    std::vector<TXMLAttribute> attributes;
    if (FNode == nullptr || FNode->type != XML_ELEMENT_NODE)
        return attributes;
    for (xmlAttr* attribute = FNode->properties; attribute != nullptr; attribute = attribute->next) {
        const xmlNs* ns = attribute->ns;
        attributes.push_back({ToQString(attribute->name), ns ? ToQString(ns->prefix) : QString(),
                              ns ? ToQString(ns->href) : QString(), AttributeValue(attribute)});
    }
    return attributes;
}

void TXMLNode::VisitAttributes(TAttributeVisit Visit, void* Context) const
{
    if (FNode == nullptr || FNode->type != XML_ELEMENT_NODE)
        return;
    const auto view = [](const xmlChar* Text) {
        return Text != nullptr ? QByteArrayView(reinterpret_cast<const char*>(Text)) : QByteArrayView();
    };
    for (xmlAttr* attribute = FNode->properties; attribute != nullptr; attribute = attribute->next) {
        const QByteArrayView space = attribute->ns != nullptr ? view(attribute->ns->href) : QByteArrayView();
        QByteArray joined;
        Visit(Context, view(attribute->name), space, AttributeUtf8(attribute, joined));
    }
}

bool TXMLNode::HasAttribute(const QString& Name, const QString& NamespaceURI) const
{
    return FindAttribute(FNode, Name, NamespaceURI) != nullptr;
}

QString TXMLNode::Attribute(const QString& Name, const QString& NamespaceURI) const
{
    xmlAttr* attribute = FindAttribute(FNode, Name, NamespaceURI);
    return attribute ? AttributeValue(attribute) : QString();
}

std::optional<QString> TXMLNode::AttributeIfPresent(const QString& Name, const QString& NamespaceURI) const
{
    xmlAttr* attribute = FindAttribute(FNode, Name, NamespaceURI);
    return attribute ? std::optional<QString>(AttributeValue(attribute)) : std::nullopt;
}

bool TXMLNode::ReadAttributeUtf8(const QString& Name, QByteArray& Joined, QByteArrayView& Value) const
{
    xmlAttr* attribute = FindAttribute(FNode, Name, QString());
    if (attribute == nullptr)
        return false;
    Value = AttributeUtf8(attribute, Joined);
    return true;
}

QString TXMLNode::LookupNamespaceURI(const QString& Prefix) const
{
    if (FNode == nullptr)
        return {};
    const xmlNs* ns = xmlSearchNs(FNode->doc, FNode, TUtf8(Prefix).OrNull());
    return ns ? ToQString(ns->href) : QString();
}

_xmlNode* TXMLNode::Element(const char* Operation) const
{
    if (FNode == nullptr)
        Raise<EXMLDocError>(messages::XMLNullNode, {QString::fromLatin1(Operation)});
    if (FNode->type != XML_ELEMENT_NODE)
        Raise<EXMLDocError>(messages::XMLNotAnElement, {QString::fromLatin1(Operation), NodeTypeName(NodeType())});
    return FNode;
}

TXMLNode TXMLNode::AddChild(const QString& LocalName, const QString& NamespaceURI)
{
    xmlNode* parent = Element("AddChild");
    xmlNode* child = xmlAddChild(parent, xmlNewDocNode(parent->doc, nullptr, TUtf8(LocalName).Get(), nullptr));
    if (!NamespaceURI.isEmpty()) {
        const TUtf8 uri(NamespaceURI);
        xmlNs* ns = xmlSearchNsByHref(parent->doc, parent, uri.Get());
        xmlSetNs(child, ns ? ns : xmlNewNs(child, uri.Get(), nullptr));
    } else if (const xmlNs* inherited = xmlSearchNs(parent->doc, parent, nullptr);
               inherited != nullptr && inherited->href != nullptr && inherited->href[0] != 0) {
        // Written without this, the child would read back in the parent's
        // default namespace.
        xmlNewNs(child, BAD_CAST "", nullptr);
    }
    return TXMLNode(child);
}

void TXMLNode::SetAttribute(const QString& QualifiedName, const QString& Value, const QString& NamespaceURI)
{
    xmlNode* element = Element("SetAttribute");
    const TUtf8 value(Value);
    if (NamespaceURI.isEmpty()) {
        xmlSetNsProp(element, nullptr, TUtf8(QualifiedName).Get(), value.Get());
        return;
    }
    const qsizetype colon = QualifiedName.indexOf(u':');
    const TUtf8 prefix(colon < 0 ? QString() : QualifiedName.left(colon));
    const TUtf8 uri(NamespaceURI);
    xmlNs* ns = PrefixedNamespace(element, uri, prefix);
    if (ns == nullptr) {
        const QByteArray chosen = FreePrefix(element, QualifiedName.left(std::max<qsizetype>(colon, 0)).toUtf8());
        ns = xmlNewNs(element, uri.Get(), BAD_CAST chosen.constData());
    }
    xmlSetNsProp(element, ns, TUtf8(QualifiedName.mid(colon + 1)).Get(), value.Get());
}

void TXMLNode::RemoveAttribute(const QString& Name, const QString& NamespaceURI)
{
    if (xmlAttr* attribute = FindAttribute(Element("RemoveAttribute"), Name, NamespaceURI))
        xmlRemoveProp(attribute);
}

void TXMLNode::DeclareNamespace(const QString& Prefix, const QString& URI)
{
    xmlNode* element = Element("DeclareNamespace");
    // These two are bound from the start and can be bound to nothing else.
    for (const auto& [reserved, fixed] : ReservedPrefixes) {
        if (Prefix != QLatin1String(reserved))
            continue;
        if (URI != QLatin1String(fixed))
            Raise<EXMLDocError>(messages::XMLPrefixBound, {Prefix, QString::fromLatin1(fixed)});
        return;
    }
    const TUtf8 prefix(Prefix);
    const TUtf8 uri(URI);
    for (const xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
        if (!xmlStrEqual(ns->prefix, prefix.OrNull()))
            continue;
        if (xmlStrEqual(ns->href, uri.Get()))
            return;
        Raise<EXMLDocError>(messages::XMLPrefixBound, {Prefix, ToQString(ns->href)});
    }
    xmlNs* ns = xmlNewNs(element, uri.Get(), prefix.OrNull());
    // An element in no namespace that declares a default one is read back in it.
    if (Prefix.isEmpty() && element->ns == nullptr)
        xmlSetNs(element, ns);
}

void TXMLNode::SetText(const QString& Value)
{
    xmlNode* element = Element("SetText");
    xmlNodeSetContent(element, nullptr);
    xmlNodeAddContent(element, TUtf8(Value).Get());
}

void TXMLNode::AddText(const QString& Value)
{
    xmlNode* element = Element("AddText");
    xmlNode* text = xmlNewDocText(element->doc, TUtf8(Value).Get());
    if (text == nullptr || xmlAddChild(element, text) == nullptr) {
        xmlFreeNode(text);
        Raise<EXMLDocError>(messages::XMLCannotWrite, {QStringLiteral("out of memory")});
    }
}

void TXMLNode::Remove()
{
    if (FNode == nullptr)
        Raise<EXMLDocError>(messages::XMLNullNode, {QStringLiteral("Remove")});
    xmlUnlinkNode(FNode);
    xmlFreeNode(FNode);
    FNode = nullptr;
}

void TXMLNode::AppendMarkup(const QString& Markup)
{
    xmlNode* element = Element("AppendMarkup");
    if (Markup.isEmpty())
        return;
    const QByteArray text = Markup.toUtf8();
    xml::CheckDocumentSize(text.size());
    std::unique_ptr<xmlNode, TFreeNodeList> nodes;
    {
        xml::TErrorCapture errors;
        xmlNode* parsed = nullptr;
        const xmlParserErrors result =
            xmlParseInNodeContext(element, text.constData(), static_cast<int>(text.size()), xml::SafeParseOptions,
                                  &parsed);
        nodes.reset(parsed);
        if (result != XML_ERR_OK)
            errors.RaiseFirst();
    }
    xml::TEntityBudget(TXMLDocument::MaxEntityExpansion).Spend(element->doc, nodes.get());
    xmlAddChildList(element, nodes.release());
}

} // namespace zor
