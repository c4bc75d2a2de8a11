#include "svg/model/element.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <typeinfo>
#include <utility>

#include "svg/model/conditional_processing.h"
#include "svg/model/document.h"
#include "svg/model/model_messages.h"
#include "platform/update_scope.h"

namespace zor {

namespace {

using enum TCollectionNotification;

// The elements from the root of Element's tree down to Element itself.
std::vector<const TSVGElement*> PathFromRoot(const TSVGElement* Element)
{
    std::vector<const TSVGElement*> path;
    for (const TSVGElement* e = Element; e != nullptr; e = e->Parent())
        path.push_back(e);
    std::ranges::reverse(path);
    return path;
}

// Negative when A comes before B in document order, positive when after, 0
// for the same element or elements of different trees.
int CompareDocumentOrder(const TSVGElement* A, const TSVGElement* B)
{
    if (A == nullptr || B == nullptr || A == B)
        return 0;
    const std::vector<const TSVGElement*> pathA = PathFromRoot(A);
    const std::vector<const TSVGElement*> pathB = PathFromRoot(B);
    if (pathA.front() != pathB.front())
        return 0;
    const auto [endA, endB] = std::ranges::mismatch(pathA, pathB);
    if (endA == pathA.end())
        return -1; // A is an ancestor of B
    if (endB == pathB.end())
        return 1;
    const TSVGElement* commonParent = *std::prev(endA);
    const TSVGElementList& siblings = commonParent->Items();
    return siblings.IndexOf(*endA) < siblings.IndexOf(*endB) ? -1 : 1;
}

bool IsIdentity(const QTransform& Matrix)
{
    constexpr double tolerance = 0.00001;
    const double entries[] = {Matrix.m11() - 1, Matrix.m12(), Matrix.m13(), Matrix.m21(),    Matrix.m22() - 1,
                              Matrix.m23(),     Matrix.m31(), Matrix.m32(), Matrix.m33() - 1};
    return std::ranges::all_of(entries, [](double d) { return std::abs(d) <= tolerance; });
}

// How many element destructors are running on this thread.
thread_local int DestructorDepth = 0;

class TDestructorScope {
public:
    TDestructorScope() { ++DestructorDepth; }
    ~TDestructorScope() { --DestructorDepth; }
    TDestructorScope(const TDestructorScope&) = delete;
    TDestructorScope& operator=(const TDestructorScope&) = delete;
};

} // namespace

TSVGElement::TSVGElement(TSVGDocument* aOwner)
    : FOwner(aOwner)
{
    if (FOwner != nullptr)
        FOwner->ElementCreated(this);
}

TSVGElement::~TSVGElement()
{
    const TDestructorScope destructor;
    BeginDestruction();
    StopFollowing();
    FreeChildren();
    LeaveParentQuietly();
    // Listeners drop what they hold of this element. The reports this gives
    // rise to are held back, so only the model's own code runs here; an error
    // from it could not be passed on by a destructor.
    try {
        NotifyListeners();
    } catch (...) {
    }
    DropListeners();
    if (FOwner != nullptr)
        FOwner->ElementDestroyed(this);
}

bool TSVGElement::DestructorRunning()
{
    return DestructorDepth > 0;
}

void TSVGElement::FreeChildren()
{
    while (!FItems.IsEmpty())
        Discard(Take(FItems.Count() - 1));
}

TEvent<TStringList&> TSVGElement::ListHook()
{
    return [this](TStringList& Sender) { PropertyChanged(&Sender); };
}

void TSVGElement::LeaveParentQuietly()
{
    if (FParent == nullptr)
        return;
    std::vector<std::unique_ptr<TSVGElement>>& siblings = FParent->FItems.FItems;
    const auto slot = std::ranges::find(siblings, this, &std::unique_ptr<TSVGElement>::get);
    if (slot != siblings.end()) {
        // This element is already being destroyed: the slot must not free it again.
        (void)slot->release();
        siblings.erase(slot);
    }
    FParent = nullptr;
}

// --- Identity ----------------------------------------------------------------

QString TSVGElement::ID() const
{
    return FProvisionalNumber >= 0 ? TSVGElementTable::ProvisionalID(FProvisionalNumber) : FID;
}

bool TSVGElement::HasID(QStringView Value) const
{
    return FProvisionalNumber >= 0 ? TSVGElementTable::ProvisionalNumber(Value) == FProvisionalNumber : FID == Value;
}

void TSVGElement::SetID(const QString& Value)
{
    if (Value == ID())
        return;
    FID = FOwner != nullptr ? FOwner->ChangeID(this, Value) : Value;
    FProvisionalNumber = -1;
}

TSVGElement::TExtras& TSVGElement::Extras()
{
    if (!FExtras)
        FExtras = std::make_unique<TExtras>();
    return *FExtras;
}

TStringList& TSVGElement::List(TListField Field)
{
    std::unique_ptr<TStringList>& list = Extras().*Field;
    if (!list)
        list = std::make_unique<TStringList>(ListHook());
    return *list;
}

const TStringList& TSVGElement::ListOrEmpty(TListField Field) const
{
    static const TStringList empty;
    const TStringList* list = FExtras ? (FExtras.get()->*Field).get() : nullptr;
    return list != nullptr ? *list : empty;
}

const std::vector<TSVGElement*>& TSVGElement::Listeners() const
{
    static const std::vector<TSVGElement*> none;
    return FExtras ? FExtras->Listeners : none;
}

const std::vector<TSVGElement*>& TSVGElement::Followed() const
{
    static const std::vector<TSVGElement*> none;
    return FExtras ? FExtras->Followed : none;
}

const QString& TSVGElement::Title() const
{
    static const QString none;
    return FExtras ? FExtras->Title : none;
}

void TSVGElement::SetTitle(const QString& Value)
{
    if (Value == Title())
        return;
    Extras().Title = Value;
    Changed(this);
}

const QString& TSVGElement::Language() const
{
    static const QString none;
    return FExtras ? FExtras->Language : none;
}

void TSVGElement::SetLanguage(const QString& Value)
{
    if (Value == Language())
        return;
    Extras().Language = Value;
    Changed(this);
}

std::intptr_t TSVGElement::Tag() const
{
    return FExtras ? FExtras->Tag : 0;
}

void TSVGElement::SetTag(std::intptr_t Value)
{
    if (Value != Tag())
        Extras().Tag = Value;
}

void TSVGElement::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    EnabledChanged();
}

