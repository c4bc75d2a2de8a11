#include "svg/model/attribute_reader.h"

#include <algorithm>
#include <cmath>

#include "platform/exceptions.h"
#include "svg/model/element.h"
#include "svg/values/length_text.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"
#include "svg/values/reference_parsers.h"
#include "svg/values/transform_parser.h"

namespace zor {

const QString& XMLNamespaceURI()
{
    static const QString uri = XMLNamespace.toString();
    return uri;
}

namespace {

const QString NotANumber = QStringLiteral("not a finite number");

} // namespace

QString TSVGAttributeReader::NotALength()
{
    return QStringLiteral("not a length");
}

bool TSVGAttributeReader::IsReadableLength(QStringView Text)
{
    TSVGUnit unit = TSVGUnit::suNone;
    float number = 0;
    return TryParseUnitNumber(Text, unit, number) && std::isfinite(number);
}

void TSVGAttributeReader::ParseLength(QStringView Text, TSVGLength& Length)
{
    ParseLengthValue(Text, Length, 0, 1);
}

TSVGAttributeReader::TSVGAttributeReader(TSVGElement& Element, const TXMLNode& Node)
    : FElement(Element)
    , FNode(Node)
{
}

bool TSVGAttributeReader::Has(const QString& Name) const
{
    return FNode.HasAttribute(Name);
}

std::optional<QString> TSVGAttributeReader::Text(const QString& Name) const
{
    return FNode.AttributeIfPresent(Name);
}

std::optional<QStringView> TSVGAttributeReader::TextView(const QString& Name) const
{
    QByteArray joined;
    QByteArrayView utf8;
    if (!FNode.ReadAttributeUtf8(Name, joined, utf8))
        return std::nullopt;
    return FBuffer.From(utf8);
}

bool TSVGAttributeReader::ReadLength(const QString& Name, TSVGLength& Length) const
{
    return ReadChecked(Name, IsReadableLength, NotALength(), [&Length](QStringView Text) { ParseLength(Text, Length); });
}

bool TSVGAttributeReader::ReadLengths(const QString& Name, TSVGLengths& Lengths) const
{
    const auto readable = [](QStringView Text) {
        const QStringList pieces = SplitNumbers(Text);
        return std::all_of(pieces.begin(), pieces.end(), [](const QString& Piece) { return IsReadableLength(Piece); });
    };
    return ReadChecked(Name, readable, NotALength(), [&Lengths](QStringView Text) {
        ParseLengthList(Text, Lengths, 0, 1);
    });
}

bool TSVGAttributeReader::ReadNumber(const QString& Name, double& Value) const
{
    const std::optional<QString> text = Text(Name);
    if (!text)
        return false;
    double number = 0;
    if (!TryStrToFloat(text->trimmed(), number) || !std::isfinite(number) || std::fabs(number) > NumberLimit) {
        Refuse(Name, *text, NotANumber);
        return false;
    }
    Value = number;
    return true;
}

bool TSVGAttributeReader::ReadNumber(const QString& Name, float& Value) const
{
    double number = Value;
    if (!ReadNumber(Name, number))
        return false;
    Value = float(number);
    return true;
}

bool TSVGAttributeReader::ReadTransform(const QString& Name, QTransform& Matrix) const
{
    const std::optional<QString> text = Text(Name);
    if (!text)
        return false;
    try {
        Matrix = ParseTransform(*text);
        return true;
    } catch (const Exception& error) {
        // One unreadable transform leaves the element untransformed rather
        // than losing the whole document.
        Refuse(Name, *text, error.Message());
        return false;
    }
}

std::optional<QString> TSVGAttributeReader::Href() const
{
    const QString href = QStringLiteral("href");
    const QString xlink = XLinkNamespace.toString();
    if (const std::optional<QString> text = FNode.AttributeIfPresent(href, xlink))
        return ParseReference(text->trimmed());
    if (const std::optional<QString> text = FNode.AttributeIfPresent(href))
        return ParseReference(text->trimmed());
    return std::nullopt;
}

std::optional<bool> TSVGAttributeReader::PreservesSpace() const
{
    const QString space = QStringLiteral("space");
    const QString& xml = XMLNamespaceURI();
    if (!FNode.HasAttribute(space, xml))
        return std::nullopt;
    return FNode.Attribute(space, xml).trimmed() == u"preserve";
}

void TSVGAttributeReader::Refuse(const QString& Name, QStringView Text, const QString& Reason) const
{
    FElement.ReportDiagnostic(Name, Text, Reason);
}

QString TSVGAttributeReader::UnknownKeyword()
{
    return QStringLiteral("not one of the attribute's keywords");
}

} // namespace zor
