// The baseline: libxml2 reading the bytes into its own tree, with the options
// our loader uses, and nothing more.

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <limits>

#include "bench/renderers.h"
#include "platform/exceptions.h"

namespace zor::bench {

namespace {

class TLibxml2Document final : public TLoadedDocument {
public:
    explicit TLibxml2Document(xmlDocPtr Document) : FDocument(Document) {}

private:
    struct TFreeDoc {
        void operator()(xmlDocPtr Document) const { xmlFreeDoc(Document); }
    };
    std::unique_ptr<xmlDoc, TFreeDoc> FDocument;
};

class TLibxml2Parse final : public TRendererUnderTest {
public:
    QString Name() const override { return QStringLiteral("libxml2"); }
    TRendererRole Role() const override { return TRendererRole::rrBaseline; }

    std::unique_ptr<TLoadedDocument> Load(const QByteArray& Bytes) const override
    {
        if (Bytes.size() > std::numeric_limits<int>::max())
            Raise<Exception>(QStringLiteral("a file of %s bytes is too large"), {QString::number(Bytes.size())});
        xmlResetLastError();
        xmlDocPtr document = xmlReadMemory(Bytes.constData(), int(Bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
        if (!document) {
            const xmlError* error = xmlGetLastError();
            throw Exception(error && error->message ? QString::fromUtf8(error->message).trimmed()
                                                    : QStringLiteral("not a well-formed document"));
        }
        return std::make_unique<TLibxml2Document>(document);
    }
};

} // namespace

std::unique_ptr<TRendererUnderTest> NewLibxml2Parse()
{
    return std::make_unique<TLibxml2Parse>();
}

} // namespace zor::bench
