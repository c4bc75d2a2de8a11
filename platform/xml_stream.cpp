#include "platform/xml_stream.h"

#include <libxml/parserInternals.h>

#include "platform/exceptions.h"
#include "platform/xml_document.h"

namespace zor::xml {

namespace {

// Big enough that parsing costs little per chunk, small enough that the part
// of the tree parsed ahead of the reader stays small.
constexpr qsizetype ChunkSize = 64 * 1024;

// The node after Node in document order, entering elements only, as the
// entity budget walks a document; null at the end of what is parsed.
xmlNode* FollowingNode(xmlNode* Node)
{
    if (Node->children != nullptr && Node->type == XML_ELEMENT_NODE)
        return Node->children;
    for (xmlNode* node = Node; node != nullptr && node->type != XML_DOCUMENT_NODE; node = node->parent)
        if (node->next != nullptr)
            return node->next;
    return nullptr;
}

} // namespace

// Only white space, after a UTF-8 byte order mark.
static bool IsBlank(const QByteArray& Text)
{
    const QByteArray text = Text.startsWith("\xEF\xBB\xBF") ? Text.mid(3) : Text;
    return text.trimmed().isEmpty();
}

TXMLStream::TXMLStream(QByteArray Data, QIODevice* Device, std::unique_ptr<QIODevice> OwnedDevice,
                       std::size_t EntityLimit)
    : FData(std::move(Data))
    , FOwnedDevice(std::move(OwnedDevice))
    , FDevice(FOwnedDevice ? FOwnedDevice.get() : Device)
    , FBudget(EntityLimit)
{
    // A text of white space alone is an empty document rather than a malformed one.
    QByteArray first = NextChunk().toByteArray();
    while (!first.isEmpty() && IsBlank(first)) {
        const QByteArrayView more = NextChunk();
        if (more.isEmpty())
            break;
        first += more;
    }
    if (IsBlank(first)) {
        FNoMarkup = true;
        return;
    }
    try {
        Start(first);
    } catch (...) {
        // No destructor runs for a stream that failed to start: what libxml2
        // made so far is freed here, the document with it (nobody has it yet).
        if (FContext != nullptr) {
            if (FContext->myDoc != nullptr)
                xmlFreeDoc(FContext->myDoc);
            FContext->myDoc = nullptr;
            xmlFreeParserCtxt(FContext);
            FContext = nullptr;
        }
        throw;
    }
}

void TXMLStream::Start(const QByteArray& First)
{
    TErrorCapture errors;
    // The first bytes tell the encoding; the document is made as they are parsed.
    FContext = xmlCreatePushParserCtxt(nullptr, nullptr, nullptr, 0, nullptr);
    if (FContext == nullptr)
        Raise<EXMLDocError>(messages::XMLCannotRead, {QStringLiteral("out of memory")});
    xmlCtxtUseOptions(FContext, SafeParseOptions);
    if (xmlParseChunk(FContext, First.constData(), int(First.size()), First.isEmpty()) != 0
        || !FContext->wellFormed)
        RaiseParseError(errors, XML_PARSER_START);
    FEnded = First.isEmpty();
    while (FContext->myDoc == nullptr && Feed()) {
    }
    FDocument = FContext->myDoc;
    if (FDocument != nullptr)
        FDocument->_private = this;
    CheckNewNodes();
}

TXMLStream::~TXMLStream()
{
    if (FDocument != nullptr)
        FDocument->_private = nullptr;
    if (FContext != nullptr) {
        // The document belongs to the caller.
        FContext->myDoc = nullptr;
        xmlFreeParserCtxt(FContext);
    }
}

TXMLStream* TXMLStream::Of(const xmlNode* Node)
{
    return Node != nullptr && Node->doc != nullptr ? static_cast<TXMLStream*>(Node->doc->_private) : nullptr;
}

QByteArrayView TXMLStream::NextChunk()
{
    // One buffer for every chunk: a block of this size taken and given back
    // per chunk makes the allocator sort its free lists again each time.
    if (FDevice != nullptr) {
        FChunk.resize(ChunkSize);
        const qint64 read = FDevice->read(FChunk.data(), ChunkSize);
        if (read < 0)
            Raise<EXMLDocError>(messages::XMLCannotRead, {FDevice->errorString()});
        FChunk.resize(read);
        FRead += read;
        CheckDocumentSize(FRead);
        return FChunk;
    }
    if (FPosition >= FData.size()) {
        FData.clear();
        return {};
    }
    const QByteArrayView chunk = QByteArrayView(FData).sliced(FPosition, std::min(ChunkSize, FData.size() - FPosition));
    FPosition += chunk.size();
    return chunk;
}

bool TXMLStream::Feed()
{
    if (FEnded)
        return false;
    const QByteArrayView chunk = NextChunk();
    FEnded = chunk.isEmpty();
    {
        TErrorCapture errors;
        const xmlParserInputState state = FContext->instate;
        if (xmlParseChunk(FContext, chunk.constData(), int(chunk.size()), FEnded) != 0 || !FContext->wellFormed)
            RaiseParseError(errors, state);
    }
    if (FDocument == nullptr && FContext->myDoc != nullptr) {
        FDocument = FContext->myDoc;
        FDocument->_private = this;
    }
    CheckNewNodes();
    return true;
}

void TXMLStream::RaiseParseError(const TErrorCapture& Errors, int StateBefore) const
{
    // Read in chunks, a start tag longer than libxml2 looks ahead for is
    // refused before its attributes are read; read whole, the same tag is
    // refused for the attribute value that makes it so long. The reason is
    // given as the whole read gives it.
    if (Errors.StoppedLookingAhead() && StateBefore == XML_PARSER_START_TAG)
        Errors.RaiseFirstAs(QStringLiteral("AttValue length too long"));
    Errors.RaiseFirst();
}

void TXMLStream::CheckNewNodes()
{
    if (FDocument == nullptr)
        return;
    xmlNode* node = FChecked != nullptr ? FollowingNode(FChecked) : FDocument->children;
    for (; node != nullptr; node = FollowingNode(node)) {
        FBudget.SpendOn(FDocument, node);
        FChecked = node;
    }
}

bool TXMLStream::IsOpen(const xmlNode* Node) const
{
    if (Node == nullptr || Node->type != XML_ELEMENT_NODE || FEnded)
        return false;
    for (int i = FContext->nodeNr - 1; i >= 0; --i)
        if (FContext->nodeTab[i] == Node)
            return true;
    return false;
}

void TXMLStream::AwaitChild(xmlNode* Node)
{
    while (Node->children == nullptr && IsOpen(Node) && Feed()) {
    }
}

void TXMLStream::AwaitNext(xmlNode* Node)
{
    while (Node->next == nullptr && IsOpen(Node->parent) && Feed()) {
    }
}

void TXMLStream::AwaitClose(xmlNode* Node)
{
    while (IsOpen(Node) && Feed()) {
    }
}

void TXMLStream::AwaitRoot()
{
    while ((FDocument == nullptr || xmlDocGetRootElement(FDocument) == nullptr) && Feed()) {
    }
}

void TXMLStream::Finish()
{
    while (Feed()) {
    }
}

} // namespace zor::xml
