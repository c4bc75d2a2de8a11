#include <gtest/gtest.h>

#include "model_test_support.h"
#include "svg/model/element_classes.h"
#include "svg/model/metadata.h"
#include "svg/model/model_messages.h"

namespace zor::test {
namespace {

using enum TSVGElementType;

// root { a { a1, a2 }, b } in a stand-alone document, and a parentless
// element that takes children of every kind.
class ElementTree : public DocumentTest {
protected:
    TTestGroup* root = Add(Doc);
    TTestGroup* a = Add(*root);
    TTestGroup* a1 = Add(*a);
    TTestGroup* a2 = Add(*a);
    TTestGroup* b = Add(*root);
    std::unique_ptr<TPlainElement> loose = std::make_unique<TPlainElement>(&Doc);
};

QString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(no exception)");
}

TEST_F(ElementTree, RefusedChildKindsLeaveTheChildWithTheCaller)
{
    struct Case {
        TSVGElement* Parent;
        std::function<std::unique_ptr<TSVGElement>()> MakeChild;
        const char* Message;
    };
    const Case cases[] = {
        {a, [&] { return std::make_unique<TTestStop>(&Doc); },
         "SVG element <g> does not allow children of <stop> element type"},
        {&Doc, [&] { return std::make_unique<TTestStop>(&Doc); },
         "SVG element <svg> does not allow children of <stop> element type"},
        {Add<TTestStop>(*loose), [&] { return std::make_unique<TTestGroup>(&Doc); },
         "SVG element <stop> does not allow children of <g> element type"},
        {a, [] { return nullptr; }, "SVG element <g> cannot take a nil child"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        std::unique_ptr<TSVGElement> child = c.MakeChild();
        const TSVGElement* made = child.get();
        const qsizetype count = c.Parent->Items().Count();
        try {
            c.Parent->AppendChild(std::move(child));
            FAIL() << "no exception";
        } catch (const ESVGException& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.Message));
        }
        EXPECT_EQ(c.Parent->Items().Count(), count);
        EXPECT_EQ(child.get(), made); // still the caller's, alive and parentless
        if (child) {
            EXPECT_EQ(child->Parent(), nullptr);
        }
    }
    EXPECT_NO_THROW(Add<TTestStop>(*loose)); // a plain element takes every kind
}

TEST_F(ElementTree, RefusedChildStaysWhereItWas)
{
    auto* stop = Add<TTestStop>(*loose);
    EXPECT_THROW(a->Items().Add(stop), ESVGException);
    EXPECT_EQ(stop->Parent(), loose.get());
    EXPECT_EQ(loose->Items().Count(), 1);
    EXPECT_EQ(a->Items().Count(), 2);
}

TEST_F(ElementTree, AddingAnElementWithAParentMovesIt)
{
    TDocumentRecorder events(Doc);
    b->Items().Add(a1);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(a->Items().Count(), 1);
    EXPECT_EQ(a->Items()[0], a2);
    EXPECT_EQ(b->Items().Count(), 1);
    EXPECT_TRUE(events.Removed.empty());
    ASSERT_EQ(events.Added.size(), 1u);
    EXPECT_EQ(events.Added[0].first, b);
    EXPECT_EQ(events.Added[0].second, a1);

    // Moving a whole branch keeps it together.
    a->SetParent(b);
    EXPECT_EQ(root->Items().Count(), 1);
    EXPECT_TRUE(b->HasDescendant(a2));
}

TEST_F(ElementTree, ElementCannotBecomeItsOwnAncestor)
{
    struct Case {
        const char* Name;
        TSVGElement* Item;
        TSVGElement* NewParent;
    };
    const Case cases[] = {{"itself", a, a}, {"its parent", root, a}, {"its grandparent", root, a1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TSVGElement* const oldParent = c.Item->Parent();
        const qsizetype oldCount = c.NewParent->Items().Count();
        for (const auto& attempt : {std::function<void()>([&] { c.NewParent->Items().Add(c.Item); }),
                                    std::function<void()>([&] { c.Item->SetParent(c.NewParent); })}) {
            EXPECT_EQ(MessageOf(attempt), QString::fromLatin1(messages::OwnParent));
            EXPECT_EQ(c.Item->Parent(), oldParent);
            EXPECT_EQ(c.NewParent->Items().Count(), oldCount);
        }
    }
    EXPECT_THROW(a->SetParent(a), EInvalidOperation);
}

TEST_F(ElementTree, AddingAChildAgainMovesItWithinTheList)
{
    a->Items().Add(a1);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2, a1}));
    a->Items().Insert(0, a1);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    a->Items().Insert(2, a1);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2, a1}));

    // Through the plain list interface too, and replacing an entry by itself keeps it.
    TList<TSVGElement*>& plain = a->Items();
    plain.Add(a2);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    plain.SetItems(0, a1);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    EXPECT_EQ(a1->Parent(), a);
}

