// The structural elements: switch, defs, use (placement, symbols, reference
// cycles, the temporary parent), symbols, paths and clip paths, and the
// bound on the depth of a tree.

#include <gtest/gtest.h>

#include <stdexcept>

#include "drawing_test_support.h"
#include "svg/model/clip_path.h"
#include "svg/model/element_classes.h"
#include "svg/model/model_messages.h"

namespace zor::test {
namespace {

int AlphaAt(const QImage& Image, int X, int Y)
{
    return qAlpha(Image.pixel(X, Y));
}

TEST(ElementClasses, TheStructuralKindsHaveTheirClasses)
{
    TSVGDocument document;
    const std::pair<TSVGElementType, const char*> kinds[] = {
        {TSVGElementType::etGroup, "g"},     {TSVGElementType::etSwitch, "switch"},
        {TSVGElementType::etDefs, "defs"},   {TSVGElementType::etSymbol, "symbol"},
        {TSVGElementType::etUse, "use"},     {TSVGElementType::etPath, "path"},
        {TSVGElementType::etClipPath, "clipPath"},
    };
    for (const auto& [kind, name] : kinds) {
        const std::unique_ptr<TSVGElement> element = CreateSVGElement(kind, &document);
        ASSERT_NE(element, nullptr) << name;
        EXPECT_EQ(element->SVGType(), kind);
        EXPECT_EQ(element->SVGTypeName(), QLatin1String(name));
        EXPECT_EQ(typeid(*element->Clone(&document)), typeid(*element));
    }
}

TEST_F(DrawingTest, ASwitchDrawsItsFirstChildWhoseConditionsHold)
{
    auto* sw = Add<TSVGSwitch>(Doc);
    TSVGGroup* unsupported = Add<TSVGGroup>(*sw);
    unsupported->RequiredFeatures().Assign(QStringList{QStringLiteral("http://example.com/no-such-feature")});
    AddPath(*unsupported, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:blue"));
    TSVGPath* chosen = AddPath(*sw, QStringLiteral("M0,0 H50 V100 H0 Z"));
    AddPath(*sw, QStringLiteral("M50,0 H100 V100 H50 Z"), QStringLiteral("fill:lime"));
    EXPECT_EQ(sw->ChosenChild(), chosen);
    QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(25, 50), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 75, 50), 0);
    // A chosen child that is hidden is still the choice: nothing is drawn.
    chosen->SetDisplay(false);
    EXPECT_EQ(sw->ChosenChild(), chosen);
    image = Render();
    EXPECT_EQ(AlphaAt(image, 25, 50), 0);
    EXPECT_EQ(AlphaAt(image, 75, 50), 0);
}

TEST_F(DrawingTest, DefinitionsAreDrawnOnlyThroughAUseAtItsPlace)
{
    auto* defs = Add<TSVGDefs>(Doc);
    AddPath(*defs, QStringLiteral("M0,0 H20 V20 H0 Z"))->SetID(QStringLiteral("square"));
    auto* clip = Add<TSVGClipPath>(Doc);
    AddPath(*clip, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:blue"));
    EXPECT_EQ(AlphaAt(Render(), 10, 10), 0);
    auto* use = Add<TSVGUse>(Doc);
    use->SetReference(QStringLiteral("square"));
    use->SetX(10);
    use->SetY(5);
    use->SetTransformMatrix(u"scale(2)");
    // Moved by (10, 5) in the use's space, then scaled: x 20 .. 60, y 10 .. 50.
    const QImage image = Render();
    EXPECT_EQ(AlphaAt(image, 18, 30), 0);
    EXPECT_TRUE(SameColor(image.pixel(22, 12), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(58, 48), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 62, 30), 0);
    EXPECT_EQ(HitAt(QPointF(40, 30)), use);
    EXPECT_EQ(HitAt(QPointF(5, 5)), nullptr);
}

TEST_F(DrawingTest, AUsedElementInheritsFromTheUse)
{
    auto* defs = Add<TSVGDefs>(Doc);
    TSVGPath* square = AddPath(*defs, QStringLiteral("M0,0 H20 V20 H0 Z"), QString());
    square->SetID(QStringLiteral("square"));
    auto* use = AddStyled<TSVGUse>(Doc, QStringLiteral("fill:lime"));
    use->SetReference(QStringLiteral("square"));
    EXPECT_TRUE(SameColor(Render().pixel(10, 10), OpaqueLime));
    // Once drawn, the element is where it was, and inherits from there again.
    EXPECT_EQ(square->Parent(), defs);
    EXPECT_EQ(square->Brush().Color(), OpaqueBlack);
}

TEST_F(DrawingTest, ASymbolIsFittedIntoTheUsesRectangle)
{
    auto* symbol = Add<TSVGSymbol>(Doc);
    symbol->SetID(QStringLiteral("icon"));
    ParseViewBox(u"0 0 10 10", symbol->ViewBox());
    AddPath(*symbol, QStringLiteral("M0,0 H10 V10 H0 Z"));
    // Never drawn where it stands.
    EXPECT_EQ(AlphaAt(Render(), 5, 5), 0);
    auto* use = Add<TSVGUse>(Doc);
    use->SetReference(QStringLiteral("icon"));
    use->SetBoundsRect(QRectF(0, 20, 100, 50));
    // Scaled by 5 and centred horizontally: x 25 .. 75, y 20 .. 70.
    const QImage image = Render();
    EXPECT_EQ(AlphaAt(image, 23, 40), 0);
    EXPECT_TRUE(SameColor(image.pixel(27, 22), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(73, 68), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 77, 40), 0);
    EXPECT_EQ(AlphaAt(image, 50, 72), 0);
    EXPECT_EQ(use->BoundsRect(), QRectF(0, 20, 100, 50));
}

TEST_F(DrawingTest, WithoutSizesSymbolsAndNestedSvgFillTheViewportAround)
{
    ParseViewBox(u"0 0 200 200", Doc.ViewBox());
    auto* symbol = Add<TSVGSymbol>(Doc);
    symbol->SetID(QStringLiteral("icon"));
    ParseViewBox(u"0 0 10 10", symbol->ViewBox());
    AddPath(*symbol, QStringLiteral("M0,0 H5 V5 H0 Z"));
    Add<TSVGUse>(Doc)->SetReference(QStringLiteral("icon"));
    auto* nested = Add<TSVGDocument>(Doc);
    ParseViewBox(u"0 0 4 4", nested->ViewBox());
    AddPath(*nested, QStringLiteral("M3,3 H4 V4 H3 Z"), QStringLiteral("fill:blue"));
    EXPECT_EQ(nested->ViewportRect(), QRectF(0, 0, 200, 200));
    // The symbol's upper left quarter, the nested svg's lower right sixteenth.
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(45, 45), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 55, 55), 0);
    EXPECT_TRUE(SameColor(image.pixel(80, 80), OpaqueBlue));
    // A size set in user units replaces the percentage.
    nested->SetWidth(100);
    EXPECT_EQ(nested->ViewportRect(), QRectF(0, 0, 100, 200));
}