TSVGOptions TSVGElement::Options() const
{
    return FOwner != nullptr ? FOwner->Options() : DefaultSVGOptions();
}

TSVGUnitFactors TSVGElement::GetUnitFactors() const
{
    return FOwner != nullptr ? FOwner->GetUnitFactors() : DefaultUnitFactors;
}

TSVGElementType TSVGElement::SVGType() const
{
    return TSVGElementType::etNone;
}

QString TSVGElement::SVGTypeName() const
{
    const TSVGElementType kind = SVGType();
    return kind == TSVGElementType::etNone ? ClassName() : SVGElementName(kind);
}

TSVGElementTypes TSVGElement::ChildSVGTypes() const
{
    return TSVGElementTypes::All();
}

// --- Tree --------------------------------------------------------------------

void TSVGElement::SetParent(TSVGElement* Value)
{
    if (Value == this)
        Raise<EInvalidOperation>(QString::fromLatin1(messages::OwnParent));
    if (Value == FParent)
        return;
    if (Value == nullptr)
        Raise<EInvalidOperation>(QString::fromLatin1(messages::ExtractToLeaveParent), {SVGTypeName()});
    TSVGElement* const previous = FParent;
    if (previous == nullptr)
        Raise<EInvalidOperation>(QString::fromLatin1(messages::AppendToGiveParent), {SVGTypeName()});
    Value->CheckChild(this);
    Value->Place(Value->FItems.Count(), previous->Take(previous->FItems.IndexOf(this)));
    previous->ItemsNotify(previous, this, cnExtracted);
    Value->ItemsNotify(Value, this, cnAdded);
}