TEST_F(ElementTree, ReplacingAChildFreesItAndMovesTheNewOne)
{
    auto* a3 = Add(*a);
    a2->SetID(QStringLiteral("replaced"));
    EXPECT_THROW(a->Items().SetItems(1, Add<TTestStop>(*loose)), ESVGException);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2, a3}));

    a->Items().SetItems(1, a3); // a child of the same list
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a3}));
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("replaced")));

    a->Items().SetItems(0, b); // an element of another parent
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({b, a3}));
    EXPECT_EQ(root->Items().ToList(), QList<TSVGElement*>({a}));
}

TEST_F(ElementTree, DeleteFreesTheChildExtractKeepsItRegistered)
{
    TDocumentRecorder events(Doc);
    a1->SetID(QStringLiteral("one"));
    a2->SetID(QStringLiteral("two"));

    a->Items().Delete(0);
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("one")));
    EXPECT_EQ(events.RemovedIDs, QStringList{QStringLiteral("one")}); // seen before it was freed

    std::unique_ptr<TSVGElement> extracted = a->ExtractChild(a2);
    ASSERT_EQ(extracted.get(), a2);
    EXPECT_EQ(extracted->Parent(), nullptr);
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("two")), extracted.get());
    EXPECT_EQ(events.Removed.size(), 1u);
    EXPECT_EQ(a->ExtractChild(b), nullptr);
}

TEST_F(ElementTree, ListObserversSeeLinkedAndLivingChildren)
{
    QStringList seen;
    a->Items().OnNotify = [&](TList<TSVGElement*>&, TSVGElement* const& Item, TCollectionNotification Action) {
        seen << QStringLiteral("%1 %2 %3").arg(int(Action)).arg(Item->ID()).arg(Item->Parent() == a);
    };
    a1->SetID(QStringLiteral("x"));
    a->Items().Remove(a1);
    b->SetParent(a);
    EXPECT_THROW(Add<TTestStop>(*a), ESVGException);
    EXPECT_EQ(seen, QStringList({QStringLiteral("1 x 1"), QStringLiteral("0 ID#4 1")}));
    a->Items().OnNotify = nullptr; // the observer's state ends with this test
}

TEST_F(ElementTree, AssigningAListMovesSharedElementsAndFreesTheRest)
{
    b->SetID(QStringLiteral("b"));
    auto* b1 = Add(*b);
    b1->SetID(QStringLiteral("b1"));
    a1->SetID(QStringLiteral("a1"));

    TZorAssignList<TSVGElement*> wanted;
    wanted.Add(a2);
    wanted.Add(b1);
    wanted.Add(a2);
    a->SetItems(wanted);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2, b1}));
    EXPECT_EQ(b1->Parent(), a);
    EXPECT_TRUE(b->Items().IsEmpty());
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("a1")));

    // Taking over another element's list empties it; assigning a list to itself changes nothing.
    b->SetItems(a->Items());
    EXPECT_EQ(b->Items().ToList(), QList<TSVGElement*>({a2, b1}));
    EXPECT_TRUE(a->Items().IsEmpty());
    TZorAssignList<TSVGElement*>& list = b->Items();
    list.Assign(b->Items());
    EXPECT_EQ(b->Items().ToList(), QList<TSVGElement*>({a2, b1}));
}

TEST_F(ElementTree, AssigningAListWithARefusedElementChangesNothing)
{
    auto* stop = Add<TTestStop>(*loose);
    TZorAssignList<TSVGElement*> wanted;
    wanted.Add(b);
    wanted.Add(stop);
    EXPECT_THROW(a->SetItems(wanted), ESVGException);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    EXPECT_EQ(b->Parent(), root);

    wanted.Clear();
    wanted.Add(root);
    EXPECT_THROW(a->SetItems(wanted), EInvalidOperation);
    EXPECT_EQ(a->Items().Count(), 2);
}

TEST_F(ElementTree, TreeQueries)
{
    EXPECT_TRUE(a->HasChild(a1));
    EXPECT_FALSE(root->HasChild(a1));
    EXPECT_TRUE(root->HasDescendant(a2));
    EXPECT_FALSE(a->HasDescendant(a));
    EXPECT_TRUE(a1->HasAncestor(root));
    EXPECT_FALSE(root->HasAncestor(a1));
    EXPECT_TRUE(a1->HasSibling(a2));
    EXPECT_TRUE(a1->HasSibling(a1));
    EXPECT_FALSE(a1->HasSibling(b));
    EXPECT_FALSE(Doc.HasSibling(&Doc));

    // Document order root, a, a1, a2, b: preceding and following are opposites.
    const std::vector<TSVGElement*> order = {root, a, a1, a2, b};
    for (std::size_t i = 0; i < order.size(); ++i)
        for (std::size_t j = 0; j < order.size(); ++j) {
            SCOPED_TRACE(testing::Message() << i << " " << j);
            EXPECT_EQ(order[i]->HasPreceding(order[j]), j < i);
            EXPECT_EQ(order[i]->HasFollowing(order[j]), j > i);
        }
    TTestGroup other(&Doc);
    EXPECT_FALSE(a1->HasPreceding(&other));
    EXPECT_FALSE(a1->HasFollowing(&other));
}

