#include "svg/shapes/text_path.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

#include "platform/update_scope.h"
#include "svg/model/path_element.h"

namespace zor {

// --- TSVGPathSampler ------------------------------------------------------------

namespace {
constexpr double PathFlatness = 0.25;
} // namespace

TSVGPathSampler::TSVGPathSampler(const TZorPathData& Path)
{
    if (Path.IsEmpty())
        return;
    const std::unique_ptr<TZorPathData> flat = Path.Clone();
    flat->Flatten(PathFlatness);
    FPolygons = flat->Polygons();
    FDistances = flat->Distances();
    FLength = flat->GetLength();
}

bool TSVGPathSampler::PointAt(double Distance, QPointF& Point, double& Angle) const
{
    if (!(Distance >= 0 && Distance <= FLength) || FLength <= 0)
        return false;
    for (qsizetype p = 0; p < FPolygons.size() && p < FDistances.size(); ++p) {
        const QPolygonF& polygon = FPolygons[p];
        const QList<double>& distances = FDistances[p];
        const qsizetype count = std::min(polygon.size(), distances.size());
        if (count < 2 || distances[count - 1] < Distance)
            continue;
        // The first point at or beyond the distance ends the segment it lies on.
        const auto at = std::lower_bound(distances.begin(), distances.begin() + count, Distance);
        qsizetype i = std::max<qsizetype>(1, at - distances.begin());
        // Segments without length have no direction: take the next one.
        while (i < count - 1 && polygon[i] == polygon[i - 1])
            ++i;
        const QPointF a = polygon[i - 1];
        const QPointF b = polygon[i];
        const double span = distances[i] - distances[i - 1];
        const double t = span > 0 ? std::clamp((Distance - distances[i - 1]) / span, 0.0, 1.0) : 0.0;
        Point = a + (b - a) * t;
        Angle = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180 / M_PI;
        return true;
    }
    return false;
}

// --- TSVGTextPath -----------------------------------------------------------------

TSVGTextPath::TSVGTextPath(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FStartOffset(CreateLength(TLengthMeasure::lmOwnUnits))
    , FPath(std::make_unique<TZorPathData>())
{
}

TSVGTextPath::~TSVGTextPath() = default;

TSVGElementType TSVGTextPath::SVGType() const
{
    return TSVGElementType::etTextPath;
}

TSVGElementTypes TSVGTextPath::ChildSVGTypes() const
{
    using enum TSVGElementType;
    return DescriptiveTypes() | TSVGElementTypes{etTSpan, etTRef};
}

void TSVGTextPath::SetReference(const QString& Value)
{
    if (Value == FReference)
        return;
    FReference = Value;
    FLink.Follow(GetPathElement());
    FUpdatePath = true;
    Changed(this);
}

void TSVGTextPath::SetMethod(TSVGTextPathMethod Value)
{
    if (Value == FMethod)
        return;
    FMethod = Value;
    Changed(this);
}

void TSVGTextPath::SetSpacing(TSVGTextPathSpacing Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    Changed(this);
}

double TSVGTextPath::StartDistance(double PathLength) const
{
    if (FStartOffset->IsPercent())
        return FStartOffset->Raw() * PathLength;
    // A length given against the author's pathLength is scaled to the geometry.
    const TSVGPath* element = GetPathElement();
    const double ratio = element != nullptr && element->PathLength() > 0 ? element->GetLengthRatio() : 1;
    return ratio > 0 ? FStartOffset->Pixels() / ratio : FStartOffset->Pixels();
}

TSVGPath* TSVGTextPath::GetPathElement() const
{
    return dynamic_cast<TSVGPath*>(FindReferencedElement(FReference));
}

const TZorPathData& TSVGTextPath::Path() const
{
    TSVGPath* element = GetPathElement();
    // A reference read before its path existed starts following it now.
    if (element != nullptr && FLink.Target() != element)
        FLink.Follow(element);
    if (FUpdatePath || ReferencesChanged()) {
        FUpdatePath = false;
        FPathSource = element;
        FPathRevision = element != nullptr ? element->Data().Revision() : 0;
        FPathMatrix = element != nullptr ? element->Matrix() : QTransform();
        const TUpdateScope update(*FPath);
        FPath->Clear();
        if (element != nullptr) {
            FPath->Assign(&element->Data());
            FPath->ApplyMatrix(element->Matrix());
        }
    }
    return *FPath;
}

float TSVGTextPath::GetXAt(qsizetype i) const
{
    return i < XList().Count() ? XList()[i].Pixels() : 0;
}

float TSVGTextPath::GetYAt(qsizetype i) const
{
    return i < YList().Count() ? YList()[i].Pixels() : 0;
}

float TSVGTextPath::GetDXAt(qsizetype i) const
{
    return i < DXList().Count() ? DXList()[i].Pixels() : 0;
}

float TSVGTextPath::GetDYAt(qsizetype i) const
{
    return i < DYList().Count() ? DYList()[i].Pixels() : 0;
}

float TSVGTextPath::GetRotateAt(qsizetype i) const
{
    return i < Rotate().size() ? Rotate()[i] : 0;
}

bool TSVGTextPath::IsXSpecifiedAt(qsizetype i) const
{
    return i < XList().Count();
}

bool TSVGTextPath::IsYSpecifiedAt(qsizetype i) const
{
    return i < YList().Count();
}

bool TSVGTextPath::StartsChunkAt(qsizetype i) const
{
    return i == 0 || Inherited::StartsChunkAt(i);
}

bool TSVGTextPath::ReferencesChanged() const
{
    const TSVGPath* element = GetPathElement();
    if (element != FPathSource)
        return true;
    return element != nullptr && (element->Data().Revision() != FPathRevision || element->Matrix() != FPathMatrix);
}

void TSVGTextPath::ReferenceChanged(TSVGElement* Sender)
{
    FUpdatePath = true;
    Inherited::ReferenceChanged(Sender);
}

void TSVGTextPath::Clear()
{
    TUpdateScope update(*this);
    SetReference(QString());
    FStartOffset->Clear();
    FMethod = TSVGTextPathMethod::tpmAlign;
    FSpacing = TSVGTextPathSpacing::tpsExact;
    Inherited::Clear();
}

void TSVGTextPath::AssignProperties(const TSVGElement* Source)
{
    if (const auto* path = dynamic_cast<const TSVGTextPath*>(Source); path != nullptr && path != this) {
        FStartOffset->Assign(path->FStartOffset.get());
        FMethod = path->FMethod;
        FSpacing = path->FSpacing;
        SetReference(path->FReference);
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGTextPath::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGTextPath>(aOwner);
}

} // namespace zor
