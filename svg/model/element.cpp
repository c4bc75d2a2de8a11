#include "svg/model/element.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <typeinfo>

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

qsizetype ChildIndex(const TSVGElement* Parent, const TSVGElement* Child)
{
    const TSVGElementList& items = Parent->Items();
    return std::ranges::find(items, Child) - items.begin();
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
    return ChildIndex(commonParent, *endA) < ChildIndex(commonParent, *endB) ? -1 : 1;
}

bool IsIdentity(const QTransform& Matrix)
{
    constexpr double tolerance = 0.00001;
    const double entries[] = {Matrix.m11() - 1, Matrix.m12(), Matrix.m13(), Matrix.m21(),    Matrix.m22() - 1,
                              Matrix.m23(),     Matrix.m31(), Matrix.m32(), Matrix.m33() - 1};
    return std::ranges::all_of(entries, [](double d) { return std::abs(d) <= tolerance; });
}

// A destructor cannot pass an error on, and a change handler that throws
// while an element goes away must not stop the rest of its clean-up.
template <typename Step>
void IgnoringExceptions(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

TSVGElement::TSVGElement(TSVGDocument* aOwner)
    : FOwner(aOwner)
{
    for (TStringList* list : {&FDescription, &FClasses, &FSystemLanguages, &FRequiredFeatures, &FRequiredExtensions})
        list->OnChange = [this](TStringList& Sender) { PropertyChanged(&Sender); };
    if (FOwner != nullptr) {
        FOwner->ElementCreated(this);
        SetID(FOwner->ProvisionalID());
    }
}

TSVGElement::~TSVGElement()
{
    BeginDestruction();
    StopFollowing();
    FreeChildren();
    if (FParent != nullptr)
        IgnoringExceptions([this] { FParent->FItems.Extract(this); });
    FParent = nullptr;
    IgnoringExceptions([this] { NotifyListeners(); });
    DropListeners();
    if (FOwner != nullptr)
        FOwner->ElementDestroyed(this);
}

void TSVGElement::FreeChildren() noexcept
{
    while (!FItems.IsEmpty())
        IgnoringExceptions([this] { FItems.Delete(FItems.Count() - 1); });
}

// --- Identity ----------------------------------------------------------------

void TSVGElement::SetID(const QString& Value)
{
    if (Value == FID)
        return;
    FID = FOwner != nullptr ? FOwner->ChangeID(this, Value) : Value;
}

void TSVGElement::SetTitle(const QString& Value)
{
    if (Value == FTitle)
        return;
    FTitle = Value;
    Changed(this);
}

void TSVGElement::SetLanguage(const QString& Value)
{
    if (Value == FLanguage)
        return;
    FLanguage = Value;
    Changed(this);
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
    if (Value != nullptr)
        Value->FItems.Add(this);
    else
        FParent->FItems.Extract(this);
}

std::unique_ptr<TSVGElement> TSVGElement::ExtractChild(TSVGElement* Child)
{
    if (!HasChild(Child))
        return nullptr;
    std::unique_ptr<TSVGElement> extracted(Child);
    FItems.Extract(Child);
    return extracted;
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
    if (Sender != this)
        return;
    switch (Action) {
    case cnAdded:
        ChildAdded(Item);
        break;
    case cnRemoved:
        ChildRemoved(Item);
        break;
    case cnExtracted:
        ChildExtracted(Item);
        break;
    }
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
}

void TSVGElement::ChildAdded(TSVGElement* Item)
{
    if (HasChild(Item)) {
        // A child added again through the plain list interface: it is now in
        // the list twice; the first entry is the old place.
        if (std::ranges::count(FItems, Item) > 1) {
            FItems.DropQuietly(Item);
            Changed(this);
        }
        return;
    }
    try {
        CheckChild(Item);
    } catch (...) {
        FItems.DropQuietly(Item);
        throw;
    }
    if (TSVGElement* previous = Item->FParent) {
        try {
            previous->FItems.Extract(Item);
        } catch (...) {
            // The old parent let go before its report failed: the element is ours now.
            Item->FParent = this;
            throw;
        }
    }
    Item->FParent = this;
    ChildListChanged(Item, cnAdded);
}

void TSVGElement::ChildRemoved(TSVGElement* Item)
{
    // An entry that is not a linked child, or a child that is still in the
    // list, is not leaving this element.
    if (!HasChild(Item) || FItems.Contains(Item))
        return;
    const std::unique_ptr<TSVGElement> removed(Item);
    ChildListChanged(Item, cnRemoved);
    Item->FParent = nullptr;
}

void TSVGElement::ChildExtracted(TSVGElement* Item)
{
    if (!HasChild(Item) || FItems.Contains(Item))
        return;
    Item->FParent = nullptr;
    ChildListChanged(Item, cnExtracted);
}

void TSVGElement::ChildListChanged(TSVGElement* Item, TCollectionNotification Action)
{
    TSVGElement* owner = FOwner;
    if (owner != nullptr && owner != this)
        owner->ItemsNotify(this, Item, Action);
}

// --- Conditional processing --------------------------------------------------

bool TSVGElement::HasExtensions() const
{
    return FRequiredExtensions.IsEmpty();
}

bool TSVGElement::HasFeatures() const
{
    if (FOwner == nullptr)
        return true;
    const QStringList& features = FRequiredFeatures.ToStringList();
    return std::ranges::all_of(features, [this](const QString& f) { return FOwner->SupportsFeature(f); });
}

bool TSVGElement::HasLanguages() const
{
    if (FOwner == nullptr)
        return true;
    if (!FLanguage.isEmpty() && FOwner->SupportsLanguage(FLanguage))
        return true;
    const QStringList& languages = FSystemLanguages.ToStringList();
    if (languages.isEmpty())
        return FLanguage.isEmpty();
    return std::ranges::any_of(languages, [this](const QString& l) { return FOwner->SupportsLanguage(l); });
}

bool TSVGElement::HasLanguage(const QString& aLanguage) const
{
    const QStringList pieces = SplitLanguageList(FLanguage);
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

std::unique_ptr<TSVGLength> TSVGElement::CreateLength(TSVGUnitFactorsEvent OnUnitFactors,
                                                      TSVGLengthRangeEvent OnRange)
{
    auto length = std::make_unique<TSVGLength>();
    length->OnChange = [this](TSVGLength& Sender) { PropertyChanged(&Sender); };
    length->OnUnitFactors = std::move(OnUnitFactors);
    length->OnRange = std::move(OnRange);
    return length;
}

std::unique_ptr<TSVGLengths> TSVGElement::CreateLengths()
{
    return std::make_unique<TSVGLengths>();
}

// --- Listeners ---------------------------------------------------------------

void TSVGElement::ChangeNotification(TSVGElement* aListener)
{
    if (aListener == nullptr || std::ranges::find(FListeners, aListener) != FListeners.end())
        return;
    FListeners.push_back(aListener);
    aListener->FFollowed.push_back(this);
}

void TSVGElement::RemoveChangeNotification(TSVGElement* aListener)
{
    if (aListener != nullptr)
        Unlink(this, aListener);
}

void TSVGElement::NotifyListeners()
{
    // A listener may unregister itself, or be destroyed, while it is told.
    const std::vector<TSVGElement*> listeners = FListeners;
    for (TSVGElement* listener : listeners)
        if (std::ranges::find(FListeners, listener) != FListeners.end())
            listener->ReferenceChanged(this);
}

void TSVGElement::ReferenceChanged(TSVGElement*)
{
    Changed(this);
}

void TSVGElement::Unlink(TSVGElement* Target, TSVGElement* Listener)
{
    std::erase(Target->FListeners, Listener);
    std::erase(Listener->FFollowed, Target);
}

void TSVGElement::StopFollowing()
{
    for (TSVGElement* target : std::vector<TSVGElement*>(FFollowed))
        Unlink(target, this);
}

void TSVGElement::DropListeners()
{
    for (TSVGElement* listener : std::vector<TSVGElement*>(FListeners))
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
    SetID(Source->FID);
    SetTitle(Source->FTitle);
    SetLanguage(Source->FLanguage);
    FAttributes = Source->FAttributes;
    FDescription.Assign(&Source->FDescription);
    FClasses.Assign(&Source->FClasses);
    FSystemLanguages.Assign(&Source->FSystemLanguages);
    FRequiredFeatures.Assign(&Source->FRequiredFeatures);
    FRequiredExtensions.Assign(&Source->FRequiredExtensions);
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
    FDescription.Clear();
    FClasses.Clear();
    SetLanguage({});
    FSystemLanguages.Clear();
    FRequiredFeatures.Clear();
    FRequiredExtensions.Clear();
    FItems.Clear();
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

// --- Bounds ------------------------------------------------------------------

QRectF TSVGElement::BoundsRect() const
{
    return QRectF(0, 0, 0, 0);
}

void TSVGElement::SetBoundsRect(const QRectF&) {}

QRectF TSVGElement::GetBoundsRect(const QTransform& aMatrix) const
{
    const QRectF bounds = BoundsRect();
    return IsIdentity(aMatrix) ? bounds : aMatrix.mapRect(bounds);
}

} // namespace zor