TEST_F(ElementTree, EnabledIsInheritedFromTheParent)
{
    a->SetEnabled(false);
    EXPECT_FALSE(a1->IsEnabled());
    EXPECT_TRUE(a1->Enabled());
    EXPECT_TRUE(b->IsEnabled());
}

TEST_F(ElementTree, DestroyingAnAttachedElementTakesItOutOfItsParent)
{
    TRecordingListener listener(nullptr);
    a->ChangeNotification(&listener);
    a1->ChangeNotification(&listener);

    delete a; // an owner's own way of freeing a child
    EXPECT_EQ(root->Items().ToList(), QList<TSVGElement*>({b}));
    // Children go first, and every listener call sees its sender going away.
    ASSERT_EQ(listener.Calls.size(), 2u);
    EXPECT_EQ(listener.Calls[0].Sender, a1);
    EXPECT_EQ(listener.Calls[1].Sender, a);
    EXPECT_TRUE(listener.Calls[0].SenderDestroying && listener.Calls[1].SenderDestroying);
}

TEST_F(ElementTree, ListenersAreTakenOutWhenEitherSideGoesAway)
{
    auto first = std::make_unique<TRecordingListener>(&Doc);
    auto second = std::make_unique<TRecordingListener>(&Doc);
    a->ChangeNotification(first.get());
    a->ChangeNotification(first.get());
    a->ChangeNotification(second.get());

    // The first listener frees the second while both are being told.
    first->OnReference = [&](TSVGElement*) { second.reset(); };
    a->NotifyListeners();
    EXPECT_EQ(first->Calls.size(), 1u);
    EXPECT_EQ(second, nullptr);

    // A listener that unregisters after its target was renamed leaves nothing behind.
    first->OnReference = nullptr;
    a->SetID(QStringLiteral("renamed"));
    first.reset();
    a->NotifyListeners();

    // A listener outliving its target is told once, then forgotten.
    auto survivor = std::make_unique<TRecordingListener>(&Doc);
    a1->ChangeNotification(survivor.get());
    a->Items().Clear();
    EXPECT_EQ(survivor->Calls.size(), 1u);
    survivor.reset();
}

TEST_F(ElementTree, ListenerRemovingItselfDuringNotificationIsSafe)
{
    TRecordingListener leaving(nullptr), staying(nullptr);
    leaving.OnReference = [&](TSVGElement* Sender) { Sender->RemoveChangeNotification(&leaving); };
    a->ChangeNotification(&leaving);
    a->ChangeNotification(&staying);
    a->NotifyListeners();
    a->NotifyListeners();
    EXPECT_EQ(leaving.Calls.size(), 1u);
    EXPECT_EQ(staying.Calls.size(), 2u);

    a->Clear(); // drops the remaining listener
    a->NotifyListeners();
    EXPECT_EQ(staying.Calls.size(), 2u);
}

TEST_F(ElementTree, ClearEmptiesPropertiesAndFreesChildren)
{
    a->SetTitle(QStringLiteral("t"));
    a->SetLanguage(QStringLiteral("en"));
    a->SetEnabled(false);
    for (TStringList* list : {&a->Description(), &a->Classes(), &a->SystemLanguages(), &a->RequiredFeatures(),
                              &a->RequiredExtensions()})
        list->Add(QStringLiteral("x"));
    a1->SetID(QStringLiteral("gone"));

    a->Clear();
    EXPECT_TRUE(a->Title().isEmpty());
    EXPECT_TRUE(a->Language().isEmpty());
    EXPECT_TRUE(a->Enabled());
    for (const TStringList* list : {&a->Description(), &a->Classes(), &a->SystemLanguages(),
                                    &a->RequiredFeatures(), &a->RequiredExtensions()})
        EXPECT_TRUE(list->IsEmpty());
    EXPECT_TRUE(a->Items().IsEmpty());
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("gone")));
}

