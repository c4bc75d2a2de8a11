#include "svg/model/save_context.h"

#include "svg/model/document.h"

namespace zor {

TSVGSaveContext::TSVGSaveContext(TSVGDocument& Document, std::optional<QString> FormatStr)
    : FDocument(Document)
    , FOuter(Document.FSaveContext)
    , FFormatStr(std::move(FormatStr))
{
    FDocument.FSaveContext = this;
}

TSVGSaveContext::~TSVGSaveContext()
{
    FDocument.FSaveContext = FOuter;
}

TSVGSaveContext* TSVGSaveContext::Of(const TSVGElement& Element)
{
    const TSVGDocument* document = Element.Owner();
    if (document == nullptr)
        document = dynamic_cast<const TSVGDocument*>(&Element);
    while (document != nullptr && document->Owner() != nullptr)
        document = document->Owner();
    return document != nullptr ? document->FSaveContext : nullptr;
}

QString TSVGSaveContext::ReferenceID(const QString& ID)
{
    if (!TSVGDocument::IsProvisionalID(ID))
        return ID;
    if (const auto found = FNames.constFind(ID); found != FNames.cend())
        return *found;
    // "ID#3" cannot stand in url(#…), and may be given to another element
    // when the file is read: the element is written as "ID3", or the first
    // free variant of it.
    const QString base = QString(ID).remove(u'#');
    QString name = base;
    for (int n = 2; FDocument.AllItems().ContainsKey(name) || FUsedNames.contains(name); ++n)
        name = base + u'_' + QString::number(n);
    FUsedNames.insert(name);
    FNames.insert(ID, name);
    return name;
}

void TSVGSaveContext::ElementWritten(const TSVGElement& Element, TXMLNode Node)
{
    if (TSVGDocument::IsProvisionalID(Element.ID()))
        FNodes.insert(Element.ID(), Node);
}

void TSVGSaveContext::Finish()
{
    for (auto name = FNames.cbegin(); name != FNames.cend(); ++name)
        if (const auto node = FNodes.constFind(name.key()); node != FNodes.cend())
            TXMLNode(*node).SetAttribute(QStringLiteral("id"), name.value());
}

} // namespace zor
