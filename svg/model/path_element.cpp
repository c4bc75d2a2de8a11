#include "svg/model/path_element.h"

#include "platform/update_scope.h"
#include "svg/model/element_types.h"

namespace zor {

TSVGPath::TSVGPath(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FData(std::make_unique<TZorPathData>([this](TZorPathData&) { Changed(this); }))
{
}

TSVGPath::~TSVGPath() = default;

TSVGElementType TSVGPath::SVGType() const
{
    return TSVGElementType::etPath;
}

TSVGElementTypes TSVGPath::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGPath::SetData(const TZorPathData& Value)
{
    if (&Value != FData.get())
        FData->Assign(&Value);
}

void TSVGPath::SetPathLength(double Value)
{
    if (Value == FPathLength)
        return;
    FPathLength = Value;
    Changed(this);
}

double TSVGPath::GetPathLength() const
{
    return FPathLength >= 0 ? FPathLength : FData->GetLength();
}

double TSVGPath::GetLengthRatio() const
{
    const double length = FData->GetLength();
    return length > 0 ? GetPathLength() / length : 0;
}

const TZorPathData& TSVGPath::GetShape() const
{
    return *FData;
}

const TZorPathData& TSVGPath::ShapeForDrawing(TZorPathData&) const
{
    return *FData;
}

QRectF TSVGPath::BoundsRect() const
{
    return FData->GetBounds();
}

void TSVGPath::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    FData->Clear();
    SetPathLength(-1);
}

void TSVGPath::AssignProperties(const TSVGElement* Source)
{
    if (const auto* path = dynamic_cast<const TSVGPath*>(Source); path != nullptr && path != this) {
        SetData(*path->FData);
        SetPathLength(path->FPathLength);
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGPath::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGPath>(aOwner);
}

bool TSVGPath::PlacesMarkers() const
{
    return true;
}

} // namespace zor
