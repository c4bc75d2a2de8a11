#include "svg/model/graphic_element.h"

#include <QVarLengthArray>
#include <algorithm>
#include <optional>
#include <utility>

#include "geometry/path_data.h"
#include "platform/update_scope.h"
#include "svg/model/cascade.h"
#include "svg/model/clip_path.h"
#include "svg/model/document.h"
#include "svg/model/viewport.h"
#include "svg/render/clip_region.h"
#include "svg/render/fitting.h"
#include "svg/render/transformed_path.h"
#include "svg/model/property_export.h"
#include "svg/model/selector.h"
#include "svg/values/style_value_copy.h"
#include "svg/values/transform_parser.h"

namespace zor {

namespace {

using enum TSVGStyleProperty;

// Every property a value of its own stands for: the shorthands are covered
// by their longhands.
const TSVGStyleProperties& ResolvedProperties()
{
    static const TSVGStyleProperties properties =
        TSVGStyleProperties::All() - StyleShorthands() - TSVGStyleProperties{ipNone};
    return properties;
}

// A parent's opacity scales its descendants' and a parent that is not
// displayed hides them, whatever they inherit.
const TSVGStyleProperties& AlwaysPassedDown()
{
    static const TSVGStyleProperties properties = {ipOpacity, ipDisplay};
    return properties;
}

TSVGStyleProperties Longhands(const TSVGStyleProperties& Properties)
{
    TSVGStyleProperties longhands;
    Properties.ForEach([&](TSVGStyleProperty p) { longhands = longhands | StylePropertyLonghands(p); });
    return longhands - TSVGStyleProperties{ipNone};
}

TSVGGraphicElement* AsGraphic(TSVGElement* Element)
{
    return Element != nullptr ? Element->AsGraphicElement() : nullptr;
}

// A value in user units; a percentage becomes a plain number, a length in
// a unit keeps its unit.
void SetInUserUnits(TSVGLength& Length, float Value)
{
    if (Length.IsPercent())
        Length.Initialize(Value, false, TSVGUnit::suNone);
    else
        Length.SetValue(Value);
}

// Element and its graphic ancestors up to the first one whose cached value
// is valid, topmost first. Reading a value makes no chain on the heap unless
// the tree is deep.
using TElementChain = QVarLengthArray<const TSVGGraphicElement*, 32>;
template <typename IsStale>
TElementChain StaleChain(const TSVGGraphicElement* Element, IsStale&& Stale)
{
    TElementChain chain;
    for (const TSVGGraphicElement* e = Element; e != nullptr && Stale(*e); e = e->GetGraphicParent())
        chain.push_back(e);
    std::ranges::reverse(chain);
    return chain;
}

} // namespace

TSVGGraphicElement::TSVGGraphicElement(TSVGDocument* aOwner)
    : TSVGElement(aOwner)
    , FValues(InitialOwnValues())
{
    SetAttributes(ResolvedProperties() | StyleShorthands());
}

bool TSVGGraphicElement::OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const
{
    const auto measure = TLengthMeasure(Slot);
    if (measure != TLengthMeasure::lmHorizontal && measure != TLengthMeasure::lmVertical)
        return Inherited::OwnedValueUnitFactors(Value, Slot, Factors);
    Factors = LengthUnitFactors();
    return true;
}

bool TSVGGraphicElement::OwnedValueRange(const TSVGLength& Value, int Slot, float& Min, float& Max,
                                         bool& DoRange) const
{
    const auto measure = TLengthMeasure(Slot);
    if (measure != TLengthMeasure::lmHorizontal && measure != TLengthMeasure::lmVertical)
        return Inherited::OwnedValueRange(Value, Slot, Min, Max, DoRange);
    // The element's own position and size lie in the viewport around it.
    const TSVGGraphicElement* parent = GetGraphicParent();
    if (const TSVGCustomViewBox* box = parent != nullptr ? parent->GetNearestViewBox() : nullptr) {
        Min = 0;
        Max = measure == TLengthMeasure::lmHorizontal ? box->ViewBox().Width().GetValue()
                                                      : box->ViewBox().Height().GetValue();
    }
    return true;
}

TSVGStyle& TSVGGraphicElement::MadeStyle(std::unique_ptr<TSVGStyle>& Style)
{
    if (!Style)
        Style = std::make_unique<TSVGStyle>();
    return *Style;
}

const TSVGStyle& TSVGGraphicElement::StyleOrEmpty(const std::unique_ptr<TSVGStyle>& Style)
{
    // Its declarations are found once here, so that readers on several
    // threads never fill them.
    static const TSVGStyle& empty = []() -> const TSVGStyle& {
        static const TSVGStyle style;
        style.Declarations();
        return style;
    }();
    return Style ? *Style : empty;
}

TSVGGraphicElement::TGeometryLengths& TSVGGraphicElement::Geometry()
{
    if (!FGeometry)
        FGeometry.reset(new TGeometryLengths{{*this, int(TLengthMeasure::lmHorizontal)},
                                             {*this, int(TLengthMeasure::lmVertical)},
                                             {*this, int(TLengthMeasure::lmHorizontal)},
                                             {*this, int(TLengthMeasure::lmVertical)}});
    return *FGeometry;
}

const TSVGGraphicElement::TGeometryLengths& TSVGGraphicElement::GeometryOrUnset() const
{
    // Lengths never set read as 0 whatever they are measured against.
    static const TGeometryLengths unset{};
    return FGeometry ? *FGeometry : unset;
}

TSVGUnitFactors TSVGGraphicElement::LengthUnitFactors() const
{
    TSVGUnitFactors factors = GetUnitFactors();
    const float fontSize = Font().Size();
    factors[std::size_t(TSVGUnit::suFontSize)] *= fontSize;
    factors[std::size_t(TSVGUnit::suFontXHeight)] *= fontSize / 2;
    return factors;
}

TSVGGraphicElement::~TSVGGraphicElement() = default;

int TSVGGraphicElement::Matches(QStringView Selector) const
{
    return TSVGSelector(Selector).Match(*this);
}

void TSVGGraphicElement::ApplyStyles()
{
    // The document reports the whole subtree's change once, at the end.
    TSVGElement& reporter = Owner() != nullptr ? static_cast<TSVGElement&>(*Owner()) : *this;
    TUpdateScope update(reporter);
    // One walk marks the whole branch stale; the cascade of each element
    // then need not walk the branch below it again.
    ValuesChanged(TSVGStyleProperties::All());
    CascadeBranch();
}

void TSVGGraphicElement::CascadeBranch()
{
    // Resolved here, parents first, so that a tree that was read or restyled
    // is read without anything being made.
    Cascade();
    ResolveStaleValues();
    for (TSVGElement* child : Items()) {
        if (TSVGGraphicElement* graphic = child->AsGraphicElement())
            graphic->CascadeBranch();
        else
            child->ApplyStyles();
    }
}

TSVGStyleContext TSVGGraphicElement::StyleContext(float FontSize) const
{
    TSVGStyleContext context;
    context.UnitFactors = GetUnitFactors();
    context.UnitFactors[std::size_t(TSVGUnit::suFontSize)] *= FontSize;
    context.UnitFactors[std::size_t(TSVGUnit::suFontXHeight)] *= FontSize / 2;
    const TSVGGraphicElement* parent = GetGraphicParent();
    context.ParentFontSize = parent != nullptr ? parent->Font().Size() : TFont::DefaultSize;
    return context;
}

void TSVGGraphicElement::Cascade()
{
    const TSVGCascade cascade(*this, std::as_const(*this).PresentationAttributes(), RuleSheets(),
                              std::as_const(*this).Style());
    const TSVGStyleProperties declared = cascade.DeclaredProperties();
    // An element that nothing styles shares the initial values of its class.
    if (declared.IsEmpty() && FSetInCode.IsEmpty()) {
        FValues = InitialOwnValues();
        MarkOwnValuesStale();
        return;
    }
    const TSVGGraphicElement* parent = GetGraphicParent();
    const float parentFontSize = parent != nullptr ? parent->Font().Size() : TFont::DefaultSize;
    const TAlphaColor parentColor = parent != nullptr ? parent->Color() : 0;

    // Values set in code outlive the cascade: they are taken from the
    // values the element had.
    const std::shared_ptr<TSVGStyleValues> previous = FValues;
    auto values = std::make_shared<TSVGStyleValues>();
    const auto restoreKept = [&] {
        if (FSetInCode.IsEmpty())
            return;
        CopyStyleProperties(*previous, *values, FSetInCode);
        values->Inherits = (values->Inherits - FSetInCode) | (previous->Inherits & FSetInCode);
    };

    // The font size and the colour come first: em and ex lengths are
    // measured in the element's own font size, and currentColor is its colour.
    const TSVGStyleProperties firstPass = {ipColor, ipFont, ipFontSize};
    float fontSize = parentFontSize;
    TAlphaColor color = parentColor;
    if (!((declared | FSetInCode) & firstPass).IsEmpty()) {
        ResetOwnValues(*values);
        values->Color = parentColor;
        cascade.Apply(*this, *values, StyleContext(parentFontSize), firstPass);
        restoreKept();
        const bool inheritsSize = parent != nullptr && values->Inherits.Contains(ipFontSize);
        const bool inheritsColor = parent != nullptr && values->Inherits.Contains(ipColor);
        fontSize = inheritsSize ? parentFontSize : values->Font.Size();
        color = inheritsColor ? parentColor : values->Color;
    }
    ResetOwnValues(*values);
    values->Color = color;
    cascade.Apply(*this, *values, StyleContext(fontSize), TSVGStyleProperties::All());
    restoreKept();
    LimitOpacities(*values);
    FValues = std::move(values);
    MarkOwnValuesStale();
}

bool TSVGGraphicElement::OverflowVisibleByDefault() const
{
    return true;
}

void TSVGGraphicElement::ResetOwnValues(TSVGStyleValues& Values) const
{
    ResetStyleValues(Values);
    Values.Overflow = OverflowVisibleByDefault();
}

const std::shared_ptr<TSVGStyleValues>& TSVGGraphicElement::InitialOwnValues() const
{
    const auto make = [](bool OverflowVisible) {
        auto values = std::make_shared<TSVGStyleValues>();
        ResetStyleValues(*values);
        values->Overflow = OverflowVisible;
        return values;
    };
    static const std::shared_ptr<TSVGStyleValues> visible = make(true);
    static const std::shared_ptr<TSVGStyleValues> hidden = make(false);
    return OverflowVisibleByDefault() ? visible : hidden;
}

void TSVGGraphicElement::RestartOwnValues()
{
    FValues = InitialOwnValues();
    ValuesChanged(TSVGStyleProperties::All());
}

TSVGStyleValues& TSVGGraphicElement::OwnValuesToEdit()
{
    // Others may read the same values; a copy of its own is changed instead.
    if (FValues.use_count() != 1)
        FValues = std::make_shared<TSVGStyleValues>(*FValues);
    return *FValues;
}

std::vector<const TSVGStyleSheet*> TSVGGraphicElement::RuleSheets() const
{
    if (Owner() == nullptr)
        return {};
    return {&Owner()->Styles()};
}

// --- Own values ----------------------------------------------------------------

void TSVGGraphicElement::SetInherits(const TSVGStyleProperties& Value)
{
    if (Value == FValues->Inherits)
        return;
    const TSVGStyleProperties changed = (Value - FValues->Inherits) | (FValues->Inherits - Value);
    OwnValuesToEdit().Inherits = Value;
    FSetInCode = FSetInCode | changed;
    ValuesChanged(changed);
    Changed(this);
}

void TSVGGraphicElement::ValuesEdited(const TSVGStyleProperties& Properties)
{
    const TSVGStyleProperties longhands = Longhands(Properties);
    TSVGStyleValues& values = OwnValuesToEdit();
    values.Inherits = values.Inherits - longhands;
    FSetInCode = FSetInCode | longhands;
    LimitOpacities(values);
    ValuesChanged(longhands);
    Changed(this);
}

void TSVGGraphicElement::MarkOwnValuesStale() const
{
    FValuesStale = true;
    // Lengths in em follow the font size.
    FShapeStale = true;
    MarkBoundsStale();
}

void TSVGGraphicElement::ValuesChanged(const TSVGStyleProperties& Properties)
{
    std::vector<std::pair<const TSVGGraphicElement*, TSVGStyleProperties>> pending = {{this, Properties}};
    while (!pending.empty()) {
        const auto [element, changed] = pending.back();
        pending.pop_back();
        element->MarkOwnValuesStale();
        for (TSVGElement* child : element->Items())
            if (const TSVGGraphicElement* graphic = AsGraphic(child)) {
                const TSVGStyleProperties passed = changed & (graphic->FValues->Inherits | AlwaysPassedDown());
                if (!passed.IsEmpty())
                    pending.push_back({graphic, passed});
            }
    }
    AncestorBoundsChanged();
}

template <typename T, typename StoreFunction>
void TSVGGraphicElement::SetOwnValue(TSVGStyleProperty Property, const T& Current, const T& Value,
                                     StoreFunction&& Store)
{
    if (Current == Value && !FValues->Inherits.Contains(Property))
        return;
    EditValues({Property}, std::forward<StoreFunction>(Store));
}

void TSVGGraphicElement::SetBrush(const TSVGBrush& Value)
{
    EditValues({ipFill, ipFillOpacity}, [&](TSVGStyleValues& values) { values.Brush.Assign(&Value); });
}

void TSVGGraphicElement::SetPen(const TSVGPen& Value)
{
    const TSVGStyleProperties stroke = {ipStroke,          ipStrokeDasharray, ipStrokeDashOffset, ipStrokeLinecap,
                                        ipStrokeLineJoin,  ipStrokeMiterLimit, ipStrokeOpacity,   ipStrokeWidth};
    EditValues(stroke, [&](TSVGStyleValues& values) { values.Pen.Assign(&Value); });
}

void TSVGGraphicElement::SetFont(const TSVGFont& Value)
{
    EditValues({ipFont, ipTextDecoration}, [&](TSVGStyleValues& values) { values.Font.Assign(&Value); });
}

void TSVGGraphicElement::SetColor(TAlphaColor Value)
{
    SetOwnValue(ipColor, FValues->Color, Value, [Value](TSVGStyleValues& values) { values.Color = Value; });
}

void TSVGGraphicElement::SetOpacity(float Value)
{
    Value = LimitedOpacity(Value);
    SetOwnValue(ipOpacity, FValues->Opacity, Value, [Value](TSVGStyleValues& values) { values.Opacity = Value; });
}

void TSVGGraphicElement::SetVisible(bool Value)
{
    SetOwnValue(ipVisibility, FValues->Visible, Value, [Value](TSVGStyleValues& values) { values.Visible = Value; });
}

void TSVGGraphicElement::SetDisplay(bool Value)
{
    SetOwnValue(ipDisplay, FValues->Display, Value, [Value](TSVGStyleValues& values) { values.Display = Value; });
}

void TSVGGraphicElement::SetFillRule(TSVGFillRule Value)
{
    SetOwnValue(ipFillRule, FValues->FillRule, Value, [Value](TSVGStyleValues& values) { values.FillRule = Value; });
}

void TSVGGraphicElement::SetClipURI(const QString& Value)
{
    SetOwnValue(ipClipPath, FValues->ClipURI, Value, [&Value](TSVGStyleValues& values) { values.ClipURI = Value; });
}

void TSVGGraphicElement::SetMarkerStartURI(const QString& Value)
{
    SetOwnValue(ipMarkerStart, FValues->MarkerStartURI, Value,
                [&Value](TSVGStyleValues& values) { values.MarkerStartURI = Value; });
}

void TSVGGraphicElement::SetMarkerMidURI(const QString& Value)
{
    SetOwnValue(ipMarkerMid, FValues->MarkerMidURI, Value,
                [&Value](TSVGStyleValues& values) { values.MarkerMidURI = Value; });
}

void TSVGGraphicElement::SetMarkerEndURI(const QString& Value)
{
    SetOwnValue(ipMarkerEnd, FValues->MarkerEndURI, Value,
                [&Value](TSVGStyleValues& values) { values.MarkerEndURI = Value; });
}

// --- Effective values ---------------------------------------------------------------

void TSVGGraphicElement::ResolveStaleValues() const
{
    for (const TSVGGraphicElement* element : StaleChain(this, [](const auto& e) { return e.FValuesStale; }))
        element->ResolveValues();
}

// The graphic parent's effective values are valid when this runs.
void TSVGGraphicElement::ResolveValues() const
{
    const TSVGGraphicElement* parent = GetGraphicParent();
    FResolved = parent != nullptr ? ResolvedUnder(*parent) : FValues;
    FAbsoluteOpacity = FResolved->Opacity * (parent != nullptr ? parent->FAbsoluteOpacity : 1.0f);
    FDisplayed = FResolved->Display && (parent == nullptr || parent->FDisplayed);
    FValuesStale = false;
    ++FValuesGeneration;
}

std::shared_ptr<const TSVGStyleValues> TSVGGraphicElement::ResolvedUnder(const TSVGGraphicElement& Parent) const
{
    const TSVGStyleValues& own = *FValues;
    const TSVGStyleValues& parents = *Parent.FResolved;
    const TSVGStyleProperties inherited = own.Inherits & ResolvedProperties();
    // Most elements differ from their parent in nothing they inherit, or in
    // nothing else: then one of the two stands for the result.
    if (StylePropertiesEqual(own, parents, inherited))
        return FValues;
    if (own.Inherits == parents.Inherits && StylePropertiesEqual(own, parents, ResolvedProperties() - inherited))
        return Parent.FResolved;
    auto resolved = std::make_shared<TSVGStyleValues>(own);
    CopyStyleProperties(parents, *resolved, inherited);
    return resolved;
}

float TSVGGraphicElement::GetAbsoluteOpacity() const
{
    ResolvedValues();
    return FAbsoluteOpacity;
}

bool TSVGGraphicElement::IsDisplayed() const
{
    ResolvedValues();
    return FDisplayed;
}

TSVGElement* TSVGGraphicElement::FindReferencedElement(const QString& ID) const
{
    if (ID.isEmpty())
        return nullptr;
    // The root of a document finds ids among its own elements; a nested
    // document's elements find those of the documents around it too.
    const auto* document = dynamic_cast<const TSVGDocument*>(this);
    if (document == nullptr)
        document = Owner();
    for (; document != nullptr; document = document->Owner()) {
        TSVGElement* element = nullptr;
        if (document->AllItems().TryGetValue(ID, element))
            return element;
    }
    return nullptr;
}

TSVGElement* TSVGGraphicElement::ClipURIElement() const
{
    TSVGElement* element = FindReferencedElement(ClipURI());
    return element != nullptr && element->SVGType() == TSVGElementType::etClipPath ? element : nullptr;
}

const TZorPathData* TSVGGraphicElement::GetClipPath() const
{
    const auto* clipPath = dynamic_cast<const TSVGClipPath*>(ClipURIElement());
    return clipPath != nullptr ? &clipPath->GetClipPath() : nullptr;
}

void TSVGGraphicElement::BuildClipPath(TZorPathData& ClipPath, const QTransform& aMatrix) const
{
    if (!IsEnabled())
        return;
    const QTransform M = Matrix() * aMatrix;
    if (const TZorPathData& shape = GetShape(); !shape.IsEmpty()) {
        TZorPathData outline;
        outline.Assign(&shape);
        if (const TSVGFillRule rule = ClipRule(); rule != TSVGFillRule::frNone)
            outline.SetFillMode(rule == TSVGFillRule::frEvenOdd ? TZorFillMode::fmEvenOdd : TZorFillMode::fmNonZero);
        outline.ApplyMatrix(M);
        ClipPath.Append(outline);
    }
    for (const TSVGElement* child : Items())
        if (const TSVGGraphicElement* graphic = child->AsGraphicElement(); graphic && graphic->Visible())
            graphic->BuildClipPath(ClipPath, M);
}

std::shared_ptr<const TClipRegion> TSVGGraphicElement::ClipRegion(const QTransform& M) const
{
    TClipExpansion expansion;
    return ClipRegionFor(*this, M, expansion);
}

std::shared_ptr<const TClipRegion> TSVGGraphicElement::ClipRegionFor(const TSVGGraphicElement& Target,
                                                                     const QTransform& M,
                                                                     TClipExpansion& Expansion) const
{
    // An inherited clip-path is applied once, where it was given.
    if (FValues->Inherits.Contains(ipClipPath) || FValues->ClipURI.isEmpty()
        || Options().Contains(TSVGOption::soIgnoreClipPaths))
        return nullptr;
    const auto* clipPath = dynamic_cast<const TSVGClipPath*>(FindReferencedElement(FValues->ClipURI));
    // A reference to no clip path is an error: the element is not rendered.
    if (clipPath == nullptr)
        return std::make_shared<TClipRegion>();
    return clipPath->Region(Target, M, Expansion);
}

void TSVGGraphicElement::AddToClipRegion(TClipRegion& Region, const QTransform& aMatrix,
                                         TClipExpansion& Expansion) const
{
    if (!IsRenderable())
        return;
    const QTransform M = Matrix() * aMatrix;
    const std::shared_ptr<const TClipRegion> clip = ClipRegionFor(*this, M, Expansion);
    if (clip && clip->IsEmpty())
        return;
    TClipRegion outlines;
    AddClipOutlines(outlines, M, Expansion);
    for (const TClipRegion::TShape& shape : outlines.Shapes())
        Region.AddShape(shape.Outline, TClipRegion::Intersection(shape.Clip, clip));
}

void TSVGGraphicElement::AddClipOutlines(TClipRegion& Region, const QTransform& M, TClipExpansion& Expansion) const
{
    if (const TZorPathData& shape = GetShape(); Visible() && !shape.IsEmpty() && Expansion.TakeShape()) {
        QPainterPath outline = MappedOutline(shape, M).Canvas();
        if (const TSVGFillRule rule = ClipRule(); rule != TSVGFillRule::frNone)
            outline.setFillRule(rule == TSVGFillRule::frEvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
        Region.AddShape(std::move(outline));
    }
    for (const TSVGElement* child : Items())
        if (const TSVGGraphicElement* graphic = child->AsGraphicElement(); graphic && graphic->IsRenderable())
            graphic->AddClipOutlines(Region, graphic->Matrix() * M, Expansion);
}

TSVGGraphicElement* TSVGGraphicElement::GetGraphicParent() const
{
    return AsGraphic(Parent());
}

// --- Transformation -------------------------------------------------------------------

const QTransform& TSVGGraphicElement::Matrix() const
{
    static const QTransform identity;
    return FMatrix ? *FMatrix : identity;
}

void TSVGGraphicElement::SetMatrix(const QTransform& Value)
{
    if (Value == Matrix())
        return;
    if (Value.isIdentity())
        FMatrix.reset();
    else if (FMatrix)
        *FMatrix = Value;
    else
        FMatrix = std::make_unique<QTransform>(Value);
    MatrixChanged();
    Changed(this);
}

QString TSVGGraphicElement::TransformMatrix() const
{
    return TransformToString(Matrix());
}

void TSVGGraphicElement::SetTransformMatrix(QStringView Value)
{
    SetMatrix(ParseTransform(Value));
}

const QTransform& TSVGGraphicElement::AbsoluteMatrix() const
{
    // Without a transformation of its own, an element is where its parent is.
    const TSVGGraphicElement* parent = GetGraphicParent();
    if (!FMatrix) {
        static const QTransform identity;
        const QTransform& absolute = parent != nullptr ? parent->AbsoluteMatrix() : identity;
        // Resolved with its ancestors, as MatrixChanged expects.
        FMatrixStale = false;
        return absolute;
    }
    if (FMatrixStale || !FAbsoluteMatrix) {
        const QTransform absolute = parent != nullptr ? *FMatrix * parent->AbsoluteMatrix() : *FMatrix;
        if (FAbsoluteMatrix)
            *FAbsoluteMatrix = absolute;
        else
            FAbsoluteMatrix = std::make_unique<QTransform>(absolute);
        FMatrixStale = false;
    }
    return *FAbsoluteMatrix;
}

void TSVGGraphicElement::MatrixChanged()
{
    // A stale element has only stale descendants: resolving one resolves its
    // ancestors first. So the walk stops where it finds one.
    std::vector<TSVGGraphicElement*> pending = {this};
    while (!pending.empty()) {
        TSVGGraphicElement* element = pending.back();
        pending.pop_back();
        if (element->FMatrixStale)
            continue;
        element->FMatrixStale = true;
        for (TSVGElement* child : element->Items())
            if (TSVGGraphicElement* graphic = AsGraphic(child))
                pending.push_back(graphic);
    }
}

// --- Position, size and bounds -----------------------------------------------------------

float TSVGGraphicElement::X() const
{
    return Xu().GetValue();
}

void TSVGGraphicElement::SetX(float Value)
{
    SetInUserUnits(Xu(), Value);
}

float TSVGGraphicElement::Y() const
{
    return Yu().GetValue();
}

void TSVGGraphicElement::SetY(float Value)
{
    SetInUserUnits(Yu(), Value);
}

float TSVGGraphicElement::Width() const
{
    return WidthU().GetValue();
}

void TSVGGraphicElement::SetWidth(float Value)
{
    SetInUserUnits(WidthU(), std::max(Value, 0.0f));
}

float TSVGGraphicElement::Height() const
{
    return HeightU().GetValue();
}

void TSVGGraphicElement::SetHeight(float Value)
{
    SetInUserUnits(HeightU(), std::max(Value, 0.0f));
}

const TSVGCustomViewBox* TSVGGraphicElement::GetNearestViewBox() const
{
    for (const TSVGElement* e = this; e != nullptr; e = e->Parent()) {
        const TSVGCustomViewBox* viewport = e->AsViewBox();
        if (viewport != nullptr && viewport->ViewBox().Specified())
            return viewport;
    }
    return nullptr;
}

QPointF TSVGGraphicElement::ScreenToLocal(const QPointF& Pt, const QRectF& aRect) const
{
    const TSVGCustomViewBox* viewport = GetNearestViewBox();
    return viewport != nullptr ? zor::ScreenToLocal(Pt, aRect, viewport->ViewBox().Rect()) : Pt;
}

QRectF TSVGGraphicElement::BoundsRect() const
{
    return QRectF(X(), Y(), Width(), Height());
}

void TSVGGraphicElement::SetBoundsRect(const QRectF& Value)
{
    TUpdateScope update(*this);
    SetX(float(Value.x()));
    SetY(float(Value.y()));
    SetWidth(float(Value.width()));
    SetHeight(float(Value.height()));
}

QRectF TSVGGraphicElement::GetBoundsRect(const QTransform& aMatrix) const
{
    return MapBounds(BoundsRect(), Matrix() * aMatrix);
}

const TZorPathData& TSVGGraphicElement::GetShape() const
{
    if (!FShape)
        FShape = std::make_unique<TZorPathData>();
    if (FShapeStale) {
        FShapeStale = false;
        TZorPathData built;
        BuildShape(built);
        // An unchanged outline keeps its revision, and with it the outlines
        // already mapped into the canvas.
        if (built.PointList() != FShape->PointList() || built.FillMode() != FShape->FillMode())
            FShape->Assign(&built);
    }
    return *FShape;
}

void TSVGGraphicElement::BuildShape(TZorPathData&) const {}

QTransform TSVGGraphicElement::FitToRect(const QRectF& aRect) const
{
    return zor::FitToRect(aRect, GetBoundsRect(QTransform()));
}

QTransform TSVGGraphicElement::GetViewMatrix(const QTransform&, const QRectF& aRect) const
{
    return FitToRect(aRect);
}

QTransform TSVGGraphicElement::GetViewMatrix(const QRectF& aRect) const
{
    return GetViewMatrix(FitToRect(aRect), aRect);
}

// --- Element ----------------------------------------------------------------------------

void TSVGGraphicElement::Reset()
{
    MarkOwnValuesStale();
    FMatrixStale = true;
    Inherited::Reset();
}

void TSVGGraphicElement::Changed(TSVGElement* Sender)
{
    if (Sender == this)
        GeometryChanged();
    Inherited::Changed(Sender);
}

void TSVGGraphicElement::GeometryChanged() const
{
    FShapeStale = true;
    MarkBoundsStale();
    AncestorBoundsChanged();
}

void TSVGGraphicElement::MarkBoundsStale() const {}

void TSVGGraphicElement::AncestorBoundsChanged() const
{
    // Every one: a group may have computed its bounds without caching those
    // of the groups inside it.
    for (const TSVGGraphicElement* e = GetGraphicParent(); e != nullptr; e = e->GetGraphicParent())
        e->MarkBoundsStale();
}

bool TSVGGraphicElement::IsRenderable() const
{
    return Display() && Inherited::IsRenderable();
}

void TSVGGraphicElement::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    FPresentationAttributes.reset();
    FStyle.reset();
    FValues = InitialOwnValues();
    FSetInCode = {};
    FPreferredStyles = {};
    FParentPreferredStyles = true;
    FMatrix.reset();
    if (FGeometry)
        for (TSVGLength* length : {&FGeometry->X, &FGeometry->Y, &FGeometry->Width, &FGeometry->Height})
            length->Clear();
    Reset();
    Changed(this);
}

void TSVGGraphicElement::AssignProperties(const TSVGElement* Source)
{
    if (const auto* source = dynamic_cast<const TSVGGraphicElement*>(Source); source != nullptr && source != this) {
        for (auto [from, to] : {std::pair{&source->FPresentationAttributes, &FPresentationAttributes},
                                std::pair{&source->FStyle, &FStyle}})
            if (*from || *to)
                MadeStyle(*to).Assign(&StyleOrEmpty(*from));
        // Own values are shared until one of the two is edited.
        FValues = source->FValues;
        FSetInCode = source->FSetInCode;
        FPreferredStyles = source->FPreferredStyles;
        FParentPreferredStyles = source->FParentPreferredStyles;
        FMatrix = source->FMatrix ? std::make_unique<QTransform>(*source->FMatrix) : nullptr;
        if (source->FGeometry || FGeometry) {
            const TGeometryLengths& from = source->GeometryOrUnset();
            TGeometryLengths& to = Geometry();
            to.X.Assign(&from.X);
            to.Y.Assign(&from.Y);
            to.Width.Assign(&from.Width);
            to.Height.Assign(&from.Height);
        }
        Reset();
    }
    Inherited::AssignProperties(Source);
}

TSVGStyleProperties TSVGGraphicElement::PreferredStyles() const
{
    if (FParentPreferredStyles)
        if (const TSVGGraphicElement* parent = GetGraphicParent())
            return parent->PreferredStyles();
    return FPreferredStyles;
}

void TSVGGraphicElement::SetPreferredStyles(const TSVGStyleProperties& Value)
{
    FPreferredStyles = Value;
    FParentPreferredStyles = false;
}

std::unique_ptr<TSVGElement> TSVGGraphicElement::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGGraphicElement>(aOwner);
}

void TSVGGraphicElement::ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action)
{
    if (Sender == this && Action != TCollectionNotification::cnRemoved)
        Item->Reset();
    if (Sender == this) {
        MarkBoundsStale();
        AncestorBoundsChanged();
    }
    Inherited::ItemsNotify(Sender, Item, Action);
}

void TSVGGraphicElement::AssignTo(TPersistent* Dest) const
{
    if (auto* style = dynamic_cast<TSVGStyle*>(Dest)) {
        ExportStyleProperties(*this, *style);
        return;
    }
    Inherited::AssignTo(Dest);
}

} // namespace zor