std::unique_ptr<TSVGElement> TSVGElement::ExtractChild(TSVGElement* Child)
{
    const qsizetype index = FItems.IndexOf(Child);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TSVGElement> extracted = Take(index);
    extracted->FParent = nullptr;
    try {
        ItemsNotify(this, Child, cnExtracted);
    } catch (...) {
        // Freeing it here would lose it: it goes back to its place instead.
        Place(std::min(index, FItems.Count()), std::move(extracted));
        throw;
    }
    return extracted;
}

bool TSVGElement::RemoveChild(TSVGElement* Child)
{
    const qsizetype index = FItems.IndexOf(Child);
    if (index < 0)
        return false;
    Discard(Take(index));
    return true;
}

void TSVGElement::MoveChild(qsizetype CurIndex, qsizetype NewIndex)
{
    FItems.CheckIndex(CurIndex);
    FItems.CheckIndex(NewIndex);
    if (CurIndex == NewIndex)
        return;
    const auto first = FItems.FItems.begin();
    if (CurIndex < NewIndex)
        std::rotate(first + CurIndex, first + CurIndex + 1, first + NewIndex + 1);
    else
        std::rotate(first + NewIndex, first + CurIndex, first + CurIndex + 1);
    Changed(this);
}

void TSVGElement::SetItems(std::vector<std::unique_ptr<TSVGElement>>&& Value)
{
    for (const std::unique_ptr<TSVGElement>& child : Value)
        CheckAdoption(child.get(), 0, 0);
    // A failing report ends the adoption; what was not taken stays in Value.
    const auto keepRest = qScopeGuard([&Value] { std::erase(Value, nullptr); });
    FreeChildren();
    for (std::unique_ptr<TSVGElement>& child : Value)
        Adopt(FItems.Count(), std::move(child));
}

int TSVGElement::Depth() const
{
    int depth = 0;
    for (const TSVGElement* e = this; e != nullptr; e = e->FParent)
        ++depth;
    return depth;
}

int TSVGElement::BranchHeight() const
{
    // Iterative: the branch measured may be one that is refused for its depth.
    int height = 0;
    std::vector<std::pair<const TSVGElement*, int>> pending = {{this, 1}};
    while (!pending.empty()) {
        const auto [element, level] = pending.back();
        pending.pop_back();
        height = std::max(height, level);
        for (const TSVGElement* child : element->FItems)
            pending.push_back({child, level + 1});
    }
    return height;
}

bool TSVGElement::HasChild(const TSVGElement* aElement) const
{
    return aElement != nullptr && aElement->FParent == this;
}

bool TSVGElement::HasDescendant(const TSVGElement* aElement) const
{
    for (const TSVGElement* e = aElement != nullptr ? aElement->FParent : nullptr; e != nullptr; e = e->FParent)
        if (e == this)
            return true;
    return false;
}

bool TSVGElement::HasAncestor(const TSVGElement* aElement) const
{
    return aElement != nullptr && aElement->HasDescendant(this);
}

bool TSVGElement::HasSibling(const TSVGElement* aElement) const
{
    return FParent != nullptr && aElement != nullptr && aElement->FParent == FParent;
}

bool TSVGElement::HasPreceding(const TSVGElement* aElement) const
{
    return CompareDocumentOrder(aElement, this) < 0;
}

bool TSVGElement::HasFollowing(const TSVGElement* aElement) const
{
    return CompareDocumentOrder(aElement, this) > 0;
}

// --- Child list --------------------------------------------------------------

void TSVGElement::ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action)
{
    TSVGDocument* owner = FOwner;
    if (Sender == this && owner != nullptr && owner != this)
        owner->ItemsNotify(this, Item, Action);
}

