#pragma once
// Internals of the XML document service shared by its units: text
// conversion, error capture, tree walks and the entity-expansion bound.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <unordered_map>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

namespace zor::xml {

// Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay
// references (expanded by us within a bound) and nothing external is read.
// libxml2's own reports are captured, not printed.
inline constexpr int SafeParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// libxml2 takes the input length as an int.
inline constexpr qsizetype MaxDocumentSize = 2147483647;

// Raises the size error for input that libxml2 cannot take.
void CheckDocumentSize(qsizetype Size);

inline QString ToQString(const xmlChar* Text)
{
    return Text ? QString::fromUtf8(reinterpret_cast<const char*>(Text)) : QString();
}

// Frees what libxml2 allocated for its caller.
struct TXmlFree {
    void operator()(void* Memory) const { xmlFree(Memory); }
};

// Owns a string that libxml2 allocated.
class TXmlString {
public:
    explicit TXmlString(xmlChar* Text)
        : FText(Text)
    {
    }
    ~TXmlString() { xmlFree(FText); }
    TXmlString(const TXmlString&) = delete;
    TXmlString& operator=(const TXmlString&) = delete;
    QString ToQString() const { return xml::ToQString(FText); }

private:
    xmlChar* FText;
};

// Text handed to libxml2: UTF-8, alive as long as this object.
class TUtf8 {
public:
    explicit TUtf8(const QString& Text)
        : FBytes(Text.toUtf8())
    {
    }
    const xmlChar* Get() const { return reinterpret_cast<const xmlChar*>(FBytes.constData()); }
    // Null for an empty text, where libxml2 means "none".
    const xmlChar* OrNull() const { return FBytes.isEmpty() ? nullptr : Get(); }

private:
    QByteArray FBytes;
};

// Collects libxml2's reports on this thread for its lifetime, keeping the
// first fatal error and the first error, and restores the previous handler.
class TErrorCapture {
public:
    TErrorCapture();
    ~TErrorCapture();
    TErrorCapture(const TErrorCapture&) = delete;
    TErrorCapture& operator=(const TErrorCapture&) = delete;

    // Raises EXMLDocError for the most telling report: an entity loop or
    // amplification with the expansion message, anything else with
    // Pattern filled by line, column and libxml2's text.
    [[noreturn]] void RaiseFirst() const;
    // The most telling report was libxml2's refusal to look further ahead
    // for the end of one token (a document read in chunks).
    bool StoppedLookingAhead() const;
    // Raises that report with Message instead of libxml2's text.
    [[noreturn]] void RaiseFirstAs(const QString& Message) const;

private:
    struct TReport {
        int Code = 0;
        int Line = 0;
        int Column = 0;
        QString Message;
    };
    static void Collect(void* Self, xmlErrorPtr Error);

    xmlStructuredErrorFunc FSavedHandler;
    void* FSavedContext;
    TReport FFatal;
    TReport FError;
};

// The entity an entity reference node stands for, or null when undeclared.
xmlEntity* EntityOf(xmlNode* Reference);

// Visits First, its following siblings and their descendants in document
// order without recursion, so any nesting depth is safe. Visit(node)
// returns whether to enter the node's children; the children of an entity
// reference (its declaration) are never entered.
template <typename Visit>
void WalkNodes(xmlNode* First, Visit&& VisitNode)
{
    if (First == nullptr)
        return;
    xmlNode* const stop = First->parent;
    xmlNode* node = First;
    while (node != nullptr) {
        if (VisitNode(node) && node->children != nullptr && node->type != XML_ENTITY_REF_NODE) {
            node = node->children;
            continue;
        }
        while (node->next == nullptr) {
            node = node->parent;
            if (node == stop || node == nullptr)
                return;
        }
        node = node->next;
    }
}

// The text and CDATA inside a node list, entity references expanded.
QByteArray TextOfList(xmlNode* First);

// Keeps what entity references may add to a document within a bound. Each
// entity's expansion is measured once, so measuring takes time in proportion
// to the document and its declarations, whatever they expand to.
class TEntityBudget {
public:
    explicit TEntityBudget(std::size_t Limit);

    // Measures every entity reference in the nodes from First on (content,
    // attribute values), resolves references inside namespace declarations
    // (which libxml2 leaves as written) and raises the expansion error once
    // the total passes the limit.
    void Spend(xmlDoc* Doc, xmlNode* First);
    // The same for Node alone, not the nodes inside it: for a document
    // checked node by node as it is parsed.
    void SpendOn(xmlDoc* Doc, xmlNode* Node);

private:
    // Characters plus one per node of the nodes from First on, references
    // expanded; saturates past the limit.
    std::size_t ListSize(xmlNode* First);
    std::size_t EntitySize(xmlEntity* Entity);
    void Charge(std::size_t Size);
    void ResolveNamespaces(xmlDoc* Doc, xmlNode* Element);

    std::size_t FLimit;
    std::size_t FSpent = 0;
    // Entities being measured map to InProgress, which a loop runs into.
    static constexpr std::size_t InProgress = static_cast<std::size_t>(-1);
    std::unordered_map<xmlEntity*, std::size_t> FSizes;
};

} // namespace zor::xml
