// Writing elements to XML: the steps every element takes, the core
// attributes and the child nodes.

#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/model/document.h"
#include "svg/model/element.h"
#include "svg/model/save_context.h"

namespace zor {

// From the decision to write the element to the end of its writing the
// element is in esWriting; the scope ends it on every exit path.
class TSVGWritingScope {
public:
    explicit TSVGWritingScope(TSVGElement& Element)
        : FElement(Element)
    {
        FElement.FElementState.Include(TSVGElementStateFlag::esWriting);
    }
    ~TSVGWritingScope() { FElement.FElementState.Exclude(TSVGElementStateFlag::esWriting); }
    TSVGWritingScope(const TSVGWritingScope&) = delete;
    TSVGWritingScope& operator=(const TSVGWritingScope&) = delete;

private:
    TSVGElement& FElement;
};

namespace {

const QString SVGNamespaceURI = QStringLiteral("http://www.w3.org/2000/svg");
const QString DefaultFormatStr = QStringLiteral("0.###");

// The outermost document of Element's tree, or null.
const TSVGDocument* OutermostDocument(const TSVGElement& Element)
{
    const TSVGDocument* document = Element.Owner();
    if (document == nullptr)
        document = dynamic_cast<const TSVGDocument*>(&Element);
    while (document != nullptr && document->Owner() != nullptr)
        document = document->Owner();
    return document;
}

} // namespace

bool TSVGElement::SaveToXML(TXMLNode& Node)
{
    if (!DoSavingElement(Node))
        return false;
    TSVGWritingScope writing(*this);
    {
        TSVGAttributeWriter writer(*this, Node, SaveFormatStr());
        SaveAttributes(writer);
    }
    if (TSVGSaveContext* context = TSVGSaveContext::Of(*this))
        context->ElementWritten(*this, Node);
    SaveChildren(Node);
    DoSavedElement(Node);
    return true;
}

QString TSVGElement::ToString()
{
    TXMLDocument xml;
    TXMLNode node = xml.CreateDocumentElement(SVGTypeName(), SVGNamespaceURI);
    node.DeclareNamespace(QStringLiteral("xlink"), XLinkNamespace.toString());
    SaveToXML(node);
    return QString::fromUtf8(xml.SaveToBytes());
}

bool TSVGElement::IsCompactExport() const
{
    return Options().Contains(TSVGOption::soCompactExport);
}

QString TSVGElement::SaveFormatStr() const
{
    if (const TSVGSaveContext* context = TSVGSaveContext::Of(*this); context != nullptr && context->FormatStr())
        return *context->FormatStr();
    if (const TSVGDocument* document = OutermostDocument(*this))
        return document->FormatStr();
    return DefaultFormatStr;
}

void TSVGElement::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    const QString id = ID();
    const bool generated = TSVGDocument::IsProvisionalID(id);
    Writer.WriteAttribute(QStringLiteral("id"), id, id.isEmpty() || generated);
    Writer.WriteAttribute(QStringLiteral("lang"), Language(), Language().isEmpty());
    Writer.WriteChildText(QStringLiteral("title"), Title());
    Writer.WriteChildText(QStringLiteral("desc"), Description().Text());
    Writer.WriteListAttribute(QStringLiteral("class"), Classes().ToStringList());
    Writer.WriteListAttribute(QStringLiteral("requiredFeatures"), RequiredFeatures().ToStringList());
    Writer.WriteListAttribute(QStringLiteral("requiredExtensions"), RequiredExtensions().ToStringList());
    Writer.WriteListAttribute(QStringLiteral("systemLanguage"), SystemLanguages().ToStringList());
}

void TSVGElement::SaveChildren(TXMLNode& Node)
{
    for (TSVGElement* child : FItems) {
        TXMLNode childNode = Node.AddChild(child->SVGTypeName(), SVGNamespaceURI);
        if (!child->SaveToXML(childNode))
            childNode.Remove();
    }
}

bool TSVGElement::DoSavingElement(TXMLNode& Node)
{
    auto* document = const_cast<TSVGDocument*>(OutermostDocument(*this));
    if (document == nullptr)
        return IsEnabled();
    if (!IsEnabled() && !Options().Contains(TSVGOption::soExportDisabled))
        return false;
    bool save = true;
    Fire(document->OnSavingElement, document, this, save, Node);
    return save;
}

void TSVGElement::DoSavedElement(TXMLNode& Node)
{
    if (TSVGDocument* document = const_cast<TSVGDocument*>(OutermostDocument(*this)))
        Fire(document->OnSavedElement, document, this, Node);
}

} // namespace zor