TEST(ElementTypes, TagNamesAndKinds)
{
    // Every kind in ordinal order with its tag; the ordinals are stored in sets.
    const std::pair<TSVGElementType, const char*> kinds[] = {
        {etDoc, "svg"},           {etGroup, "g"},
        {etImage, "image"},       {etDefs, "defs"},
        {etUse, "use"},           {etCircle, "circle"},
        {etEllipse, "ellipse"},   {etRectangle, "rect"},
        {etLine, "line"},         {etPolyline, "polyline"},
        {etPolygon, "polygon"},   {etPath, "path"},
        {etText, "text"},         {etSwitch, "switch"},
        {etDesc, "desc"},         {etTitle, "title"},
        {etStyle, "style"},       {etTSpan, "tspan"},
        {etTextPath, "textPath"}, {etTRef, "tref"},
        {etClipPath, "clipPath"}, {etLinearGradient, "linearGradient"},
        {etRadialGradient, "radialGradient"}, {etGradientStop, "stop"},
        {etMarker, "marker"},     {etMetadata, "metadata"},
        {etScript, "script"},     {etComment, "comment"},
        {etSymbol, "symbol"},     {etPattern, "pattern"},
    };
    ASSERT_EQ(std::size(kinds) + 1, EnumCount(TSVGElementType{}));
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const auto [kind, tag] = kinds[i];
        EXPECT_EQ(static_cast<std::size_t>(kind), i + 1) << tag;
        EXPECT_EQ(SVGElementName(kind), QString::fromLatin1(tag));
        EXPECT_EQ(SVGElementTypeByName(QString::fromLatin1(tag)), kind) << tag;
    }
    EXPECT_TRUE(SVGElementName(etNone).isEmpty());
    EXPECT_EQ(SVGElementName(etTextPath), QStringLiteral("textPath"));
    EXPECT_EQ(SVGElementTypeByName(u"textpath"), etNone);
    EXPECT_EQ(SVGElementTypeByName(u""), etNone);

    TPlainElement plain(nullptr);
    EXPECT_EQ(plain.SVGTypeName(), QStringLiteral("TPlainElement"));
    EXPECT_EQ(TTestStop(nullptr).SVGTypeName(), QStringLiteral("stop"));
    EXPECT_EQ(TSVGDocument().SVGTypeName(), QStringLiteral("svg"));
    EXPECT_EQ(TSVGMetadata(nullptr).SVGTypeName(), QStringLiteral("metadata"));
    const TSVGScript script(nullptr);
    EXPECT_EQ(script.Clone(nullptr)->SVGTypeName(), QStringLiteral("script"));
}

TEST(ElementClasses, KindsMakeTheirRegisteredClass)
{
    TSVGDocument doc;
    const std::pair<TSVGElementType, const char*> builtIn[] = {
        {etDoc, "TSVGDocument"}, {etMetadata, "TSVGMetadata"}, {etScript, "TSVGScript"}};
    for (const auto& [kind, className] : builtIn) {
        const std::unique_ptr<TSVGElement> element = CreateSVGElement(kind, &doc);
        ASSERT_NE(element, nullptr) << className;
        EXPECT_EQ(element->ClassName(), QString::fromLatin1(className));
        EXPECT_EQ(element->SVGType(), kind);
        EXPECT_EQ(element->Owner(), &doc);
        EXPECT_EQ(doc.AllItems().Items(element->ID()), element.get());
    }
    // Kinds without a class are known by name but make nothing.
    for (TSVGElementType kind : {etNone, etDesc, etTitle, etStyle, etComment})
        EXPECT_EQ(CreateSVGElement(kind, &doc), nullptr) << static_cast<int>(kind);

    RegisterSVGElementClass(etComment, SVGElementClassOf<TTestStop>());
    EXPECT_EQ(CreateSVGElement(etComment, nullptr)->SVGTypeName(), QStringLiteral("stop"));
    RegisterSVGElementClass(etComment, nullptr);
    EXPECT_FALSE(SVGElementClasses(etComment));
}

TEST(ElementBounds, TransformedBoundsAreTheBoxOfTheCorners)
{
    class TBoxElement : public TPlainElement {
    public:
        using TPlainElement::TPlainElement;
        QRectF BoundsRect() const override { return QRectF(0, 0, 10, 20); }
    };
    const TBoxElement box(nullptr);
    EXPECT_EQ(box.GetBoundsRect(QTransform()), QRectF(0, 0, 10, 20));
    EXPECT_EQ(box.GetBoundsRect(QTransform(1.000001, 0, 0, 1, 0, 0)), QRectF(0, 0, 10, 20));
    const QRectF turned = box.GetBoundsRect(QTransform().rotate(90));
    EXPECT_NEAR(turned.left(), -20, 1e-9);
    EXPECT_NEAR(turned.top(), 0, 1e-9);
    EXPECT_NEAR(turned.width(), 20, 1e-9);
    EXPECT_NEAR(turned.height(), 10, 1e-9);
    EXPECT_EQ(TPlainElement(nullptr).GetBoundsRect(QTransform().scale(2, 2)), QRectF());
}

} // namespace
} // namespace zor::test
