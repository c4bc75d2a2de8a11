#include "platform/xml_document.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <algorithm>
#include <limits>
#include <mutex>

#include <libxml/parserInternals.h>

#include "platform/xml_stream.h"
#include "platform/xml_support.h"

namespace zor {

namespace {

// Every external entity, DTD or parameter entity is refused, whatever the
// parser options: documents are read from memory and never reach out.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr)
{
    return nullptr;
}

// Nothing but white space (after a UTF-8 byte order mark): the document is
// empty rather than malformed.
bool HoldsNoMarkup(const QByteArray& Data)
{
    const QByteArray text = Data.startsWith("\xEF\xBB\xBF") ? Data.mid(3) : Data;
    return text.trimmed().isEmpty();
}

} // namespace

void InitXMLService()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // The document loader bounds element nesting; libxml2's parser,
        // serialiser and the tree functions used here work without recursion
        // at any depth, so its own bound of 256 levels would only refuse
        // real files.
        xmlParserMaxDepth = std::numeric_limits<unsigned int>::max();
        xmlSetExternalEntityLoader(&RefuseExternalEntity);
    });
}

void TXMLDocument::TFreeDoc::operator()(_xmlDoc* Doc) const
{
    xmlFreeDoc(Doc);
}

TXMLDocument::TXMLDocument()
{
    InitXMLService();
    FDoc.reset(xmlNewDoc(BAD_CAST "1.0"));
}

TXMLDocument::~TXMLDocument() = default;
TXMLDocument::TXMLDocument(TXMLDocument&&) noexcept = default;
TXMLDocument& TXMLDocument::operator=(TXMLDocument&&) noexcept = default;

void TXMLDocument::LoadFromBytes(const QByteArray& Data)
{
    xml::CheckDocumentSize(Data.size());
    if (HoldsNoMarkup(Data)) {
        FStream.reset();
        FDoc.reset(xmlNewDoc(BAD_CAST "1.0"));
        return;
    }
    std::unique_ptr<xmlDoc, TFreeDoc> doc;
    {
        xml::TErrorCapture errors;
        doc.reset(xmlReadMemory(Data.constData(), static_cast<int>(Data.size()), nullptr, nullptr,
                                xml::SafeParseOptions));
        if (!doc)
            errors.RaiseFirst();
    }
    xml::TEntityBudget(MaxEntityExpansion).Spend(doc.get(), doc->children);
    FStream.reset();
    FDoc = std::move(doc);
}

void TXMLDocument::StreamFromBytes(QByteArray Data)
{
    xml::CheckDocumentSize(Data.size());
    Stream(std::make_unique<xml::TXMLStream>(std::move(Data), nullptr, nullptr, MaxEntityExpansion));
}

void TXMLDocument::StreamFromDevice(QIODevice& Device)
{
    Stream(std::make_unique<xml::TXMLStream>(QByteArray(), &Device, nullptr, MaxEntityExpansion));
}

void TXMLDocument::StreamFromFile(const QString& FileName)
{
    auto file = std::make_unique<QFile>(FileName);
    if (!file->open(QIODevice::ReadOnly))
        Raise<EXMLDocError>(messages::XMLCannotOpen, {FileName, file->errorString()});
    Stream(std::make_unique<xml::TXMLStream>(QByteArray(), nullptr, std::move(file), MaxEntityExpansion));
}

void TXMLDocument::Stream(std::unique_ptr<xml::TXMLStream> Source)
{
    FStream.reset();
    if (Source->HoldsNoMarkup() || Source->Document() == nullptr) {
        FDoc.reset(xmlNewDoc(BAD_CAST "1.0"));
        return;
    }
    FDoc.reset(Source->Document());
    FStream = std::move(Source);
}

void TXMLDocument::FinishStream()
{
    if (FStream)
        FStream->Finish();
    FStream.reset();
}

QByteArray ReadXMLBytes(QIODevice& Device)
{
    constexpr qsizetype chunk = qsizetype(1) << 20;
    QByteArray data;
    for (;;) {
        const qsizetype size = data.size();
        // Grown by doubling: resizing to each next chunk alone would copy
        // everything read so far once per chunk.
        if (data.capacity() < size + chunk)
            data.reserve(std::max(2 * data.capacity(), size + chunk));
        data.resize(size + chunk);
        const qint64 read = Device.read(data.data() + size, chunk);
        if (read < 0)
            Raise<EXMLDocError>(messages::XMLCannotRead, {Device.errorString()});
        data.resize(size + read);
        if (read == 0)
            break;
        xml::CheckDocumentSize(data.size());
    }
    return data;
}

void TXMLDocument::LoadFromStream(QIODevice& Device)
{
    LoadFromBytes(ReadXMLBytes(Device));
}

void TXMLDocument::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        Raise<EXMLDocError>(messages::XMLCannotOpen, {FileName, file.errorString()});
    LoadFromStream(file);
}

TXMLNode TXMLDocument::DocumentElement() const
{
    if (FStream)
        FStream->AwaitRoot();
    return TXMLNode(xmlDocGetRootElement(FDoc.get()));
}

TXMLNode TXMLDocument::DocumentNode() const
{
    return TXMLNode(reinterpret_cast<xmlNode*>(FDoc.get()));
}

TXMLNode TXMLDocument::CreateDocumentElement(const QString& LocalName, const QString& NamespaceURI)
{
    FStream.reset();
    std::unique_ptr<xmlDoc, TFreeDoc> doc(xmlNewDoc(BAD_CAST "1.0"));
    xmlNode* root = xmlNewDocNode(doc.get(), nullptr, xml::TUtf8(LocalName).Get(), nullptr);
    xmlDocSetRootElement(doc.get(), root);
    if (!NamespaceURI.isEmpty())
        xmlSetNs(root, xmlNewNs(root, xml::TUtf8(NamespaceURI).Get(), nullptr));
    FDoc = std::move(doc);
    return TXMLNode(root);
}

QByteArray TXMLDocument::SaveToBytes() const
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(FDoc.get(), &text, &size, "UTF-8", 1);
    const QByteArray bytes(reinterpret_cast<const char*>(text), size);
    xmlFree(text);
    return bytes;
}

void TXMLDocument::SaveToStream(QIODevice& Device) const
{
    const QByteArray bytes = SaveToBytes();
    if (Device.write(bytes) != bytes.size())
        Raise<EXMLDocError>(messages::XMLCannotWrite, {Device.errorString()});
}

void TXMLDocument::SaveToFile(const QString& FileName) const
{
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        Raise<EXMLDocError>(messages::XMLCannotWriteFile, {FileName, file.errorString()});
    const QByteArray bytes = SaveToBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        Raise<EXMLDocError>(messages::XMLCannotWriteFile, {FileName, file.errorString()});
}

} // namespace zor