void TSVGElement::CheckChild(const TSVGElement* Item) const
{
    if (Item == nullptr)
        Raise<ESVGException>(QString::fromLatin1(messages::NilChild), {SVGTypeName()});
    for (const TSVGElement* e = this; e != nullptr; e = e->FParent)
        if (e == Item)
            Raise<EInvalidOperation>(QString::fromLatin1(messages::OwnParent));
    if (!ChildSVGTypes().Contains(Item->SVGType()))
        Raise<ESVGException>(QString::fromLatin1(messages::ChildTypeNotAllowed),
                             {SVGTypeName(), Item->SVGTypeName()});
    if (Depth() + Item->BranchHeight() > MaxDepth)
        Raise<ESVGException>(QString::fromLatin1(messages::NestedTooDeep), {QString::number(MaxDepth)});
}

void TSVGElement::CheckAdoption(const TSVGElement* Child, qsizetype Index, qsizetype LastIndex) const
{
    CheckChild(Child);
    if (Child->FParent != nullptr)
        Raise<EInvalidOperation>(QString::fromLatin1(messages::ChildHasParent), {Child->SVGTypeName()});
    if (Index < 0 || Index > LastIndex)
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
}

void TSVGElement::Adopt(qsizetype Index, std::unique_ptr<TSVGElement> Child)
{
    TSVGElement* const child = Child.get();
    Place(Index, std::move(Child));
    ItemsNotify(this, child, cnAdded);
}

void TSVGElement::Replace(qsizetype Index, std::unique_ptr<TSVGElement> Child)
{
    TSVGElement* const child = Child.get();
    std::unique_ptr<TSVGElement> replaced = Take(Index);
    Place(Index, std::move(Child));
    Discard(std::move(replaced));
    ItemsNotify(this, child, cnAdded);
}

void TSVGElement::Place(qsizetype Index, std::unique_ptr<TSVGElement> Child)
{
    TSVGElement* const child = Child.get();
    FItems.FItems.insert(FItems.FItems.begin() + Index, std::move(Child));
    child->FParent = this;
}

std::unique_ptr<TSVGElement> TSVGElement::Take(qsizetype Index)
{
    std::vector<std::unique_ptr<TSVGElement>>& items = FItems.FItems;
    std::unique_ptr<TSVGElement> child = std::move(items[static_cast<std::size_t>(Index)]);
    items.erase(items.begin() + Index);
    return child;
}

void TSVGElement::Discard(std::unique_ptr<TSVGElement> Child)
{
    const std::unique_ptr<TSVGElement> child = std::move(Child);
    // Runs before the child is freed, a failing report included.
    const auto unlink = qScopeGuard([&child] { child->FParent = nullptr; });
    if (!FElementState.Contains(TSVGElementStateFlag::esDestroying))
        ItemsNotify(this, child.get(), cnRemoved);
}

// --- Conditional processing --------------------------------------------------

bool TSVGElement::HasExtensions() const
{
    return std::as_const(*this).RequiredExtensions().IsEmpty();
}

bool TSVGElement::HasFeatures() const
{
    if (FOwner == nullptr)
        return true;
    const QStringList& features = std::as_const(*this).RequiredFeatures().ToStringList();
    return std::ranges::all_of(features, [this](const QString& f) { return FOwner->SupportsFeature(f); });
}

bool TSVGElement::HasLanguages() const
{
    if (FOwner == nullptr)
        return true;
    const QString& language = Language();
    if (!language.isEmpty() && FOwner->SupportsLanguage(language))
        return true;
    const QStringList& languages = std::as_const(*this).SystemLanguages().ToStringList();
    if (languages.isEmpty())
        return language.isEmpty();
    return std::ranges::any_of(languages, [this](const QString& l) { return FOwner->SupportsLanguage(l); });
}

bool TSVGElement::HasLanguage(const QString& aLanguage) const
{
    const QStringList pieces = SplitLanguageList(Language());
    return std::ranges::any_of(pieces, [&](const QString& piece) { return LanguageInRange(piece, aLanguage); });
}

bool TSVGElement::IsRenderable() const
{
    return HasFeatures() && HasExtensions() && HasLanguages();
}

bool TSVGElement::IsEnabled() const
{
    return FEnabled && (FParent == nullptr || FParent->IsEnabled());
}

// --- Change notification -----------------------------------------------------

void TSVGElement::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        Changed(nullptr);
}

