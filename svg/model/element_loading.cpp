// Reading elements from XML: the steps every element takes, the core
// attributes and the forms in which elements make their children.

#include <QRegularExpression>

#include "platform/exceptions.h"
#include "platform/update_scope.h"
#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/document.h"
#include "svg/model/element.h"
#include "svg/model/element_classes.h"
#include "svg/model/model_messages.h"

namespace zor {

// Between DoParsingNode and the end of the reading the element is in
// esReading; the scope ends it on every exit path, the normal one through
// DoParsedNode, which the document hears of.
class TSVGReadingScope {
public:
    TSVGReadingScope(TSVGElement& Element, const TXMLNode& Node)
        : FElement(Element)
    {
        FElement.DoParsingNode(&FElement, Node);
    }
    ~TSVGReadingScope() { FElement.FElementState.Exclude(TSVGElementStateFlag::esReading); }
    TSVGReadingScope(const TSVGReadingScope&) = delete;
    TSVGReadingScope& operator=(const TSVGReadingScope&) = delete;

    void Finished() { FElement.DoParsedNode(&FElement); }

private:
    TSVGElement& FElement;
};

namespace {

// Names that vector drawing programs write for their own use, and filters,
// which this renderer does not draw: passed over whatever the options say.
constexpr QByteArrayView SVGNamespace = "http://www.w3.org/2000/svg";

bool IsIgnoredName(const QString& Name)
{
    return Name == u"namedview" || Name == u"perspective" || Name == u"filter";
}

QStringList SplitList(const QString& Text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return Text.split(separators, Qt::SkipEmptyParts);
}

} // namespace

void TSVGElement::LoadFromXML(const TXMLNode& Node)
{
    TUpdateScope update(*this);
    TSVGReadingScope reading(*this, Node);
    if (Node.NodeType() == TNodeType::ntElement)
        LoadAttributes(Node);
    LoadChildren(Node);
    reading.Finished();
}

void TSVGElement::LoadAttributes(const TXMLNode& Node)
{
    const TSVGAttributeReader reader(*this, Node);
    if (const std::optional<QString> id = reader.Text(QStringLiteral("id")))
        SetID(*id);
    if (const std::optional<QString> lang = reader.Text(QStringLiteral("lang")))
        SetLanguage(*lang);
    else if (const std::optional<QString> xmlLang = Node.AttributeIfPresent(QStringLiteral("lang"), XMLNamespaceURI()))
        SetLanguage(*xmlLang);

    // A title child, read with the children, takes the place of the attribute.
    if (const std::optional<QString> title = reader.Text(QStringLiteral("title")))
        SetTitle(*title);

    // A list is made only for an attribute that is there.
    const auto readList = [this, &reader](const QString& Name, TListField Field) {
        if (const std::optional<QString> text = reader.Text(Name))
            List(Field).Assign(SplitList(*text));
    };
    readList(QStringLiteral("class"), &TExtras::Classes);
    readList(QStringLiteral("requiredFeatures"), &TExtras::RequiredFeatures);
    readList(QStringLiteral("requiredExtensions"), &TExtras::RequiredExtensions);
    readList(QStringLiteral("systemLanguage"), &TExtras::SystemLanguages);
}

void TSVGElement::LoadChildren(const TXMLNode& Node)
{
    TDescriptiveChildren descriptive;
    for (TXMLChildWalk children(Node); const TXMLNode child = children.Next();) {
        if (descriptive.Read(*this, child))
            continue;
        if (TSVGElement* element = CreateChild(child))
            element->LoadFromXML(child);
    }
}

void TSVGElement::ReadDescriptiveChildren(const TXMLNode& Node)
{
    TDescriptiveChildren descriptive;
    for (TXMLNode child = Node.FirstChild(); child; child = child.NextSibling())
        descriptive.Read(*this, child);
}

bool TSVGElement::TDescriptiveChildren::Read(TSVGElement& Element, const TXMLNode& Child)
{
    if (Child.NodeType() != TNodeType::ntElement)
        return false;
    const QByteArrayView name = Child.LocalNameUtf8();
    if (name == "title") {
        // The first title child, when it says anything, is the title.
        if (!FTitleRead) {
            FTitleRead = true;
            if (const QString title = Child.Text(); !title.isEmpty())
                Element.SetTitle(title);
        }
        return true;
    }
    if (name == "desc") {
        if (!FDescriptionRead) {
            FDescriptionRead = true;
            Element.Description().SetText(Child.Text());
        }
        return true;
    }
    return false;
}

TSVGElement* TSVGElement::CreateChild(const TXMLNode& Node)
{
    const QString name = Node.LocalName();
    const TNodeType type = Node.NodeType();
    if (name.isEmpty() || (type != TNodeType::ntElement && type != TNodeType::ntEntityRef))
        return nullptr;
    // The description and title are read by LoadChildren.
    if (name == u"desc" || name == u"title" || IsIgnoredName(name))
        return nullptr;
    if (Options().Contains(TSVGOption::soSkipUnknownXML))
        return nullptr;
    Raise<ESVGException>(QString::fromLatin1(messages::UnknownElement), {NodeTypeName(Node.NodeType()), name});
}

TSVGElement* TSVGElement::CreateChildOfKinds(const TXMLNode& Node, const TSVGElementTypes& Kinds)
{
    const TSVGElementType kind = NodeKind(Node);
    if (kind != TSVGElementType::etNone && Kinds.Contains(kind))
        return AppendNewChild(kind);
    return TSVGElement::CreateChild(Node);
}

TSVGElementType TSVGElement::NodeKind(const TXMLNode& Node)
{
    if (Node.NodeType() != TNodeType::ntElement)
        return TSVGElementType::etNone;
    const QByteArrayView space = Node.NamespaceURIUtf8();
    if (!space.isEmpty() && space != SVGNamespace)
        return TSVGElementType::etNone;
    return SVGElementTypeByName(Node.LocalNameUtf8());
}

TSVGElement* TSVGElement::AppendNewChild(TSVGElementType Kind)
{
    std::unique_ptr<TSVGElement> child = CreateSVGElement(Kind, ChildOwner());
    // A refused child stays in the unique_ptr and is freed on the way out.
    return child ? AppendChild(std::move(child)) : nullptr;
}

void TSVGElement::DoParsingNode(TSVGElement* Sender, const TXMLNode& Node)
{
    if (FOwner != nullptr && static_cast<TSVGElement*>(FOwner) != this)
        FOwner->DoParsingNode(Sender, Node);
    if (Sender == this)
        FElementState.Include(TSVGElementStateFlag::esReading);
}

void TSVGElement::DoParsedNode(TSVGElement* Sender)
{
    if (FOwner != nullptr && static_cast<TSVGElement*>(FOwner) != this)
        FOwner->DoParsedNode(Sender);
    if (Sender == this)
        FElementState.Exclude(TSVGElementStateFlag::esReading);
}

} // namespace zor
