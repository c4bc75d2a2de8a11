#include <gtest/gtest.h>

#include <set>

#include "model_test_support.h"
#include "svg/model/selector.h"

namespace zor::test {
namespace {

// svg
//   g#top.layer
//     rect#r1.a
//     g#inner.b            lang="en-GB"
//       rect#r2.a.b
//       circle#c1
//       rect#r5            fill="red" data-x="1 2"
//     rect#r3
//   rect#r4.A
//   circle                 (no id of its own)
class Selectors : public StyledDocumentTest {
protected:
    Selectors()
    {
        inner->SetLanguage(QStringLiteral("en-GB"));
        r5->PresentationAttributes().AddAttribute(QStringLiteral("fill"), QStringLiteral("red"));
        r5->PresentationAttributes().AddAttribute(QStringLiteral("data-x"), QStringLiteral("1 2"));
    }

    // The ids of the elements the selector matches, in document order ("svg" for the root).
    std::string Matching(const char* Selector)
    {
        const TSVGSelector selector(QString::fromUtf8(Selector));
        QStringList ids;
        for (TSVGElement* e : std::initializer_list<TSVGElement*>{&Doc, top, r1, inner, r2, c1, r5, r3, r4, anonymous})
            if (selector.Matches(*e))
                ids << (e == &Doc ? QStringLiteral("svg") : e == anonymous ? QStringLiteral("anonymous") : e->ID());
        return ids.join(u' ').toStdString();
    }

    struct TMatchCase {
        const char* selector;
        const char* matching;
    };
    void ExpectMatching(std::initializer_list<TMatchCase> Cases)
    {
        for (const TMatchCase& c : Cases)
            EXPECT_EQ(Matching(c.selector), c.matching) << c.selector;
    }