TEST_F(DrawingTest, ASymbolTurnsWithTheUse)
{
    auto* symbol = Add<TSVGSymbol>(Doc);
    symbol->SetID(QStringLiteral("half"));
    ParseViewBox(u"0 0 10 10", symbol->ViewBox());
    AddPath(*symbol, QStringLiteral("M0,0 H10 V5 H0 Z"));
    auto* use = Add<TSVGUse>(Doc);
    use->SetReference(QStringLiteral("half"));
    use->SetBoundsRect(QRectF(30, 30, 40, 40));
    use->SetTransformMatrix(u"rotate(90 50 50)");
    // The upper half of (30, 30, 40, 40), turned about the centre, is its right half.
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(60, 50), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 40, 50), 0);
    EXPECT_EQ(AlphaAt(image, 60, 28), 0);
}

TEST_F(DrawingTest, ReferencesThatReenterDrawNothingForTheReenteringReference)
{
    // g#outer holds a square and a use of itself: the use adds nothing.
    auto* outer = Add<TSVGGroup>(Doc);
    outer->SetID(QStringLiteral("outer"));
    AddPath(*outer, QStringLiteral("M0,0 H10 V10 H0 Z"));
    auto* self = Add<TSVGUse>(*outer);
    self->SetReference(QStringLiteral("outer"));
    self->SetX(20);
    auto* itself = Add<TSVGUse>(Doc);
    itself->SetID(QStringLiteral("itself"));
    itself->SetReference(QStringLiteral("itself"));
    // Two groups whose uses reference each other: each draws the other once.
    auto* left = Add<TSVGGroup>(Doc);
    left->SetID(QStringLiteral("left"));
    AddPath(*left, QStringLiteral("M0,50 H10 V60 H0 Z"), QStringLiteral("fill:blue"));
    auto* toRight = Add<TSVGUse>(*left);
    toRight->SetReference(QStringLiteral("right"));
    auto* right = Add<TSVGGroup>(Doc);
    right->SetID(QStringLiteral("right"));
    AddPath(*right, QStringLiteral("M30,50 H40 V60 H30 Z"), QStringLiteral("fill:lime"));
    auto* toLeft = Add<TSVGUse>(*right);
    toLeft->SetReference(QStringLiteral("left"));
    toLeft->SetX(60);

    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(5, 5), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 25, 5), 0);
    EXPECT_TRUE(SameColor(image.pixel(5, 55), OpaqueBlue));
    EXPECT_TRUE(SameColor(image.pixel(35, 55), OpaqueLime));
    // right draws left moved by 60, which draws right again no more.
    EXPECT_TRUE(SameColor(image.pixel(65, 55), OpaqueBlue));
    EXPECT_EQ(AlphaAt(image, 95, 55), 0);
    EXPECT_EQ(HitAt(QPointF(25, 5)), nullptr);
    EXPECT_EQ(HitAt(QPointF(65, 55)), toLeft);
    EXPECT_EQ(self->BoundsRect(), QRectF(20, 0, 0, 0));
    EXPECT_EQ(left->BoundsRect(), QRectF(0, 50, 40, 10));
    EXPECT_EQ(outer->Parent(), &Doc);
    EXPECT_EQ(left->Parent(), &Doc);
}

