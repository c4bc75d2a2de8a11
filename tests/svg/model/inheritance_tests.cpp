#include <gtest/gtest.h>

#include <functional>

#include "model_test_support.h"

namespace zor::test {
namespace {

using enum TSVGStyleProperty;

QString Flag(bool Value)
{
    return Value ? QStringLiteral("1") : QStringLiteral("0");
}

// svg
//   g#group
//     rect#child
//     g#inner
//       rect#grandchild
//     rect#own             (a fill of its own)
//   rect#elsewhere
class Inheritance : public StyledDocumentTest {
protected:
    static void SetStyle(TSVGGraphicElement& Element, const QString& Text) { Element.Style().SetStyle(Text); }

    TGraphicGroup* group = Make(Doc, "group");
    TGraphicRect* child = Make<TGraphicRect>(*group, "child");
    TGraphicGroup* inner = Make(*group, "inner");
    TGraphicRect* grandchild = Make<TGraphicRect>(*inner, "grandchild");
    TGraphicRect* own = Make<TGraphicRect>(*group, "own");
    TGraphicRect* elsewhere = Make<TGraphicRect>(Doc, "elsewhere");
};

TEST_F(Inheritance, EveryKindOfPropertyInheritsAndTakesInherit)
{
    using TDescribe = std::function<QString(const TSVGStyleValues&)>;
    struct Case {
        const char* property;
        const char* parentValue;
        const char* ownValue;
        TDescribe describe;
    };
    const auto number = [](float v) { return QString::number(v); };
    const Case cases[] = {
        // keywords
        {"fill-rule", "evenodd", "nonzero", [](const auto& v) { return QString::number(int(v.FillRule)); }},
        {"alignment-baseline", "middle", "hanging",
         [](const auto& v) { return QString::number(int(v.AlignmentBaseline)); }},
        {"writing-mode", "tb", "lr", [](const auto& v) { return QString::number(int(v.WritingMode)); }},
        {"glyph-orientation-vertical", "90", "auto",
         [](const auto& v) { return QString::number(int(v.GlyphOrientationVertical)); }},
        {"text-anchor", "middle", "end", [](const auto& v) { return QString::number(int(v.TextAlign)); }},
        {"cursor", "pointer", "wait", [](const auto& v) { return QString::number(v.Cursor); }},
        {"vector-effect", "non-scaling-stroke", "none",
         [](const auto& v) { return QString::number(int(v.VectorEffect)); }},
        // colours and paint
        {"fill", "red", "url(#g)",
         [](const auto& v) {
             return QString::number(v.Brush.Color(), 16) + QString::number(int(v.Brush.Kind())) + v.Brush.URI();
         }},
        {"stroke", "url(#g)", "none",
         [](const auto& v) {
             return QString::number(v.Pen.Color(), 16) + QString::number(int(v.Pen.Kind())) + v.Pen.URI();
         }},
        {"color", "red", "blue", [](const auto& v) { return QString::number(v.Color, 16); }},
        {"stop-color", "red", "blue", [](const auto& v) { return QString::number(v.StopColor, 16); }},
        // numbers
        {"fill-opacity", "0.3", "0.6", [&](const auto& v) { return number(v.Brush.Opacity()); }},
        {"opacity", "0.3", "0.6", [&](const auto& v) { return number(v.Opacity); }},
        {"stroke-miterlimit", "7", "2", [&](const auto& v) { return number(v.Pen.MiterLimit()); }},
        // stroke geometry
        {"stroke-width", "3%", "5", [&](const auto& v) { return number(v.Pen.Thickness()) + Flag(v.Pen.ThicknessIsPercent()); }},
        {"stroke-dasharray", "2 1", "4", [&](const auto& v) {
             QStringList entries;
             for (float entry : v.Pen.DashArray())
                 entries << number(entry);
             return QString::number(int(v.Pen.Dash())) + entries.join(u',');
         }},
        {"stroke-dashoffset", "2", "3", [&](const auto& v) { return number(v.Pen.SVGDashOffset().GetValue()); }},
        {"stroke-linecap", "round", "butt", [](const auto& v) { return QString::number(int(v.Pen.Cap())); }},
        // font
        {"font-family", "'DejaVu Sans', serif", "Liberation Sans",
         [](const auto& v) { return v.Font.Families().ToStringList().join(u',') + v.Font.Family(); }},
        {"font-size", "20px", "8px", [&](const auto& v) { return number(v.Font.Size()); }},
        {"font-style", "italic", "normal", [](const auto& v) { return Flag(v.Font.Style().Contains(TFontStyle::fsItalic)); }},
        {"font-weight", "bold", "300",
         [](const auto& v) {
             return QString::number(int(v.Font.Weight())) + Flag(v.Font.Style().Contains(TFontStyle::fsBold));
         }},
        {"font-variant", "small-caps", "normal", [](const auto& v) { return QString::number(int(v.Font.FontVariant())); }},
        {"text-decoration", "underline", "overline",
         [](const auto& v) {
             return Flag(v.Font.Style().Contains(TFontStyle::fsUnderline)) +
                    Flag(v.Font.ExtendStyles().Contains(TExtendedFontStyle::fsOverline));
         }},
        // lengths that can be automatic or a keyword
        {"letter-spacing", "2", "normal", [&](const auto& v) { return Flag(v.LetterSpacing.Automatic()) + number(v.LetterSpacing.GetValue()); }},
        {"kerning", "3", "auto", [&](const auto& v) { return Flag(v.Kerning.Automatic()) + number(v.Kerning.GetValue()); }},
        {"baseline-shift", "super", "4",
         [&](const auto& v) { return QString::number(int(v.BaselineShift.Shift())) + number(v.BaselineShift.GetValue()); }},
        // references and the clip rectangle
        {"clip-path", "url(#c)", "url(#d)", [](const auto& v) { return v.ClipURI; }},
        {"marker-start", "url(#m)", "url(#n)", [](const auto& v) { return v.MarkerStartURI; }},
        {"clip", "rect(1 2 3 4)", "auto",
         [&](const auto& v) { return number(float(v.ClipRect.top())) + number(float(v.ClipRect.left())); }},
        // visibility and display
        {"visibility", "hidden", "visible", [](const auto& v) { return Flag(v.Visible); }},
        {"display", "none", "inline", [](const auto& v) { return Flag(v.Display); }},
    };
    const TGraphicRect* fresh = elsewhere;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.property);
        const QString property = QString::fromUtf8(c.property);
        const TSVGStyleProperty member = StylePropertyFromName(property);
        const bool inheritedByDefault = StylePropertyInfo(member).InheritedByDefault;
        SetStyle(*group, property + u':' + QString::fromUtf8(c.parentValue));
        Doc.ApplyStyles();
        const QString parentValue = c.describe(group->ResolvedValues());
        for (const char* childValue : {"", "inherit", c.ownValue}) {
            SetStyle(*child, childValue[0] == 0 ? QString() : property + u':' + QString::fromUtf8(childValue));
            Doc.ApplyStyles();
            ASSERT_EQ(c.describe(group->ResolvedValues()), parentValue);
            const QString childDescribed = c.describe(child->ResolvedValues());
            if (QByteArray(childValue) == "inherit" || (childValue[0] == 0 && inheritedByDefault))
                EXPECT_EQ(childDescribed, parentValue) << childValue;
            else if (childValue[0] == 0)
                EXPECT_EQ(childDescribed, c.describe(fresh->ResolvedValues()));
            else
                EXPECT_NE(childDescribed, parentValue) << childValue;
        }
        SetStyle(*group, {});
        SetStyle(*child, {});
    }
}

