// Writing text elements: their position lists, xml:space, references and
// their own characters.

#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"
#include "svg/values/length_text.h"
#include "svg/values/number_parsers.h"
#include "svg/values/style_keywords.h"

namespace zor {

namespace {

// A list is written when it says more than a single 0, or always without
// compact export.
bool IsDefaultList(qsizetype Count, float First)
{
    return Count == 0 || (Count == 1 && First == 0);
}

} // namespace

void TSVGCustomText::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    const std::pair<const char*, const TSVGLengths*> lists[] = {
        {"x", FX.get()}, {"y", FY.get()}, {"dx", FDX.get()}, {"dy", FDY.get()}};
    for (const auto& [name, list] : lists)
        Writer.WriteAttribute(QString::fromLatin1(name), FormatLengthList(*list, Writer.FormatStr(), QStringLiteral(" ")),
                              Writer.Compact() && IsDefaultList(list->Count(), list->Count() > 0 ? (*list)[0].Raw() : 0));
    Writer.WriteAttribute(QStringLiteral("rotate"), FormatNumberList(FRotate, Writer.FormatStr(), QStringLiteral(" ")),
                          Writer.Compact() && IsDefaultList(FRotate.size(), FRotate.isEmpty() ? 0 : FRotate[0]));
    if (FXmlSpace != TSVGXmlSpace::xsInherit)
        Writer.Node().SetAttribute(QStringLiteral("xml:space"),
                                   FXmlSpace == TSVGXmlSpace::xsPreserve ? QStringLiteral("preserve")
                                                                         : QStringLiteral("default"),
                                   XMLNamespace.toString());
    // Even an empty text node keeps the writer from indenting the content,
    // which would read back as spaces between the spans.
    Writer.Node().AddText(FText);
}

void TSVGTextRef::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteHref(FReference);
}

void TSVGTextPath::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    Writer.WriteHref(Reference());
    Writer.WriteLength(QStringLiteral("startOffset"), *FStartOffset);
    Writer.WriteAttribute(QStringLiteral("method"), KeywordOf(FMethod),
                          Writer.Compact() && FMethod == TSVGTextPathMethod::tpmAlign);
    Writer.WriteAttribute(QStringLiteral("spacing"), KeywordOf(FSpacing),
                          Writer.Compact() && FSpacing == TSVGTextPathSpacing::tpsExact);
}

} // namespace zor