TEST_F(DrawingTest, UsesNestNoDeeperThanTheirBound)
{
    // A use draws g#level1, which holds square 1 and a use of g#level2, and so
    // on: every level a new element, each square 4 units further right.
    auto* defs = Add<TSVGDefs>(Doc);
    const int levels = TSVGUse::MaxNesting + 3;
    TSVGElement* parent = &Doc;
    for (int level = 1; level <= levels; ++level) {
        Add<TSVGUse>(*parent)->SetReference(QStringLiteral("level%1").arg(level));
        auto* group = Add<TSVGGroup>(*defs);
        group->SetID(QStringLiteral("level%1").arg(level));
        AddPath(*group, QStringLiteral("M%1,0 h3 v3 h-3 z").arg(4 * level));
        parent = group;
    }
    const QImage image = Render();
    for (int level = 1; level <= levels; ++level)
        EXPECT_EQ(AlphaAt(image, 4 * level + 1, 1) > 0, level <= TSVGUse::MaxNesting) << level;
}

TEST_F(DrawingTest, UsesThatMultiplyStopAtTheirBound)
{
    // Each level references the next ten times: ten million squares at the
    // bottom, of which only the first expansions are drawn.
    auto* defs = Add<TSVGDefs>(Doc);
    const int levels = 8;
    for (int level = 1; level <= levels; ++level) {
        auto* group = Add<TSVGGroup>(*defs);
        group->SetID(QStringLiteral("level%1").arg(level));
        for (int copy = 0; copy < 10 && level < levels; ++copy)
            Add<TSVGUse>(*group)->SetReference(QStringLiteral("level%1").arg(level + 1));
        if (level == levels)
            AddPath(*group, QStringLiteral("M0,0 H10 V10 H0 Z"));
    }
    auto* top = Add<TSVGUse>(Doc);
    top->SetReference(QStringLiteral("level1"));
    EXPECT_TRUE(SameColor(Render().pixel(5, 5), OpaqueRed));
    EXPECT_EQ(top->BoundsRect(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(HitAt({5, 5}), top);
}

TEST_F(DrawingTest, TheUsesTemporaryParentIsRestoredWhenDrawingFails)
{
    auto* defs = Add<TSVGDefs>(Doc);
    TSVGPath* square = AddPath(*defs, QStringLiteral("M0,0 H20 V20 H0 Z"));
    square->SetID(QStringLiteral("square"));
    auto* use = Add<TSVGUse>(Doc);
    use->SetReference(QStringLiteral("square"));
    Doc.OnDrawing = [&](TSVGGraphicElement* Sender, const QTransform&, TRenderContext&, const QRectF&, bool&) {
        if (Sender == square) {
            EXPECT_EQ(square->Parent(), use);
            throw std::runtime_error("handler");
        }
    };
    EXPECT_THROW(Render(), std::runtime_error);
    EXPECT_EQ(square->Parent(), defs);
    EXPECT_TRUE(defs->HasChild(square));
    EXPECT_FALSE(use->HasChild(square));
}

TEST_F(DrawingTest, DestroyingTheReferencedElementEmptiesTheReference)
{
    auto* target = AddPath(Doc, QStringLiteral("M0,0 H20 V20 H0 Z"));
    target->SetID(QStringLiteral("target"));
    auto* use = Add<TSVGUse>(Doc);
    use->SetReference(QStringLiteral("target"));
    EXPECT_EQ(use->ReferencedElement(), target);
    Doc.RemoveChild(target);
    EXPECT_TRUE(use->Reference().isEmpty());
    EXPECT_EQ(use->ReferencedElement(), nullptr);
}

TEST_F(DrawingTest, APathsLengthIsTheAuthorsOrItsOwn)
{
    TSVGPath* path = AddPath(Doc, QStringLiteral("M0,0 L3,4"));
    EXPECT_DOUBLE_EQ(path->GetPathLength(), 5);
    EXPECT_DOUBLE_EQ(path->GetLengthRatio(), 1);
    path->SetPathLength(10);
    EXPECT_DOUBLE_EQ(path->GetPathLength(), 10);
    EXPECT_DOUBLE_EQ(path->GetLengthRatio(), 2);
    // The author's value stays apart from the geometry.
    EXPECT_DOUBLE_EQ(path->PathLength(), 10);
    TSVGPath* empty = Add<TSVGPath>(Doc);
    EXPECT_DOUBLE_EQ(empty->GetLengthRatio(), 0);
    SetStyle(*empty, QStringLiteral("fill:red;stroke:blue"));
    EXPECT_EQ(AlphaAt(Render(), 1, 1), 0);
}

TEST_F(DrawingTest, AClipPathCollectsItsChildrenOutlines)
{
    auto* clip = Add<TSVGClipPath>(Doc);
    clip->SetID(QStringLiteral("clip"));
    clip->SetTransformMatrix(u"translate(10 0)");
    TSVGPath* first = AddPath(*clip, QStringLiteral("M0,0 H10 V10 H0 Z"));
    TSVGPath* hidden = AddPath(*clip, QStringLiteral("M50,50 H60 V60 H50 Z"), QStringLiteral("visibility:hidden"));
    TSVGPath* clipped =
        AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:red;clip-path:url(#clip)"));
    EXPECT_EQ(clipped->ClipURIElement(), clip);
    const TZorPathData* outline = clipped->GetClipPath();
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->GetBounds(), QRectF(10, 0, 10, 10));
    // Kept until something inside changes.
    first->Data().SetData(QStringLiteral("M0,0 H20 V10 H0 Z"));
    EXPECT_EQ(clipped->GetClipPath()->GetBounds(), QRectF(10, 0, 20, 10));
    hidden->SetVisible(true);
    EXPECT_EQ(clipped->GetClipPath()->GetBounds(), QRectF(10, 0, 60, 60));
    EXPECT_EQ(AddPath(Doc, QStringLiteral("M0,0 H1 V1 Z"))->GetClipPath(), nullptr);
    // Drawing clips to the children's union.
    EXPECT_EQ(Render().pixel(90, 90), Transparent);
    EXPECT_EQ(Render().pixel(15, 5), OpaqueRed);
}

// --- The depth bound ----------------------------------------------------------

TEST_F(DrawingTest, TreesAsDeepAsTheBoundAreWalkedAndDeeperOnesRefused)
{
    // A chain of groups down to the deepest level the bound allows, with a
    // square at the bottom: drawn, hit, measured, reset and freed without
    // running out of stack.
    auto* top = Add<TSVGGroup>(Doc);
    TSVGElement* parent = top;
    for (int level = 3; level < TSVGElement::MaxDepth; ++level)
        parent = Add<TSVGGroup>(*parent);
    TSVGPath* bottom = AddPath(*parent, QStringLiteral("M0,0 H10 V10 H0 Z"));
    EXPECT_EQ(bottom->Depth(), TSVGElement::MaxDepth);
    EXPECT_TRUE(SameColor(Render().pixel(5, 5), OpaqueRed));
    EXPECT_EQ(HitAt(QPointF(5, 5)), bottom);
    EXPECT_EQ(Doc.GetBoundsRect(QTransform()), QRectF(0, 0, 100, 100));
    EXPECT_EQ(top->BoundsRect(), QRectF(0, 0, 10, 10));
    Doc.Reset();

    TSVGGroup* last = Add<TSVGGroup>(*parent);
    try {
        last->AppendChild(std::make_unique<TSVGGroup>(&Doc));
        FAIL() << "a level too deep was taken";
    } catch (const ESVGException& e) {
        const QString expected = QStringLiteral("SVG elements cannot nest deeper than %1 levels");
        EXPECT_EQ(e.Message().toStdString(), expected.arg(TSVGElement::MaxDepth).toStdString());
    }
    // A branch that would end too deep is refused whole, and stays with the caller.
    auto branch = std::make_unique<TSVGGroup>(&Doc);
    branch->AppendChild(std::make_unique<TSVGGroup>(&Doc));
    TSVGGroup* const refused = branch.get();
    EXPECT_THROW(parent->AppendChild(std::move(branch)), ESVGException);
    EXPECT_EQ(refused->Parent(), nullptr);
    Doc.RemoveChild(top);
    EXPECT_TRUE(Doc.Items().IsEmpty());
}

TEST_F(DrawingTest, AUseDrawsNothingThatWouldTakeTheTreePastTheBound)
{
    auto* defs = Add<TSVGDefs>(Doc);
    auto* chain = Add<TSVGGroup>(*defs);
    chain->SetID(QStringLiteral("chain"));
    TSVGElement* parent = chain;
    for (int level = 4; level < TSVGElement::MaxDepth; ++level)
        parent = Add<TSVGGroup>(*parent);
    AddPath(*parent, QStringLiteral("M0,0 H10 V10 H0 Z"));
    auto* shallow = Add<TSVGUse>(Doc);
    shallow->SetReference(QStringLiteral("chain"));
    auto* deeper = Add<TSVGUse>(*Add<TSVGGroup>(*Add<TSVGGroup>(Doc)));
    deeper->SetReference(QStringLiteral("chain"));
    deeper->SetX(50);
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(5, 5), OpaqueRed));
    EXPECT_EQ(AlphaAt(image, 55, 5), 0);
}

} // namespace
} // namespace zor::test
