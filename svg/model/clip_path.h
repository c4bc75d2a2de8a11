#pragma once
// The clipPath element: never drawn itself; its children's outlines make
// the clip region of the elements that reference it.

#include <memory>

#include "svg/model/group.h"

namespace zor {

class TSVGClipPath : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    // The curves of the clip outline are flattened within this distance.
    static constexpr double Flatness = 0.25;

    explicit TSVGClipPath(TSVGDocument* aOwner);
    ~TSVGClipPath() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;
    bool IsRenderable() const override;

    // The union of the outlines of the children (each under its own and the
    // clip path's transformation, with its clip-rule), flattened; kept until
    // something in the clip path changes.
    const TZorPathData& GetClipPath() const;

protected:
    // Shapes, text and use elements; anything else as for a leaf element.
    TSVGElement* CreateChild(const TXMLNode& Node) override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void MarkBoundsStale() const override;

private:
    mutable std::unique_ptr<TZorPathData> FClipPath;
};

} // namespace zor
