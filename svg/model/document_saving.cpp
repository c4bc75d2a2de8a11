// Saving a document as SVG text.

#include <QBuffer>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "platform/exceptions.h"
#include "platform/string_list.h"
#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/document.h"
#include "svg/model/save_context.h"
#include "svg/values/number_format.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

const QString SVGNamespaceURI = QStringLiteral("http://www.w3.org/2000/svg");
constexpr const char* InvalidNumberFormat = "'%s' is not a valid number format";

// Numbers written with Format read back as numbers of the same sign and
// about the same size; literal text could pass for digits.
bool IsReadableFormat(const QString& Format)
{
    if (!std::ranges::all_of(Format, [](QChar c) { return QStringView(u"0#.,;Ee+-").contains(c); }))
        return false;
    for (double sample : {123.45, -123.45, 0.0}) {
        double value = 0;
        if (!TryStrToFloat(FormatFloat(Format, sample), value) || std::abs(value - sample) > std::abs(sample) / 2)
            return false;
    }
    return true;
}

} // namespace

void TSVGDocument::SetFormatStr(const QString& Value)
{
    if (Value == FFormatStr)
        return;
    if (!IsReadableFormat(Value))
        Raise<EConvertError>(QString::fromLatin1(InvalidNumberFormat), {Value});
    FFormatStr = Value;
}

void TSVGDocument::SaveToXML(TXMLDocument& XMLDocument)
{
    TXMLNode root = XMLDocument.CreateDocumentElement(QStringLiteral("svg"), SVGNamespaceURI);
    TSVGSaveContext context(*this);
    SaveToXML(root);
    context.Finish();
}

void TSVGDocument::SaveToStream(QIODevice& Stream, int SplitPathLines)
{
    TXMLDocument xml;
    SaveToXML(xml);
    QByteArray bytes = xml.SaveToBytes();
    if (SplitPathLines > 32) {
        TStringList lines;
        lines.SetText(QString::fromUtf8(bytes));
        SVGSplitLines(lines, SplitPathLines);
        bytes = (lines.Text() + u'\n').toUtf8();
    }
    if (Stream.write(bytes) != bytes.size())
        Raise<EXMLDocError>(messages::XMLCannotWrite, {Stream.errorString()});
}

void TSVGDocument::SaveToFile(const QString& FileName, int SplitPathLines)
{
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        Raise<EXMLDocError>(messages::XMLCannotWriteFile, {FileName, file.errorString()});
    SaveToStream(file, SplitPathLines);
    if (!file.commit())
        Raise<EXMLDocError>(messages::XMLCannotWriteFile, {FileName, file.errorString()});
}

QString TSVGDocument::SaveToText(int SplitPathLines)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer, SplitPathLines);
    return QString::fromUtf8(buffer.data());
}

} // namespace zor
