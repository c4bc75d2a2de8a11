#pragma once
// Internal to the XML document service: a document parsed as its nodes are
// asked for. libxml2's push parser builds the tree chunk by chunk; a node
// handle that runs out of parsed children or siblings while its parent is
// still open parses more first. The document's _private field points here.

#include <QByteArray>
#include <QIODevice>
#include <memory>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "platform/xml_support.h"

namespace zor::xml {

class TXMLStream {
public:
    // Parses the first chunk of the text: Data, or what Device holds from
    // its position on when it is given (read as parsing goes; kept open by
    // the caller, or by the stream when it owns it). The document it builds
    // is Document(), owned by the caller from then on.
    TXMLStream(QByteArray Data, QIODevice* Device, std::unique_ptr<QIODevice> OwnedDevice, std::size_t EntityLimit);

    // Nothing but white space (after a byte order mark): no document.
    bool HoldsNoMarkup() const { return FNoMarkup; }
    ~TXMLStream();
    TXMLStream(const TXMLStream&) = delete;
    TXMLStream& operator=(const TXMLStream&) = delete;

    xmlDoc* Document() const { return FDocument; }
    // The stream a node of a streamed document belongs to; null otherwise.
    static TXMLStream* Of(const xmlNode* Node);

    // Parses until Node has a child, or is closed.
    void AwaitChild(xmlNode* Node);
    // Parses until Node has a next sibling, or its parent is closed: from
    // then on a text node's content is final.
    void AwaitNext(xmlNode* Node);
    // Parses until Node is closed: its whole content is there.
    void AwaitClose(xmlNode* Node);
    // Parses until the document has its root element, or has ended.
    void AwaitRoot();
    // Parses the rest of the document.
    void Finish();

private:
    // Makes the parser and parses up to the root element from First on.
    void Start(const QByteArray& First);
    // Parses the next chunk; false once the whole text has been parsed.
    bool Feed();
    // Node is an element the parser has opened and not yet closed.
    bool IsOpen(const xmlNode* Node) const;
    // Next chunk of the source, valid until the next call; empty at its end.
    QByteArrayView NextChunk();
    // Entity references and namespaces of the nodes made since the last chunk.
    void CheckNewNodes();
    // StateBefore is the parser's state before the chunk that failed.
    [[noreturn]] void RaiseParseError(const TErrorCapture& Errors, int StateBefore) const;

    xmlParserCtxtPtr FContext = nullptr;
    xmlDoc* FDocument = nullptr;
    QByteArray FData;
    qsizetype FPosition = 0;
    QByteArray FChunk;
    std::unique_ptr<QIODevice> FOwnedDevice;
    QIODevice* FDevice;
    qsizetype FRead = 0;
    bool FEnded = false;
    bool FNoMarkup = false;
    TEntityBudget FBudget;
    // The last node checked, in document order; null before the first.
    xmlNode* FChecked = nullptr;
};

} // namespace zor::xml
