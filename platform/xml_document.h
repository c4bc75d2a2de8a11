#pragma once
// The XML document service: a thin layer over libxml2 that reads documents
// safely (no network, no external entities or DTDs, entity expansion bounded)
// and writes indented UTF-8 documents with namespace declarations.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/exceptions.h"

class QIODevice;
struct _xmlDoc;
struct _xmlNode;

namespace zor {

namespace xml {
class TXMLStream;
}

// Malformed XML, refused input and stream errors of the service.
class EXMLDocError : public Exception {
public:
    using Exception::Exception;
};

namespace messages {
inline constexpr const char* XMLMalformed = "Malformed XML at line %d, column %d: %s";
inline constexpr const char* XMLEntityExpansion = "XML entity references loop or expand beyond %d characters";
inline constexpr const char* XMLTooLarge = "XML document is larger than %d bytes";
inline constexpr const char* XMLCannotOpen = "Cannot open XML file \"%s\": %s";
inline constexpr const char* XMLCannotRead = "Cannot read XML: %s";
inline constexpr const char* XMLCannotWriteFile = "Cannot write XML file \"%s\": %s";
inline constexpr const char* XMLCannotWrite = "Cannot write XML: %s";
inline constexpr const char* XMLPrefixBound = "XML namespace prefix \"%s\" is already bound to %s here";
inline constexpr const char* XMLNullNode = "%s on a null XML node";
inline constexpr const char* XMLNotAnElement = "%s on an XML node of kind %s, which is not an element";
} // namespace messages

enum class TNodeType {
    ntReserved,
    ntElement,
    ntAttribute,
    ntText,
    ntCData,
    ntEntityRef,
    ntEntity,
    ntProcessingInstr,
    ntComment,
    ntDocument,
    ntDocType,
    ntDocFragment,
    ntNotation
};
constexpr std::size_t EnumCount(TNodeType) { return 13; }

// The value's own name ("ntElement"), as messages show it.
QString NodeTypeName(TNodeType Value);

// One attribute as written on an element; an attribute whose prefix is not
// declared has no namespace and keeps its full name ("xlink:href").
struct TXMLAttribute {
    QString LocalName;
    QString Prefix;
    QString NamespaceURI;
    QString Value;
};

// A non-owning handle to a node of a TXMLDocument. It stays valid while the
// document lives and is neither cleared nor loaded again; a default-made
// handle is null.
class TXMLNode {
public:
    TXMLNode() = default;

    bool IsNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    friend bool operator==(const TXMLNode& a, const TXMLNode& b) { return a.FNode == b.FNode; }

    TNodeType NodeType() const;
    // The name without prefix; empty for text, CDATA and comments. An entity
    // reference is named by its entity, a processing instruction by its target.
    QString LocalName() const;
    QString Prefix() const;
    QString NamespaceURI() const;
    // The same two as UTF-8 in the document's own memory, valid while the
    // node lives: a loader asks them of every element.
    QByteArrayView LocalNameUtf8() const;
    QByteArrayView NamespaceURIUtf8() const;

    // Text content: for an element or entity reference, the text and CDATA
    // of everything inside, entity references expanded; for an attribute its
    // value; for other nodes their own content.
    QString Text() const;
    // An element whose only child is one text node.
    bool IsTextElement() const;
    // The node written as XML text, exactly as read (no indentation added).
    QString Xml() const;

    // Children in document order: text, CDATA, comments, processing
    // instructions, entity references and elements. The children of an
    // entity reference are the nodes its entity expands to.
    TXMLNode FirstChild() const;
    TXMLNode NextSibling() const;
    std::vector<TXMLNode> ChildNodes() const;
    // The first child element with this local name, or a null node.
    TXMLNode FindChildElement(const QString& LocalName) const;

    // Attributes in document order, with their namespaces; namespace
    // declarations are not attributes.
    std::vector<TXMLAttribute> Attributes() const;
    // The same without making strings: Visit(LocalName, NamespaceURI, Value)
    // for each, the texts in UTF-8 and valid during the call only.
    using TAttributeVisit = void (*)(void* Context, QByteArrayView LocalName, QByteArrayView NamespaceURI,
                                     QByteArrayView Value);
    void VisitAttributes(TAttributeVisit Visit, void* Context) const;
    template <typename F>
    void VisitAttributes(F&& Visit) const
    {
        VisitAttributes(
            [](void* Context, QByteArrayView LocalName, QByteArrayView NamespaceURI, QByteArrayView Value) {
                (*static_cast<std::remove_reference_t<F>*>(Context))(LocalName, NamespaceURI, Value);
            },
            &Visit);
    }
    // Look-up by local name and namespace URI; an empty URI finds the
    // attribute without namespace.
    bool HasAttribute(const QString& Name, const QString& NamespaceURI = {}) const;
    QString Attribute(const QString& Name, const QString& NamespaceURI = {}) const;
    // Both in one look-up: the value, or nothing when there is no such attribute.
    std::optional<QString> AttributeIfPresent(const QString& Name, const QString& NamespaceURI = {}) const;
    // The value of attribute Name without namespace as UTF-8, false when
    // absent: Value shows it in place when it is one piece of text (most
    // are), else in Joined.
    bool ReadAttributeUtf8(const QString& Name, QByteArray& Joined, QByteArrayView& Value) const;
    // The namespace URI bound to Prefix here ("" for the default namespace);
    // empty when none is bound.
    QString LookupNamespaceURI(const QString& Prefix) const;

