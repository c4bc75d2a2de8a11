#include "svg/model/clip_path.h"

#include "geometry/path_data.h"
#include "svg/model/element_types.h"

namespace zor {

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
