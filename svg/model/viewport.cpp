#include "svg/model/viewport.h"

#include <cmath>

#include "geometry/geometry_functions.h"
#include "platform/update_scope.h"
#include "svg/model/use.h"
#include "svg/render/fitting.h"

namespace zor {

// --- Viewport ---------------------------------------------------------------

TSVGCustomViewBox::TSVGCustomViewBox(TSVGDocument* aOwner)
    : TSVGCustomViewBox(aOwner, TSVGAlign::saXMidYMid)
{
}

TSVGCustomViewBox::TSVGCustomViewBox(TSVGDocument* aOwner, TSVGAlign DefaultAlign)
    : Inherited(aOwner)
    , FAspectRatio(std::make_unique<TSVGPreserveAspectRatio>(DefaultAlign, false, false, PartOwner()))
    , FViewBox(std::make_unique<TSVGViewBox>(PartOwner()))
{
    RestartOwnValues();
}

TSVGCustomViewBox::~TSVGCustomViewBox() = default;

TSVGValueOwner TSVGCustomViewBox::PartOwner()
{
    return {
        .Changed = [this](TPersistent&) { ViewChanged(); },
        .UnitFactors = [this](const TPersistent&, TSVGUnitFactors& Factors) { Factors = GetUnitFactors(); },
    };
}

void TSVGCustomViewBox::ViewChanged()
{
    Reset();
    Changed(this);
}

void TSVGCustomViewBox::SetViewBox(const TSVGViewBox& Value)
{
    FViewBox->Assign(&Value);
    FViewBox->SetSpecified(true);
}

bool TSVGCustomViewBox::ViewBoxDisablesDrawing() const
{
    if (!FViewBox->Specified())
        return false;
    const QRectF box = FViewBox->Rect();
    return !(std::isfinite(box.width()) && box.width() > 0 && std::isfinite(box.height()) && box.height() > 0);
}

void TSVGCustomViewBox::FillViewportAround()
{
    WidthU().Initialize(1, true, TSVGUnit::suPercent);
    HeightU().Initialize(1, true, TSVGUnit::suPercent);
}

QRectF TSVGCustomViewBox::ViewportRect() const
{
    return QRectF(X(), Y(), Width(), Height());
}

QRectF TSVGCustomViewBox::UsedViewport(float UseWidth, float UseHeight) const
{
    return QRectF(X(), Y(), UseWidth != 0 ? UseWidth : Width(), UseHeight != 0 ? UseHeight : Height());
}

bool TSVGCustomViewBox::TakesUseSize() const
{
    return true;
}

std::optional<QTransform> TSVGCustomViewBox::ViewMatrix(const QRectF& Viewport) const
{
    if (FViewBox->Specified())
        return ViewBoxMatrix(FViewBox->Rect(), Viewport, *FAspectRatio);
    return TranslationMatrix(Viewport.left(), Viewport.top());
}

QRectF TSVGCustomViewBox::BoundsRect() const
{
    if (FViewBox->Specified() && Owner() == nullptr)
        return FViewBox->Rect();
    const QRectF own = ViewportRect();
    // An artwork without size or view box is measured by its content.
    return own.isEmpty() ? Inherited::BoundsRect() : own;
}

QRectF TSVGCustomViewBox::GetBoundsRect(const QTransform& aMatrix) const
{
    return MapBounds(BoundsRect(), Matrix() * aMatrix);
}

QTransform TSVGCustomViewBox::GetViewMatrix(const QTransform& OldTransformation, const QRectF& aRect) const
{
    if (FViewBox->Specified())
        return ViewBoxMatrix(FViewBox->Rect(), aRect, *FAspectRatio).value_or(OldTransformation);
    return ScalingMatrix(OldTransformation.m11(), OldTransformation.m22())
        * TranslationMatrix(aRect.left(), aRect.top());
}

void TSVGCustomViewBox::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    FAspectRatio->Clear();
    FViewBox->Clear();
}

void TSVGCustomViewBox::AssignProperties(const TSVGElement* Source)
{
    if (const auto* viewport = dynamic_cast<const TSVGCustomViewBox*>(Source); viewport && viewport != this) {
        FViewBox->Assign(viewport->FViewBox.get());
        FAspectRatio->Assign(viewport->FAspectRatio.get());
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGCustomViewBox::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGCustomViewBox>(aOwner);
}

bool TSVGCustomViewBox::OverflowVisibleByDefault() const
{
    return false;
}

bool TSVGCustomViewBox::ClipsContent() const
{
    return !ResolvedValues().Overflow && Options().Contains(TSVGOption::soApplyClipping);
}

// --- Symbol -----------------------------------------------------------------

TSVGSymbol::TSVGSymbol(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
    FillViewportAround();
}

TSVGElementType TSVGSymbol::SVGType() const
{
    return TSVGElementType::etSymbol;
}

bool TSVGSymbol::IsRenderable() const
{
    return dynamic_cast<const TSVGUse*>(Parent()) != nullptr && Inherited::IsRenderable();
}

QRectF TSVGSymbol::UsedViewport(float UseWidth, float UseHeight) const
{
    const QRectF viewport = Inherited::UsedViewport(UseWidth, UseHeight);
    return QRectF(0, 0, viewport.width(), viewport.height());
}

std::unique_ptr<TSVGElement> TSVGSymbol::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGSymbol>(aOwner);
}

} // namespace zor
