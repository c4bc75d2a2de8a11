#include "svg/model/clip_path.h"

#include <algorithm>

#include "geometry/path_data.h"
#include "platform/update_scope.h"
#include "svg/model/element_types.h"
#include "svg/render/clip_region.h"

namespace zor {

// --- Expansion ------------------------------------------------------------------

TClipExpansion::TEntry::TEntry(TClipExpansion& Expansion, const TSVGClipPath& ClipPath)
    : FExpansion(Expansion)
{
    std::vector<const TSVGClipPath*>& active = Expansion.FActive;
    if (std::ranges::find(active, &ClipPath) != active.end() || active.size() >= MaxNesting)
        return;
    active.push_back(&ClipPath);
    FEntered = true;
}

TClipExpansion::TEntry::~TEntry()
{
    if (FEntered)
        FExpansion.FActive.pop_back();
}

// --- Clip path ------------------------------------------------------------------

TSVGClipPath::TSVGClipPath(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGClipPath::~TSVGClipPath() = default;

TSVGElementType TSVGClipPath::SVGType() const
{
    return TSVGElementType::etClipPath;
}

TSVGElementTypes TSVGClipPath::ChildSVGTypes() const
{
    return ClipPathChildTypes();
}

bool TSVGClipPath::IsRenderable() const
{
    return false;
}

void TSVGClipPath::SetClipPathUnits(TSVGCoordinateSystemUnit Value)
{
    if (Value == FClipPathUnits)
        return;
    FClipPathUnits = Value;
    Changed(this);
}

const TZorPathData& TSVGClipPath::GetClipPath() const
{
    if (!FClipPath) {
        auto outline = std::make_unique<TZorPathData>();
        BuildClipPath(*outline, QTransform());
        outline->Flatten(Flatness);
        FClipPath = std::move(outline);
    }
    return *FClipPath;
}

std::optional<QTransform> TSVGClipPath::UnitsMatrix(const TSVGGraphicElement& Target) const
{
    if (FClipPathUnits != TSVGCoordinateSystemUnit::csuObjectBoundingBox)
        return QTransform();
    const QRectF box = Target.BoundsRect();
    // Fractions of a box without width or height cover nothing.
    if (!(box.width() > 0 && box.height() > 0))
        return std::nullopt;
    return QTransform(box.width(), 0, 0, box.height(), box.left(), box.top());
}

std::shared_ptr<const TClipRegion> TSVGClipPath::Region(const TSVGGraphicElement& Target, const QTransform& M,
                                                        TClipExpansion& Expansion) const
{
    const TClipExpansion::TEntry entry(Expansion, *this);
    if (!entry.Entered())
        return nullptr;
    auto region = std::make_shared<TClipRegion>();
    const std::optional<QTransform> units = UnitsMatrix(Target);
    if (!units)
        return region;
    // Units first, then the clip path's own transformation, in the clipped
    // element's user space.
    const QTransform childMatrix = *units * Matrix() * M;
    for (const TSVGElement* child : Items())
        if (const TSVGGraphicElement* graphic = child->AsGraphicElement();
            graphic != nullptr && ClipPathChildTypes().Contains(graphic->SVGType()))
            graphic->AddToClipRegion(*region, childMatrix, Expansion);
    // The clip path's own clip-path lies in the same space as the clip path.
    region->Restrict(ClipRegionFor(Target, M, Expansion));
    return region;
}

void TSVGClipPath::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    SetClipPathUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
}

void TSVGClipPath::AssignProperties(const TSVGElement* Source)
{
    if (const auto* clipPath = dynamic_cast<const TSVGClipPath*>(Source); clipPath != nullptr)
        SetClipPathUnits(clipPath->FClipPathUnits);
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGClipPath::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGClipPath>(aOwner);
}

void TSVGClipPath::MarkBoundsStale() const
{
    // Whatever changes inside changes the outline too.
    FClipPath.reset();
    Inherited::MarkBoundsStale();
}

} // namespace zor