void TSVGElement::Changed(TSVGElement* Sender)
{
    TSVGElement* owner = FOwner;
    if (owner != nullptr && owner != this)
        owner->Changed(Sender);
}

void TSVGElement::Reset()
{
    for (TSVGElement* child : FItems)
        child->Reset();
}

void TSVGElement::ApplyStyles()
{
    for (TSVGElement* child : FItems)
        child->ApplyStyles();
}

void TSVGElement::EnabledChanged()
{
    Changed(this);
}

void TSVGElement::PropertyChanged(TPersistent*)
{
    Changed(this);
}

void TSVGElement::InheritedPropertyChanged(TPersistent* Source)
{
    Changed(this);
    for (TSVGElement* child : FItems)
        child->InheritedPropertyChanged(Source);
}

std::unique_ptr<TSVGLength> TSVGElement::CreateLength(TLengthMeasure Measure)
{
    ISVGValueOwner& owner = *this;
    return std::make_unique<TSVGLength>(owner, int(Measure));
}

std::unique_ptr<TSVGLength> TSVGElement::CreateLength(TSVGUnitFactorsEvent OnUnitFactors,
                                                      TSVGLengthRangeEvent OnRange)
{
    return std::make_unique<TSVGLength>(TSVGValueOwner{
        .Changed = [this](TPersistent& Sender) { PropertyChanged(&Sender); },
        .UnitFactors = std::move(OnUnitFactors),
        .Range = std::move(OnRange),
    });
}

void TSVGElement::OwnedValueChanged(TPersistent& Value, int)
{
    PropertyChanged(&Value);
}

bool TSVGElement::OwnedValueUnitFactors(const TPersistent&, int Slot, TSVGUnitFactors& Factors) const
{
    if (TLengthMeasure(Slot) != TLengthMeasure::lmElementUnits)
        return false;
    Factors = GetUnitFactors();
    return true;
}

std::unique_ptr<TSVGLengths> TSVGElement::CreateLengths()
{
    return std::make_unique<TSVGLengths>();
}

// --- Listeners ---------------------------------------------------------------

void TSVGElement::ChangeNotification(TSVGElement* aListener)
{
    if (aListener == nullptr || std::ranges::find(Listeners(), aListener) != Listeners().end())
        return;
    Extras().Listeners.push_back(aListener);
    aListener->Extras().Followed.push_back(this);
}

void TSVGElement::RemoveChangeNotification(TSVGElement* aListener)
{
    if (aListener != nullptr)
        Unlink(this, aListener);
}

void TSVGElement::NotifyListeners()
{
    // A listener may unregister itself, or be destroyed, while it is told.
    const std::vector<TSVGElement*> listeners = Listeners();
    for (TSVGElement* listener : listeners)
        if (std::ranges::find(Listeners(), listener) != Listeners().end())
            listener->ReferenceChanged(this);
}

void TSVGElement::ReferenceChanged(TSVGElement*)
{
    Changed(this);
}

void TSVGElement::Unlink(TSVGElement* Target, TSVGElement* Listener)
{
    if (Target->FExtras)
        std::erase(Target->FExtras->Listeners, Listener);
    if (Listener->FExtras)
        std::erase(Listener->FExtras->Followed, Target);
}

bool TSVGElement::Follows(const TSVGElement* aElement) const
{
    return std::ranges::find(Followed(), aElement) != Followed().end();
}

void TSVGElement::StopFollowing()
{
    for (TSVGElement* target : std::vector<TSVGElement*>(Followed()))
        Unlink(target, this);
}

void TSVGElement::DropListeners()
{
    for (TSVGElement* listener : std::vector<TSVGElement*>(Listeners()))
        Unlink(this, listener);
}

// --- Copying -----------------------------------------------------------------

void TSVGElement::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TSVGElement*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    if (HasDescendant(source)) {
        // Clear would free the source: copy it out of the tree first. The
        // stand-alone copy keeps the ids as they are.
        const std::unique_ptr<TSVGElement> detached = source->Clone(nullptr);
        Assign(detached.get());
        return;
    }
    TUpdateScope update(*this);
    Clear();
    AssignProperties(source);
    for (const TSVGElement* child : source->FItems)
        AppendChild(child->Clone(ChildOwner()));
}