TEST_F(Inheritance, RecolouringAnElementReachesOnlyWhatInheritsFromIt)
{
    SetStyle(*group, QStringLiteral("fill: red; stroke: green"));
    SetStyle(*own, QStringLiteral("fill: blue"));
    SetStyle(*inner, QStringLiteral("stroke: blue"));
    Doc.ApplyStyles();
    for (TSVGGraphicElement* e : std::initializer_list<TSVGGraphicElement*>{group, child, inner, grandchild, own, elsewhere})
        e->ResolvedValues();
    EXPECT_EQ(grandchild->Brush().Color(), Red);

    group->EditValues({ipFill}, [](TSVGStyleValues& values) { values.Brush.SetColor(Blue); });
    // Whatever does not take its fill from the group keeps its resolved values.
    EXPECT_TRUE(own->IsResolved());
    EXPECT_TRUE(elsewhere->IsResolved());
    EXPECT_TRUE(Doc.IsResolved());
    EXPECT_FALSE(child->IsResolved());
    EXPECT_FALSE(grandchild->IsResolved());
    EXPECT_EQ(child->Brush().Color(), Blue);
    EXPECT_EQ(grandchild->Brush().Color(), Blue);
    EXPECT_EQ(own->Brush().Color(), Blue);

    // The whole brush includes its opacity, which the element with a fill of its own inherits.
    group->SetBrush(TSVGBrush(TBrushKind::Solid, Green));
    EXPECT_FALSE(own->IsResolved());
    EXPECT_EQ(own->Brush().Color(), Blue);
    EXPECT_EQ(child->Brush().Color(), Green);
    EXPECT_EQ(grandchild->Brush().Color(), Green);

    group->EditValues({ipStroke}, [](TSVGStyleValues& values) { values.Pen.SetColor(Red); });
    EXPECT_FALSE(child->IsResolved());
    EXPECT_TRUE(grandchild->IsResolved()); // its stroke comes from inner
    EXPECT_EQ(child->Pen().Color(), Red);
    EXPECT_EQ(grandchild->Pen().Color(), Blue);

    // A change on an element without children reaches nobody else.
    child->SetColor(Green);
    EXPECT_TRUE(grandchild->IsResolved());
    EXPECT_TRUE(group->IsResolved());
}

