#include "svg/model/attribute_writer.h"

#include "svg/model/attribute_reader.h"
#include "svg/model/document.h"
#include "svg/model/save_context.h"
#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/number_format.h"
#include "svg/values/transform_parser.h"

namespace zor {

namespace {

const QString StyleAttribute = QStringLiteral("style");

bool SameLength(const TSVGLength& A, const TSVGLength& B)
{
    return A.Raw() == B.Raw() && A.IsPercent() == B.IsPercent() && A.aUnit() == B.aUnit();
}

} // namespace

TSVGAttributeWriter::TSVGAttributeWriter(const TSVGElement& Element, TXMLNode Node, QString FormatStr,
                                         std::optional<bool> Compact)
    : FElement(Element)
    , FNode(Node)
    , FFormatStr(std::move(FormatStr))
    , FCompact(Compact.value_or(Element.Options().Contains(TSVGOption::soCompactExport)))
    , FStyle(Node.Attribute(StyleAttribute))
{
}

bool TSVGAttributeWriter::WriteAttribute(const QString& Name, const QString& Text, bool Skip)
{
    if (Skip) {
        FNode.RemoveAttribute(Name);
        return false;
    }
    FNode.SetAttribute(Name, Text);
    return true;
}

bool TSVGAttributeWriter::WriteListAttribute(const QString& Name, const QStringList& List, QChar Separator)
{
    return WriteAttribute(Name, List.join(Separator), List.isEmpty());
}

void TSVGAttributeWriter::WriteChildText(const QString& Name, const QString& Text)
{
    if (Text.isEmpty())
        return;
    FNode.AddChild(Name, FNode.NamespaceURI()).SetText(Text);
}

QString TSVGAttributeWriter::Number(double Value) const
{
    return FormatFloat(FFormatStr, Value);
}

QString TSVGAttributeWriter::Length(const TSVGLength& Value) const
{
    return FormatLength(Value, FFormatStr, 0, 100);
}

void TSVGAttributeWriter::WriteLength(const QString& Name, const TSVGLength& Value, const TSVGLength& Default)
{
    WriteAttribute(Name, Length(Value), FCompact && SameLength(Value, Default));
}

void TSVGAttributeWriter::WriteLength(const QString& Name, const TSVGLength& Value, float Default)
{
    WriteLength(Name, Value, TSVGLength(Default, false, TSVGUnit::suNone));
}

void TSVGAttributeWriter::WriteNumber(const QString& Name, double Value, double Default)
{
    WriteAttribute(Name, Number(Value), FCompact && Value == Default);
}

void TSVGAttributeWriter::WriteTransform(const QString& Name, const QTransform& Matrix)
{
    const QString text = TransformToString(Matrix);
    WriteAttribute(Name, text, text.isEmpty());
}

void TSVGAttributeWriter::WriteHref(const QString& ID)
{
    if (ID.isEmpty())
        return;
    FNode.SetAttribute(QStringLiteral("xlink:href"), u'#' + ReferenceID(ID), XLinkNamespace.toString());
}

void TSVGAttributeWriter::WriteLink(const QString& URI)
{
    if (!URI.isEmpty())
        FNode.SetAttribute(QStringLiteral("xlink:href"), URI, XLinkNamespace.toString());
}

QString TSVGAttributeWriter::ReferenceID(const QString& ID) const
{
    if (TSVGSaveContext* context = TSVGSaveContext::Of(FElement))
        return context->ReferenceID(ID);
    return ID;
}

void TSVGAttributeWriter::WriteStyleProperty(TSVGStyleProperty Property, const QString& Text, bool Inherited,
                                             bool Preferred, const QString& Default)
{
    const TSVGStylePropertyInfo& info = StylePropertyInfo(Property);
    QString value = Text;
    if (Inherited) {
        if (info.InheritedByDefault)
            return;
        value = QStringLiteral("inherit");
    } else if (Text == Default && !info.InheritedByDefault) {
        return;
    } else if (Text.isEmpty()) {
        if (Default != u"none")
            return;
        value = QStringLiteral("none");
    }
    const QString name = QString::fromLatin1(info.Name);
    if (Preferred)
        AppendStyleDeclaration(name, value);
    else
        FNode.SetAttribute(name, value);
}

void TSVGAttributeWriter::AppendStyleDeclaration(const QString& Name, const QString& Value)
{
    const QString declaration = Name + u':' + Value;
    FStyle = FStyle.isEmpty() ? declaration : FStyle + QStringLiteral("; ") + declaration;
    FNode.SetAttribute(StyleAttribute, FStyle);
}

} // namespace zor