void TSVGElement::AssignProperties(const TSVGElement* Source)
{
    if (Source == nullptr || Source == this)
        return;
    SetID(Source->ID());
    SetTitle(Source->Title());
    SetLanguage(Source->Language());
    FAttributes = Source->FAttributes;
    // Lists are copied where either side has one.
    for (TListField field : {&TExtras::Description, &TExtras::Classes, &TExtras::SystemLanguages,
                             &TExtras::RequiredFeatures, &TExtras::RequiredExtensions}) {
        const TStringList& from = Source->ListOrEmpty(field);
        if (!from.IsEmpty() || !ListOrEmpty(field).IsEmpty())
            List(field).Assign(&from);
    }
}

std::unique_ptr<TSVGElement> TSVGElement::Clone(TSVGDocument* aOwner) const
{
    std::unique_ptr<TSVGElement> clone = NewInstance(aOwner);
    if (typeid(*clone) != typeid(*this))
        Raise<EInvalidOperation>(QString::fromLatin1(messages::CloneClassMismatch), {ClassName(), clone->ClassName()});
    TUpdateScope update(*clone);
    clone->AssignProperties(this);
    for (const TSVGElement* child : FItems)
        clone->AppendChild(child->Clone(clone->ChildOwner()));
    return clone;
}

void TSVGElement::Clear()
{
    TUpdateScope update(*this);
    SetTitle({});
    SetEnabled(true);
    SetLanguage({});
    for (TListField field : {&TExtras::Description, &TExtras::Classes, &TExtras::SystemLanguages,
                             &TExtras::RequiredFeatures, &TExtras::RequiredExtensions})
        if (!ListOrEmpty(field).IsEmpty())
            List(field).Clear();
    FreeChildren();
    DropListeners();
}

std::unique_ptr<TSVGElement> TSVGElement::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGElement>(aOwner);
}

TSVGDocument* TSVGElement::ChildOwner()
{
    return FOwner;
}

// --- Reading values ----------------------------------------------------------

bool TSVGElement::ReadStyleProperty(TSVGStyleValues& Values, TSVGStyleProperty Member, QStringView Text,
                                    const TSVGStyleContext& Context)
{
    const TSVGStyleParseResult result = ParseStyleProperty(Values, Member, Text, Context);
    if (!result.Refusal.isEmpty())
        ReportDiagnostic(StylePropertyName(Member), Text, result.Refusal);
    return result.Taken();
}

void TSVGElement::ReportDiagnostic(const QString& Property, QStringView Text, const QString& Reason)
{
    TSVGDocument* document = ChildOwner();
    if (document == nullptr)
        return;
    const bool ownID = !HasProvisionalID() && !FID.isEmpty() && !TSVGDocument::IsProvisionalID(FID);
    document->AddDiagnostic({ownID ? FID : SVGTypeName(), Property, Text.toString(), Reason});
}

// --- Bounds ------------------------------------------------------------------

QRectF TSVGElement::BoundsRect() const
{
    return QRectF(0, 0, 0, 0);
}

void TSVGElement::SetBoundsRect(const QRectF&) {}

QRectF TSVGElement::GetBoundsRect(const QTransform& aMatrix) const
{
    return MapBounds(BoundsRect(), aMatrix);
}

QRectF TSVGElement::MapBounds(const QRectF& Bounds, const QTransform& aMatrix)
{
    return IsIdentity(aMatrix) ? Bounds : aMatrix.mapRect(Bounds);
}

// --- Temporary parent --------------------------------------------------------

TSVGTemporaryParent::TSVGTemporaryParent(TSVGElement& Element, TSVGElement& Parent)
    : FElement(Element)
    , FSavedParent(std::exchange(Element.FParent, &Parent))
{
    FElement.Reset();
}

TSVGTemporaryParent::~TSVGTemporaryParent()
{
    FElement.FParent = FSavedParent;
    FElement.Reset();
}

} // namespace zor
