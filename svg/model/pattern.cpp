// The pattern element: its values, its href chain, copying and reading from XML.

#include "svg/model/pattern.h"

#include <algorithm>
#include <array>

#include "platform/update_scope.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/reference_chain.h"
#include "svg/values/transform_parser.h"

namespace zor {

namespace {

using enum TSVGPatternAttribute;

constexpr std::array<TSVGKeyword<TSVGCoordinateSystemUnit>, 2> PatternUnitNames = {{
    {u"objectBoundingBox", TSVGCoordinateSystemUnit::csuObjectBoundingBox},
    {u"userSpaceOnUse", TSVGCoordinateSystemUnit::csuUserSpaceOnUse},
}};

} // namespace

TSVGPattern::TSVGPattern(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGPattern::~TSVGPattern() = default;

TSVGElementType TSVGPattern::SVGType() const
{
    return TSVGElementType::etPattern;
}

void TSVGPattern::SetContentUnits(TSVGCoordinateSystemUnit Value)
{
    Specify(paContentUnits);
    if (Value == FContentUnits)
        return;
    FContentUnits = Value;
    Changed(this);
}

void TSVGPattern::SetUnits(TSVGCoordinateSystemUnit Value)
{
    Specify(paUnits);
    if (Value == FUnits)
        return;
    FUnits = Value;
    Changed(this);
}

void TSVGPattern::SetReference(const QString& Value)
{
    if (ChangeFollowedReference(*this, FReference, Value))
        Changed(this);
}

void TSVGPattern::SetPatternMatrix(const QTransform& Value)
{
    Specify(paTransform);
    if (Value == FPatternMatrix)
        return;
    FPatternMatrix = Value;
    Changed(this);
}

QString TSVGPattern::PatternTransformMatrix() const
{
    return TransformToString(FPatternMatrix);
}

void TSVGPattern::SetPatternTransformMatrix(QStringView Value)
{
    SetPatternMatrix(ParseTransform(Value));
}

void TSVGPattern::SetSpecified(TSVGPatternAttributes Value)
{
    if (Value == FSpecified)
        return;
    FSpecified = Value;
    Changed(this);
}

void TSVGPattern::Specify(TSVGPatternAttribute Attribute)
{
    if (FSpecified.Contains(Attribute))
        return;
    FSpecified.Include(Attribute);
    Changed(this);
}

std::vector<const TSVGPattern*> TSVGPattern::ReferenceChain() const
{
    return ReferenceChainOf(*this);
}

bool TSVGPattern::IsRenderable() const
{
    return false;
}

void TSVGPattern::ReferenceChanged(TSVGElement* Sender)
{
    if (Sender->ElementState().Contains(TSVGElementStateFlag::esDestroying))
        FReference.clear();
    Inherited::ReferenceChanged(Sender);
}

void TSVGPattern::Clear()
{
    TUpdateScope update(*this);
    SetReference(QString());
    Inherited::Clear();
    FContentUnits = TSVGCoordinateSystemUnit::csuUserSpaceOnUse;
    FUnits = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    FPatternMatrix = QTransform();
    FSpecified = {};
    Changed(this);
}

void TSVGPattern::AssignProperties(const TSVGElement* Source)
{
    if (const auto* pattern = dynamic_cast<const TSVGPattern*>(Source); pattern != nullptr && pattern != this) {
        TUpdateScope update(*this);
        SetContentUnits(pattern->FContentUnits);
        SetUnits(pattern->FUnits);
        SetPatternMatrix(pattern->FPatternMatrix);
        SetReference(pattern->FReference);
        SetSpecified(pattern->FSpecified);
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGPattern::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGPattern>(aOwner);
}

void TSVGPattern::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    constexpr std::pair<const char16_t*, TSVGPatternAttribute> lengths[] = {
        {u"x", paX}, {u"y", paY}, {u"width", paWidth}, {u"height", paHeight}};
    for (const auto& [name, attribute] : lengths)
        if (reader.Has(QString::fromUtf16(name)))
            Specify(attribute);
    if (reader.Has(QStringLiteral("preserveAspectRatio")))
        Specify(paAspectRatio);
    QTransform matrix;
    if (reader.ReadTransform(QStringLiteral("patternTransform"), matrix))
        SetPatternMatrix(matrix);
    TSVGCoordinateSystemUnit units = FUnits;
    if (reader.ReadEnum<TSVGCoordinateSystemUnit>(QStringLiteral("patternUnits"), PatternUnitNames, units))
        SetUnits(units);
    TSVGCoordinateSystemUnit contentUnits = FContentUnits;
    if (reader.ReadEnum<TSVGCoordinateSystemUnit>(QStringLiteral("patternContentUnits"), PatternUnitNames,
                                                  contentUnits))
        SetContentUnits(contentUnits);
    // Stored as it is: the pattern it names may come later in the file.
    if (const std::optional<QString> reference = reader.Href())
        FReference = *reference;
}

} // namespace zor