    TGraphicGroup* top = Make(Doc, "top", {"layer"});
    TGraphicRect* r1 = Make<TGraphicRect>(*top, "r1", {"a"});
    TGraphicGroup* inner = Make(*top, "inner", {"b"});
    TGraphicRect* r2 = Make<TGraphicRect>(*inner, "r2", {"a", "b"});
    TGraphicCircle* c1 = Make<TGraphicCircle>(*inner, "c1");
    TGraphicRect* r5 = Make<TGraphicRect>(*inner, "r5");
    TGraphicRect* r3 = Make<TGraphicRect>(*top, "r3");
    TGraphicRect* r4 = Make<TGraphicRect>(Doc, "r4", {"A"});
    TGraphicCircle* anonymous = Add<TGraphicCircle>(Doc);
};

TEST_F(Selectors, CombinatorsTestAncestorsParentsAndPrecedingSiblings)
{
    ExpectMatching({
        {"rect", "r1 r2 r5 r3 r4"},
        {"g rect", "r1 r2 r5 r3"},
        {"g > rect", "r1 r2 r5 r3"},
        {"#top > rect", "r1 r3"},
        {"#top rect", "r1 r2 r5 r3"},
        {"svg > g", "top"},
        {"g g rect", "r2 r5"},
        {".b rect", "r2 r5"},
        {"svg .b rect.a", "r2"},
        {".a + g", "inner"},
        {"circle + rect", "r5"},
        {"rect + rect", ""},
        {"rect ~ rect", "r5 r3"},
        {"#r1 ~ *", "inner r3"},
        {".layer > .b > *", "r2 c1 r5"},
        {"* .a", "r1 r2 r4"},
        {"*", "svg top r1 inner r2 c1 r5 r3 r4 anonymous"},
        {"g", "top inner"},
        {"g #rect", ""},
    });
    // An element with the id that a combinator names changes nothing: the
    // rule still styles the rects, not the groups above that element.
    c1->SetID(QStringLiteral("rect"));
    ExpectMatching({{"g rect", "r1 r2 r5 r3"}, {"g > rect", "r1 r2 r5 r3"}});
}

TEST_F(Selectors, SimpleTestsOnTheElementItself)
{
    ExpectMatching({
        {".A", "r1 r2 r4"},
        {".a.b", "r2"},
        {"#r2.a", "r2"},
        {"#r2#r1", ""},
        {"[fill]", "r5"},
        {"[fill=red]", "r5"},
        {"[fill=blue]", ""},
        {"[foo]", ""},
        {"[id]", "top r1 inner r2 c1 r5 r3 r4"},
        {"[id=r3]", "r3"},
        {"[class]", "top r1 inner r2 r4"},
        {"[class=a]", "r1"},
        {"[class=A]", "r4"},
        {"[class='a b']", "r2"},
        {"[class~=b]", "inner r2"},
        {"[class^=l]", "top"},
        {"[class$=b]", "inner r2"},
        {"[class*=' ']", "r2"},
        {"[class^='']", ""},
        {"[data-x~='2']", "r5"},
        {"[data-x~='1 2']", ""},
        {"[lang|=en]", "inner"},
        {"[lang|=en-G]", ""},
        {":lang(en)", "inner r2 c1 r5"},
        {":lang(en-GB)", "inner r2 c1 r5"},
        {":lang(fr)", ""},
        {"rect:first-child", "r1 r2"},
        {"rect:last-child", "r5 r3"},
        {"circle:last-child", "anonymous"},
        {":only-child", ""},
        {":root", "svg"},
        // A drawing is never hovered, focused or visited; unknown tests never hold.
        {"rect:hover", ""},
        {"rect:focus", ""},
        {"rect:nth-child(2)", ""},
        {"rect::first-line", ""},
    });
}

TEST_F(Selectors, PrioritiesCountIdsThenOthersThenNamesWithoutSpilling)
{
    struct Case {
        const char* selector;
        int ids, others, names;
    };
    const Case cases[] = {
        {"rect", 0, 0, 1},
        {".a", 0, 1, 0},
        {"#r2", 1, 0, 0},
        {"rect.a", 0, 1, 1},
        {"#r2.a", 1, 1, 0},
        {"*", 0, 0, 0},
        {"g rect", 0, 0, 2},
        {"svg > g g > rect.a[class]:lang(en)", 0, 3, 4},
        {".a.a.a.a.a.a.a.a.a.a.a", 0, 11, 0},
    };
    for (const Case& c : cases) {
        const TSVGSelector selector(QString::fromUtf8(c.selector));
        EXPECT_EQ(selector.Specificity(), (TSVGSpecificity{c.ids, c.others, c.names})) << c.selector;
        EXPECT_EQ(selector.Match(*r2), selector.Specificity().Priority()) << c.selector;
    }
    // Pairs in rising order of priority.
    const std::pair<const char*, const char*> rising[] = {
        {"*", "rect"},
        {"g rect", ".a"},
        {"svg g g rect", "rect.a"},
        {".a.a.a.a.a.a.a.a.a.a.a", "#r2"},
        {".a.a.a.a.a.a.a.a.a.a", ".a.a.a.a.a.a.a.a.a.a.a"},
        {"#r2", "#r2.a"},
    };
    for (const auto& [lower, higher] : rising)
        EXPECT_LT(r2->Matches(QString::fromUtf8(lower)), r2->Matches(QString::fromUtf8(higher)))
            << lower << " < " << higher;
    EXPECT_EQ(r2->Matches(u"circle"), -1);
    EXPECT_EQ(r2->Matches(u""), -1);
    EXPECT_THROW(r2->Matches(u"rect["), ESVGException);
    // Counts beyond a field's range stay in their field.
    EXPECT_LT((TSVGSpecificity{0, 100000, 0}.Priority()), (TSVGSpecificity{1, 0, 0}.Priority()));
    EXPECT_LT((TSVGSpecificity{600, 0, 0}.Priority()), TSVGSpecificity::PriorityLimit);
}

TEST_F(Selectors, LongCombinatorChainsOnDeepTreesEndQuickly)
{
    // Forty nested groups of class x: a selector naming x thirty times and a
    // class no element has would make a naive matcher try every way of
    // placing the thirty x compounds on the forty ancestors.
    TSVGElement* parent = r4->Parent();
    for (int i = 0; i < 40; ++i)
        parent = Make(*parent, QStringLiteral("x%1").arg(i), {"x"});
    TGraphicRect* leaf = Make<TGraphicRect>(*parent, "leaf");
    QString selector = QStringLiteral(".y");
    for (int i = 0; i < 30; ++i)
        selector += QStringLiteral(" .x");
    EXPECT_EQ(leaf->Matches(selector + QStringLiteral(" rect")), -1);
    EXPECT_EQ(leaf->Matches(selector + QStringLiteral(" ~ rect")), -1);
    EXPECT_GE(leaf->Matches(selector.sliced(3) + QStringLiteral(" rect")), 0);
}

} // namespace
} // namespace zor::test
