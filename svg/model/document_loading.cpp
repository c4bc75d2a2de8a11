// Loading a document from XML text: the checks of the root element, the
// passes of a load, and style elements.

#include <QFileInfo>
#include <QRegularExpression>

#include "platform/exceptions.h"
#include "platform/update_scope.h"
#include "platform/xml_document.h"
#include "svg/model/document.h"
#include "svg/model/model_messages.h"

namespace zor {

namespace {

const QString SVGRootName = QStringLiteral("svg");

// Text is decoded already: handed to the parser as UTF-8, its declaration
// must say so, or a declared single-byte encoding would decode it again.
QByteArray TextAsUTF8(const QString& Text)
{
    static const QRegularExpression declaredEncoding(
        QStringLiteral(R"(^(\s*<\?xml\b[^>]*?\bencoding\s*=\s*)(["'])[^"']*\2)"));
    QString text = Text;
    text.replace(declaredEncoding, QStringLiteral("\\1\\2UTF-8\\2"));
    return text.toUtf8();
}

template <typename LoadFunction>
bool LoadsAsSVG(LoadFunction&& Load, bool StrictVerification)
{
    try {
        TXMLDocument xml;
        Load(xml);
        return TSVGDocument::IsValidSVG(xml, StrictVerification);
    } catch (...) {
        return false;
    }
}

} // namespace

void TSVGDocument::LoadFromXML(const TXMLDocument& XMLDocument)
{
    const TXMLNode root = XMLDocument.DocumentElement();
    if (!root)
        Raise<ESVGException>(QString::fromLatin1(messages::EmptyXMLDocument));
    if (root.LocalName() != SVGRootName)
        Raise<ESVGException>(QString::fromLatin1(messages::NotValidSVG));
    LoadFromXML(root);
}

void TSVGDocument::LoadFromXML(const TXMLNode& Node)
{
    if (Owner() != nullptr) {
        Inherited::LoadFromXML(Node);
        return;
    }
    if (Node.LocalName() != SVGRootName)
        return;
    TUpdateScope update(*this);
    Clear();
    // Elements with their attributes, and style elements' rules, in document order.
    Inherited::LoadFromXML(Node);
    // The rules of the whole file apply to every element, wherever they stand.
    ApplyStyles();
}

// The text is parsed as the tree is built, and what has been read is let go:
// a file never has to be held as a whole XML tree beside the elements.
void TSVGDocument::LoadFromStream(QIODevice& Stream)
{
    TXMLDocument xml;
    xml.StreamFromDevice(Stream);
    LoadFromXML(xml);
    xml.FinishStream();
}

void TSVGDocument::LoadFromFile(const QString& FileName)
{
    // Images of the file find their files beside it.
    FBaseFolder = QFileInfo(FileName).absolutePath();
    TXMLDocument xml;
    xml.StreamFromFile(FileName);
    LoadFromXML(xml);
    xml.FinishStream();
}

void TSVGDocument::LoadFromText(const QString& Text)
{
    TXMLDocument xml;
    xml.StreamFromBytes(TextAsUTF8(Text));
    LoadFromXML(xml);
    xml.FinishStream();
}

bool TSVGDocument::IsValidSVG(const TXMLDocument& XMLDocument, bool StrictVerification)
{
    try {
        if (StrictVerification) {
            TSVGDocument document;
            document.LoadFromXML(XMLDocument);
            return true;
        }
        const TXMLNode root = XMLDocument.DocumentElement();
        return root && root.LocalName() == SVGRootName;
    } catch (...) {
        return false;
    }
}

bool TSVGDocument::IsValidSVG(QIODevice& Stream, bool StrictVerification)
{
    return LoadsAsSVG([&Stream](TXMLDocument& xml) { xml.LoadFromStream(Stream); }, StrictVerification);
}

bool TSVGDocument::IsValidSVGFile(const QString& FileName, bool StrictVerification)
{
    return LoadsAsSVG([&FileName](TXMLDocument& xml) { xml.LoadFromFile(FileName); }, StrictVerification);
}

bool TSVGDocument::IsValidSVGText(const QString& Text, bool StrictVerification)
{
    return LoadsAsSVG([&Text](TXMLDocument& xml) { xml.LoadFromBytes(TextAsUTF8(Text)); }, StrictVerification);
}

void TSVGDocument::ParseStyleElement(const TXMLNode& Node)
{
    // Text and CDATA together: a comment or a CDATA section between parts
    // of a style sheet must not lose the parts around it.
    QString sheet;
    for (TXMLNode child = Node.FirstChild(); child; child = child.NextSibling())
        if (child.NodeType() == TNodeType::ntText || child.NodeType() == TNodeType::ntCData)
            sheet += child.Text();
    if (!sheet.isEmpty())
        ParseStyleSheet(sheet);
}

void TSVGDocument::DoParsingNode(TSVGElement* Sender, const TXMLNode& Node)
{
    if (Owner() == nullptr)
        Fire(OnParsingNode, Sender, Node);
    Inherited::DoParsingNode(Sender, Node);
}

void TSVGDocument::DoParsedNode(TSVGElement* Sender)
{
    if (Owner() == nullptr)
        Fire(OnParsedNode, static_cast<TSVGElement*>(this), Sender);
    Inherited::DoParsedNode(Sender);
}

} // namespace zor