    // Writing. An element is added in NamespaceURI, using a prefix already
    // bound to it in scope or else declaring it as the element's default
    // namespace; an empty URI puts the element in no namespace.
    TXMLNode AddChild(const QString& LocalName, const QString& NamespaceURI = {});
    // QualifiedName may carry a prefix, used when NamespaceURI is not yet bound
    // in scope; an attribute of that name and namespace is replaced.
    void SetAttribute(const QString& QualifiedName, const QString& Value, const QString& NamespaceURI = {});
    void RemoveAttribute(const QString& Name, const QString& NamespaceURI = {});
    // Binds Prefix (empty for the default namespace) to URI on this element.
    void DeclareNamespace(const QString& Prefix, const QString& URI);
    // Replaces the children with one text node holding Value as plain text.
    void SetText(const QString& Value);
    // Appends a text node holding Value, even an empty one: an element with
    // a text child is written without indentation inside it.
    void AddText(const QString& Value);
    // Takes the node out of its document and frees it; the handle and every
    // handle to the node or to nodes inside it are invalid afterwards.
    void Remove();
    // Parses Markup as XML content in this element's namespace scope and
    // appends the nodes; malformed markup raises and appends nothing.
    void AppendMarkup(const QString& Markup);

private:
    friend class TXMLDocument;
    friend class TXMLChildWalk;
    explicit TXMLNode(_xmlNode* Node)
        : FNode(Node)
    {
    }
    _xmlNode* Element(const char* Operation) const;

    _xmlNode* FNode = nullptr;
};

// Walks the children of a node once, in document order. In a document read
// as a stream, each child the walk has moved past is freed, so that a reader
// that reads a document through walks holds only the part it is reading;
// handles to a freed node, or to nodes inside it, are invalid from then on.
// Elsewhere it is FirstChild and NextSibling.
class TXMLChildWalk {
public:
    explicit TXMLChildWalk(const TXMLNode& Parent);
    TXMLChildWalk(const TXMLChildWalk&) = delete;
    TXMLChildWalk& operator=(const TXMLChildWalk&) = delete;

    // The next child; a null node at the end.
    TXMLNode Next();

private:
    TXMLNode FParent;
    TXMLNode FCurrent;
    bool FStarted = false;
};

// Everything the device holds from its position, refused with an XML error
// once it passes the size a document may have (a device that never ends, too).
QByteArray ReadXMLBytes(QIODevice& Device);

// An XML document owning its libxml2 tree.
class TXMLDocument {
public:
    // The entity references of one document may add at most this many
    // characters (with one per node) to its text; beyond that loading fails.
    static constexpr std::size_t MaxEntityExpansion = 10'000'000;

    // An empty document, ready to be loaded or built.
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(TXMLDocument&&) noexcept;
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;
    TXMLDocument& operator=(TXMLDocument&&) noexcept;

    // Loading detects the encoding from a byte order mark or the XML
    // declaration (UTF-8 without either). A document with no element at all
    // loads as empty. A failed load raises EXMLDocError and keeps the
    // previous content.
    void LoadFromBytes(const QByteArray& Data);
    // Reads Device from its current position to its end.
    void LoadFromStream(QIODevice& Device);
    void LoadFromFile(const QString& FileName);

    // Reading as a stream: the text is parsed as the document's nodes are
    // asked for (the children and siblings of the nodes handed out, the
    // content of an element), a chunk at a time, and TXMLChildWalk frees what
    // a reader has passed. An error of the text is raised by the call that
    // asked for the part holding it; FinishStream parses what is left and
    // raises its errors. A device is read as the parsing goes and must stay
    // open until the stream is finished.
    void StreamFromBytes(QByteArray Data);
    void StreamFromDevice(QIODevice& Device);
    void StreamFromFile(const QString& FileName);
    void FinishStream();

    // The root element; null for an empty document.
    TXMLNode DocumentElement() const;
    // The document node itself, whose children hold the document type
    // declaration, top-level comments and processing instructions too.
    TXMLNode DocumentNode() const;

    // Drops the content and makes a new root element in NamespaceURI (declared
    // as the default namespace when not empty).
    TXMLNode CreateDocumentElement(const QString& LocalName, const QString& NamespaceURI = {});

    // The document as UTF-8 text with an XML declaration and child elements
    // indented.
    QByteArray SaveToBytes() const;
    // Writes at the device's current position.
    void SaveToStream(QIODevice& Device) const;
    // Replaces the file only once the whole document is written.
    void SaveToFile(const QString& FileName) const;

private:
    struct TFreeDoc {
        void operator()(_xmlDoc* Doc) const;
    };
    // Reads from Source from now on; its document replaces the content.
    void Stream(std::unique_ptr<xml::TXMLStream> Source);

    // Before FStream, which lets go of the document when it ends.
    std::unique_ptr<_xmlDoc, TFreeDoc> FDoc;
    std::unique_ptr<xml::TXMLStream> FStream;
};

// Prepares libxml2 for the service once per process; documents call it
// themselves, and the program calls it early on the main thread.
void InitXMLService();

} // namespace zor
