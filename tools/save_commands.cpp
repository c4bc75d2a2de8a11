#include "tools/save_commands.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include "svg/model/document.h"
#include "tools/document_commands.h"

namespace zor::tools {

void Save(const TSaveRequest& Request)
{
    const TLoadedDocument loaded = LoadDocument(Request.Input);
    TSVGDocument& document = *loaded.Document;
    if (Request.Exact)
        document.SetFormatStr(QString());
    if (Request.Full) {
        TSVGOptions options = document.Options();
        options.Exclude(TSVGOption::soCompactExport);
        document.SetOptions(options);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (Request.Binary)
        document.SaveToBinaryStream(buffer);
    else
        document.SaveToStream(buffer, Request.SplitLines.value_or(0));
    if (Request.Output == u"-") {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(buffer.data()) != buffer.data().size())
            Raise<ESVGException>(QStringLiteral("Cannot write the document to standard output"));
        return;
    }
    QSaveFile out(Request.Output);
    if (!out.open(QIODevice::WriteOnly) || out.write(buffer.data()) != buffer.data().size() || !out.commit())
        Raise<ESVGException>(QStringLiteral("Cannot write \"%s\": %s"), {Request.Output, out.errorString()});
}

} // namespace zor::tools
