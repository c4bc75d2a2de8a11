// Reading the attributes and children of the graphic and structural
// elements from XML.

#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/clip_path.h"
#include "svg/model/document.h"
#include "svg/model/element_classes.h"
#include "svg/model/metadata.h"
#include "svg/model/path_element.h"
#include "svg/model/use.h"
#include "svg/model/viewport.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"
#include "svg/values/style_value_copy.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

// Four finite numbers: anything else leaves the viewport without a view box.
bool IsReadableViewBox(QStringView Text)
{
    const QStringList pieces = SplitNumbers(Text);
    if (pieces.size() != 4)
        return false;
    for (const QString& piece : pieces) {
        double number = 0;
        if (!TryStrToFloat(piece, number) || !std::isfinite(number) || std::fabs(number) > NumberLimit)
            return false;
    }
    return true;
}

constexpr TSVGKeyword<TSVGCoordinateSystemUnit> ClipPathUnitKeywords[] = {
    {u"userSpaceOnUse", TSVGCoordinateSystemUnit::csuUserSpaceOnUse},
    {u"objectBoundingBox", TSVGCoordinateSystemUnit::csuObjectBoundingBox},
};

} // namespace

void TSVGGraphicElement::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    ReadPresentationAttributes(Node);
    if (const std::optional<QString> style = reader.Text(QStringLiteral("style")))
        Style().SetStyle(*style);
    const TSVGStyle& own = std::as_const(*this).Style();
    TSVGStyleProperties preferred = own.DeclaredProperties();
    own.DeclaredProperties().ForEach(
        [&preferred](TSVGStyleProperty property) { preferred = preferred | StylePropertyLonghands(property); });
    SetPreferredStyles(preferred);
    // The lengths are made only for the attributes given.
    reader.ReadLength(QStringLiteral("x"), [this]() -> TSVGLength& { return Xu(); });
    reader.ReadLength(QStringLiteral("y"), [this]() -> TSVGLength& { return Yu(); });
    reader.ReadLength(QStringLiteral("width"), [this]() -> TSVGLength& { return WidthU(); });
    reader.ReadLength(QStringLiteral("height"), [this]() -> TSVGLength& { return HeightU(); });
    QTransform matrix;
    if (reader.ReadTransform(QStringLiteral("transform"), matrix))
        SetMatrix(matrix);
}

void TSVGGraphicElement::ReadPresentationAttributes(const TXMLNode& Node)
{
    // Attributes of other namespaces (xlink:href, an editor's own) are no
    // presentation attributes, whatever their local name. The attributes of
    // a file are read for every element: in place, into a style made to fit.
    FPresentationAttributes.reset();
    qsizetype count = 0;
    qsizetype characters = 0;
    Node.VisitAttributes([&](QByteArrayView Name, QByteArrayView Space, QByteArrayView Value) {
        if (Space.isEmpty()) {
            ++count;
            characters += Name.size() + Value.size();
        }
    });
    if (count == 0)
        return;
    TSVGStyle& attributes = PresentationAttributes();
    attributes.Reserve(count, characters);
    TUtf16Text name;
    TUtf16Text value;
    Node.VisitAttributes([&](QByteArrayView Name, QByteArrayView Space, QByteArrayView Value) {
        if (Space.isEmpty())
            attributes.AddAttribute(name.From(Name), value.From(Value));
    });
}

TSVGElement* TSVGCustomGroup::CreateChild(const TXMLNode& Node)
{
    const TSVGElementType kind = NodeKind(Node);
    if (kind == TSVGElementType::etStyle) {
        if (TSVGDocument* document = ChildOwner())
            document->ParseStyleElement(Node);
        return nullptr;
    }
    if (kind != TSVGElementType::etNone)
        return AppendNewChild(kind);
    if (Node.NodeType() == TNodeType::ntEntityRef)
        return AppendNewChild(TSVGElementType::etGroup);
    return TSVGElement::CreateChild(Node);
}

void TSVGClipPath::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    TSVGCoordinateSystemUnit units = FClipPathUnits;
    if (TSVGAttributeReader(*this, Node).ReadEnum(QStringLiteral("clipPathUnits"),
                                                  std::span<const TSVGKeyword<TSVGCoordinateSystemUnit>>(
                                                      ClipPathUnitKeywords),
                                                  units))
        SetClipPathUnits(units);
}

TSVGElement* TSVGClipPath::CreateChild(const TXMLNode& Node)
{
    return CreateChildOfKinds(Node, ClipPathChildTypes() - DescriptiveTypes());
}

void TSVGCustomViewBox::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    if (const std::optional<QString> text = reader.Text(QStringLiteral("viewBox")); text && !text->trimmed().isEmpty()) {
        if (IsReadableViewBox(*text)) {
            TSVGViewBox box;
            ParseViewBox(*text, box);
            SetViewBox(box);
        } else {
            reader.Refuse(QStringLiteral("viewBox"), *text, QStringLiteral("not four numbers"));
        }
    }
    if (const std::optional<QString> text = reader.Text(QStringLiteral("preserveAspectRatio")))
        ParseAspectRatio(*text, *FAspectRatio);
}

void TSVGSymbol::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    // SVG 1.1 gives a symbol no transform: it is placed by the use alone.
    SetMatrix(QTransform());
}

void TSVGUse::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    if (const std::optional<QString> reference = TSVGAttributeReader(*this, Node).Href())
        FReference = *reference;
}

void TSVGPath::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    if (const std::optional<QString> data = reader.Text(QStringLiteral("d")))
        FData->SetData(*data);
    double pathLength = FPathLength;
    if (reader.ReadNumber(QStringLiteral("pathLength"), pathLength))
        SetPathLength(pathLength);
}

void TSVGMetadata::LoadAttributes(const TXMLNode& Node)
{
    TSVGElement::LoadAttributes(Node);
    ReadDescriptiveChildren(Node);
    SetXML(Node.Xml());
}

void TSVGMetadata::LoadChildren(const TXMLNode&) {}

} // namespace zor