TEST_F(Inheritance, DisplayAndVisibilityAreTwoProperties)
{
    SetStyle(*group, QStringLiteral("visibility: hidden"));
    SetStyle(*child, QStringLiteral("visibility: visible"));
    Doc.ApplyStyles();
    EXPECT_FALSE(group->Visible());
    EXPECT_TRUE(group->IsRenderable()); // its visible children are still drawn
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(grandchild->Visible());

    SetStyle(*child, QStringLiteral("visibility: hidden; display: inline"));
    Doc.ApplyStyles();
    EXPECT_FALSE(child->Visible());
    EXPECT_TRUE(child->Display());

    SetStyle(*group, QStringLiteral("display: none"));
    SetStyle(*child, QStringLiteral("visibility: visible"));
    Doc.ApplyStyles();
    EXPECT_TRUE(child->Visible());
    EXPECT_TRUE(child->Display());
    EXPECT_FALSE(child->IsDisplayed());
    EXPECT_FALSE(grandchild->IsDisplayed());
    EXPECT_FALSE(group->IsRenderable());
    EXPECT_TRUE(elsewhere->IsDisplayed());

    group->SetDisplay(true);
    EXPECT_TRUE(grandchild->IsDisplayed());
    inner->SetVisible(false);
    EXPECT_FALSE(grandchild->Visible());
    EXPECT_TRUE(child->Visible());
}

TEST_F(Inheritance, OpacityMultipliesAndMatricesCombine)
{
    SetStyle(*group, QStringLiteral("opacity: 0.5"));
    SetStyle(*child, QStringLiteral("opacity: 0.5"));
    Doc.ApplyStyles();
    EXPECT_EQ(child->Opacity(), 0.5f);
    EXPECT_EQ(child->GetAbsoluteOpacity(), 0.25f);
    EXPECT_EQ(grandchild->Opacity(), 1);
    EXPECT_EQ(grandchild->GetAbsoluteOpacity(), 0.5f);
    group->SetOpacity(1);
    EXPECT_EQ(child->GetAbsoluteOpacity(), 0.5f);
    EXPECT_EQ(grandchild->GetAbsoluteOpacity(), 1);

    group->SetTransformMatrix(u"translate(10 0)");
    inner->SetMatrix(QTransform::fromScale(2, 2));
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(1, 1)), QPointF(12, 2));
    group->SetMatrix(QTransform::fromTranslate(20, 0));
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(1, 1)), QPointF(22, 2));
    grandchild->SetTransformMatrix(u"rotate(90)");
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(1, 1)), QPointF(18, 2));
    grandchild->SetTransformMatrix(u"translate(3,4)");
    EXPECT_EQ(grandchild->TransformMatrix(), QStringLiteral("translate(3 4)"));
    EXPECT_THROW(grandchild->SetTransformMatrix(u"spin(3)"), ESVGException);
}

