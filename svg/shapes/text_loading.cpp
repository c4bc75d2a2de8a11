// Reading text elements from XML: their position lists, xml:space and
// references, and their content, where character data (CDATA sections too)
// becomes text and the text content elements become children.

#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"
#include "svg/values/number_parsers.h"

namespace zor {

namespace {

constexpr TSVGKeyword<TSVGTextPathMethod> MethodKeywords[] = {
    {u"align", TSVGTextPathMethod::tpmAlign},
    {u"stretch", TSVGTextPathMethod::tpmStretch},
};
constexpr TSVGKeyword<TSVGTextPathSpacing> SpacingKeywords[] = {
    {u"exact", TSVGTextPathSpacing::tpsExact},
    {u"auto", TSVGTextPathSpacing::tpsAuto},
};

} // namespace

void TSVGCustomText::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    reader.ReadLengths(QStringLiteral("x"), *FX);
    reader.ReadLengths(QStringLiteral("y"), *FY);
    reader.ReadLengths(QStringLiteral("dx"), *FDX);
    reader.ReadLengths(QStringLiteral("dy"), *FDY);
    if (const std::optional<QString> rotate = reader.Text(QStringLiteral("rotate")))
        FRotate = ParseNumberList(*rotate, FRotate);
    if (const std::optional<bool> preserve = reader.PreservesSpace())
        FXmlSpace = *preserve ? TSVGXmlSpace::xsPreserve : TSVGXmlSpace::xsDefault;
}

TSVGElement* TSVGCustomText::CreateChild(const TXMLNode& Node)
{
    switch (Node.NodeType()) {
    case TNodeType::ntText:
    case TNodeType::ntCData:
        AddTextContent(Node.Text());
        return nullptr;
    default:
        return CreateChildOfKinds(Node, ChildSVGTypes());
    }
}

void TSVGTextRef::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    if (const std::optional<QString> reference = TSVGAttributeReader(*this, Node).Href())
        SetReference(*reference);
}

void TSVGTextPath::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    if (const std::optional<QString> reference = reader.Href())
        SetReference(*reference);
    reader.ReadLength(QStringLiteral("startOffset"), *FStartOffset);
    reader.ReadEnum<TSVGTextPathMethod>(QStringLiteral("method"), MethodKeywords, FMethod);
    reader.ReadEnum<TSVGTextPathSpacing>(QStringLiteral("spacing"), SpacingKeywords, FSpacing);
}

} // namespace zor
