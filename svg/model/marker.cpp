// The marker element: its values, copying and reading from XML.

#include "svg/model/marker.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/update_scope.h"
#include "svg/model/attribute_reader.h"
#include "svg/values/number_parsers.h"

namespace zor {

namespace {

constexpr std::array<TSVGKeyword<TSVGMarkerUnit>, 2> MarkerUnitNames = {{
    {u"strokeWidth", TSVGMarkerUnit::muStrokeWidth},
    {u"userSpaceOnUse", TSVGMarkerUnit::muUserSpaceOnUse},
}};

} // namespace

TSVGMarker::TSVGMarker(TSVGDocument* aOwner)
    : Inherited(aOwner, TSVGAlign::saNone)
    , FRefX(CreateLength(TLengthMeasure::lmHorizontal))
    , FRefY(CreateLength(TLengthMeasure::lmVertical))
    , FMarkerHeight(CreateLength(TLengthMeasure::lmVertical))
    , FMarkerWidth(CreateLength(TLengthMeasure::lmHorizontal))
{
    InitializeLengths();
}

TSVGMarker::~TSVGMarker() = default;

void TSVGMarker::InitializeLengths()
{
    FRefX->Initialize(0, false, TSVGUnit::suNone);
    FRefY->Initialize(0, false, TSVGUnit::suNone);
    FMarkerWidth->Initialize(3, false, TSVGUnit::suNone);
    FMarkerHeight->Initialize(3, false, TSVGUnit::suNone);
}

TSVGElementType TSVGMarker::SVGType() const
{
    return TSVGElementType::etMarker;
}

void TSVGMarker::SetUnits(TSVGMarkerUnit Value)
{
    if (Value == FUnits)
        return;
    FUnits = Value;
    Changed(this);
}

void TSVGMarker::SetOrientation(float Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    Changed(this);
}

void TSVGMarker::SetAutomaticOrientation(bool Value)
{
    if (Value == FAutomaticOrientation)
        return;
    FAutomaticOrientation = Value;
    Changed(this);
}

void TSVGMarker::SetAutoStartReverse(bool Value)
{
    if (Value == FAutoStartReverse)
        return;
    FAutoStartReverse = Value;
    Changed(this);
}

double TSVGMarker::InstanceAngle(double OutlineAngle, bool AtStart) const
{
    if (!FAutomaticOrientation)
        return FOrientation;
    return AtStart && FAutoStartReverse ? OutlineAngle + std::numbers::pi : OutlineAngle;
}

bool TSVGMarker::IsRenderable() const
{
    return false;
}

void TSVGMarker::Clear()
{
    TUpdateScope update(*this);
    InitializeLengths();
    SetUnits(TSVGMarkerUnit::muStrokeWidth);
    SetOrientation(0);
    SetAutomaticOrientation(false);
    SetAutoStartReverse(false);
    Inherited::Clear();
}

void TSVGMarker::AssignProperties(const TSVGElement* Source)
{
    if (const auto* marker = dynamic_cast<const TSVGMarker*>(Source); marker != nullptr && marker != this) {
        TUpdateScope update(*this);
        FRefX->Assign(marker->FRefX.get());
        FRefY->Assign(marker->FRefY.get());
        FMarkerWidth->Assign(marker->FMarkerWidth.get());
        FMarkerHeight->Assign(marker->FMarkerHeight.get());
        SetUnits(marker->FUnits);
        SetOrientation(marker->FOrientation);
        SetAutomaticOrientation(marker->FAutomaticOrientation);
        SetAutoStartReverse(marker->FAutoStartReverse);
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGMarker::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGMarker>(aOwner);
}

void TSVGMarker::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    const TSVGAttributeReader reader(*this, Node);
    reader.ReadLength(QStringLiteral("refX"), *FRefX);
    reader.ReadLength(QStringLiteral("refY"), *FRefY);
    reader.ReadLength(QStringLiteral("markerWidth"), *FMarkerWidth);
    reader.ReadLength(QStringLiteral("markerHeight"), *FMarkerHeight);
    TSVGMarkerUnit units = FUnits;
    if (reader.ReadEnum<TSVGMarkerUnit>(QStringLiteral("markerUnits"), MarkerUnitNames, units))
        SetUnits(units);
    const std::optional<QString> orient = reader.Text(QStringLiteral("orient"));
    if (!orient)
        return;
    const QString text = orient->trimmed();
    if (text == u"auto" || text == u"auto-start-reverse") {
        SetAutomaticOrientation(true);
        SetAutoStartReverse(text == u"auto-start-reverse");
        return;
    }
    // An angle as SVG writes it ("45", "1.5rad"), or a number and a unit
    // word apart ("200 grad").
    std::optional<double> angle = ParseSVGAngle(text);
    if (!angle) {
        bool automatic = false;
        const float unread = std::numeric_limits<float>::quiet_NaN();
        if (const float parsed = ParseAngle(text, automatic, unread); !std::isnan(parsed))
            angle = parsed;
    }
    if (!angle || !std::isfinite(*angle)) {
        reader.Refuse(QStringLiteral("orient"), *orient, QStringLiteral("not an angle"));
        return;
    }
    SetOrientation(float(*angle));
    SetAutomaticOrientation(false);
    SetAutoStartReverse(false);
}

} // namespace zor