TEST_F(Inheritance, AMovedElementResolvesFromItsNewPlace)
{
    SetStyle(*group, QStringLiteral("fill: red"));
    SetStyle(*elsewhere, QStringLiteral("fill: blue"));
    TGraphicGroup* other = Make(*elsewhere->Parent(), "other");
    SetStyle(*other, QStringLiteral("fill: green"));
    other->SetMatrix(QTransform::fromTranslate(5, 5));
    Doc.ApplyStyles();
    EXPECT_EQ(grandchild->Brush().Color(), Red);
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(0, 0)), QPointF(0, 0));

    inner->SetParent(other);
    EXPECT_EQ(grandchild->Brush().Color(), Green);
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(0, 0)), QPointF(5, 5));

    const std::unique_ptr<TSVGElement> taken = other->ExtractChild(inner);
    EXPECT_EQ(grandchild->Brush().Color(), 0xFF000000u);
    EXPECT_EQ(grandchild->AbsoluteMatrix().map(QPointF(0, 0)), QPointF(0, 0));
}

TEST_F(Inheritance, InheritsSetInCodeAndReset)
{
    SetStyle(*group, QStringLiteral("fill: red"));
    SetStyle(*child, QStringLiteral("fill: blue"));
    Doc.ApplyStyles();
    EXPECT_EQ(child->Brush().Color(), Blue);
    child->SetInherits(child->Inherits() | TSVGStyleProperties{ipFill});
    EXPECT_EQ(child->Brush().Color(), Red);
    Doc.ApplyStyles();
    EXPECT_EQ(child->Brush().Color(), Red); // the inherit set in code stays
    EXPECT_TRUE(child->ValuesSetInCode().Contains(ipFill));

    elsewhere->ResolvedValues();
    grandchild->ResolvedValues();
    group->Reset();
    EXPECT_FALSE(group->IsResolved());
    EXPECT_FALSE(grandchild->IsResolved());
    EXPECT_TRUE(elsewhere->IsResolved());
    EXPECT_EQ(grandchild->Brush().Color(), Red);
}

TEST_F(Inheritance, ClearAndCloneKeepSourcesApart)
{
    child->PresentationAttributes().AddAttribute(QStringLiteral("fill"), QStringLiteral("red"));
    SetStyle(*child, QStringLiteral("stroke: blue"));
    child->SetOpacity(0.5f);
    child->SetMatrix(QTransform::fromTranslate(1, 2));
    Doc.ApplyStyles();
    const std::unique_ptr<TSVGElement> copy = child->Clone(&Doc);
    auto* clone = dynamic_cast<TSVGGraphicElement*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->PresentationAttributes().Value(QStringLiteral("fill")), QStringLiteral("red"));
    EXPECT_EQ(clone->Style().Value(QStringLiteral("stroke")), QStringLiteral("blue"));
    EXPECT_EQ(clone->Brush().Color(), Red);
    EXPECT_EQ(clone->Pen().Color(), Blue);
    EXPECT_EQ(clone->Opacity(), 0.5f);
    EXPECT_EQ(clone->Matrix(), child->Matrix());

    child->Clear();
    EXPECT_TRUE(child->PresentationAttributes().IsEmpty());
    EXPECT_TRUE(child->Style().IsEmpty());
    EXPECT_EQ(child->Opacity(), 1);
    EXPECT_EQ(child->Pen().Kind(), TBrushKind::None);
    EXPECT_TRUE(child->Matrix().isIdentity());
    EXPECT_TRUE(child->ValuesSetInCode().IsEmpty());
}

} // namespace
} // namespace zor::test
