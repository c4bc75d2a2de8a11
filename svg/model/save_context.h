#pragma once
// What one saving of a document keeps while it writes the tree: the names
// under which elements with generated ids are written when others reference
// them, so that those references survive the file.

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

#include "platform/xml_document.h"

namespace zor {

class TSVGDocument;
class TSVGElement;

class TSVGSaveContext {
public:
    // Document is the outermost document being saved; it holds the context
    // for the lifetime of this object. FormatStr, when given, replaces the
    // document's number format for this saving.
    explicit TSVGSaveContext(TSVGDocument& Document, std::optional<QString> FormatStr = std::nullopt);
    ~TSVGSaveContext();
    TSVGSaveContext(const TSVGSaveContext&) = delete;
    TSVGSaveContext& operator=(const TSVGSaveContext&) = delete;

    // The context of the saving Element takes part in; null outside one.
    static TSVGSaveContext* Of(const TSVGElement& Element);

    const std::optional<QString>& FormatStr() const { return FFormatStr; }

    // The id a reference to ID is written with: ID itself, or, for an id the
    // document generated ("ID#3"), a name that no element of the document
    // has, the same for every reference to it.
    QString ReferenceID(const QString& ID);
    // Element was written on Node; a generated id is written only once a
    // reference to it was (Finish).
    void ElementWritten(const TSVGElement& Element, TXMLNode Node);
    // Gives the nodes of referenced elements with generated ids their names.
    void Finish();

private:
    TSVGDocument& FDocument;
    TSVGSaveContext* FOuter;
    std::optional<QString> FFormatStr;
    QHash<QString, QString> FNames;
    QSet<QString> FUsedNames;
    QHash<QString, TXMLNode> FNodes;
};

} // namespace zor
