// Writing the attributes of the structural elements: groups, viewports,
// the document, uses, paths, clip paths and metadata.

#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/model/clip_path.h"
#include "svg/model/document.h"
#include "svg/model/metadata.h"
#include "svg/model/path_element.h"
#include "svg/model/use.h"
#include "svg/model/viewport.h"
#include "svg/values/style_keywords.h"

namespace zor {

namespace {

const QString SVGNamespaceURI = QStringLiteral("http://www.w3.org/2000/svg");

// The content of an element's markup: what lies between its start tag and
// its end tag; empty for an element written as one empty tag.
QString ElementContent(const QString& Markup)
{
    QChar quote;
    for (qsizetype i = 0; i < Markup.size(); ++i) {
        const QChar c = Markup[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            if (i > 0 && Markup[i - 1] == u'/')
                return QString();
            const qsizetype end = Markup.lastIndexOf(QStringLiteral("</"));
            return end > i ? Markup.mid(i + 1, end - i - 1) : QString();
        }
    }
    return QString();
}

} // namespace

void TSVGCustomGroup::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    const TSVGGeometryDefaults defaults = GeometryDefaults();
    SaveGeometry(Writer, defaults.Rect, defaults.SizeIsPercent);
}

TSVGCustomGroup::TSVGGeometryDefaults TSVGCustomGroup::GeometryDefaults() const
{
    return {};
}

void TSVGCustomViewBox::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    if (!FViewBox->Specified())
        return;
    Writer.WriteAttribute(QStringLiteral("viewBox"), FViewBox->ToString(Writer.FormatStr(), 0, 100));
    SaveAspectRatio(Writer);
}

void TSVGCustomViewBox::SaveAspectRatio(TSVGAttributeWriter& Writer) const
{
    const TSVGPreserveAspectRatio& ratio = *FAspectRatio;
    const bool isDefault = ratio.Align() == ratio.DefaultAlign() && ratio.Defer() == ratio.DefaultDefer() &&
                           ratio.Slice() == ratio.DefaultSlice();
    Writer.WriteAttribute(QStringLiteral("preserveAspectRatio"), ratio.ToString(Writer.Compact()),
                          Writer.Compact() && isDefault);
}

TSVGCustomGroup::TSVGGeometryDefaults TSVGCustomViewBox::GeometryDefaults() const
{
    // A loaded document without a size of its own has none: 0 by 0.
    if (Owner() == nullptr && dynamic_cast<const TSVGDocument*>(this) != nullptr)
        return {};
    return {QRectF(0, 0, 1, 1), true};
}

void TSVGSymbol::SaveTransform(TSVGAttributeWriter&) const {}

void TSVGDocument::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    if (Owner() == nullptr) {
        Writer.Node().DeclareNamespace(QString(), SVGNamespaceURI);
        Writer.Node().DeclareNamespace(QStringLiteral("xlink"), XLinkNamespace.toString());
    }
    Inherited::SaveAttributes(Writer);
    Writer.WriteAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
}

void TSVGUse::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    SaveGeometry(Writer, QRectF());
    Writer.WriteHref(FReference);
}

void TSVGPath::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    if (FData->Count() > 0)
        Writer.WriteAttribute(QStringLiteral("d"), FData->Data());
    // The author's length only: the measured one is not the file's.
    if (FPathLength >= 0)
        Writer.WriteAttribute(QStringLiteral("pathLength"), Writer.Number(FPathLength));
}

void TSVGClipPath::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteAttribute(QStringLiteral("clipPathUnits"), KeywordOf(FClipPathUnits),
                          Writer.Compact() && FClipPathUnits == TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
}

void TSVGMetadata::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    TSVGElement::SaveAttributes(Writer);
    Writer.Node().AppendMarkup(ElementContent(FXML));
}

} // namespace zor
