#include <gtest/gtest.h>

#include "model_test_support.h"
#include "svg/model/style_sheet.h"

namespace zor::test {
namespace {

using enum TSVGStyleProperty;

// svg > g#top.layer > rect#r.a.b
class Cascade : public StyledDocumentTest {
protected:
    void SetAttribute(TSVGGraphicElement& Element, const char* Name, const char* Value)
    {
        Element.PresentationAttributes().AddAttribute(QString::fromUtf8(Name), QString::fromUtf8(Value));
    }

    // Replaces the style sheet and applies it.
    void Restyle(const char* Sheet)
    {
        Doc.Styles().Clear();
        Doc.ParseStyleSheet(QString::fromUtf8(Sheet));
        Doc.ApplyStyles();
    }

    TGraphicGroup* top = Make(Doc, "top", {"layer"});
    TGraphicRect* rect = Make<TGraphicRect>(*top, "r", {"a", "b"});
};

// The exported declarations of an element, as text.
std::string Exported(const TSVGGraphicElement& Element)
{
    TSVGStyle style;
    style.Assign(&Element);
    return style.StylesToString().toStdString();
}

TEST_F(Cascade, PresentationAttributesAreBelowEveryRule)
{
    SetAttribute(*rect, "fill", "red");
    struct Case {
        const char* sheet;
        const char* style;
        TAlphaColor fill;
    };
    const Case cases[] = {
        {"", "", Red},
        {".a { fill: blue }", "", Blue},
        {"* { fill: yellow }", "", Yellow},
        {".A { fill: blue } circle { fill: yellow }", "", Blue},
        {"#r { fill: blue } #x { fill: yellow }", "", Blue},
        {".a { fill: blue }", "fill: green", Green},
        // The style attribute is above every rule, however specific.
        {"#r.a.b.a.b.a.b.a.b.a.b { fill: blue }", "fill: green", Green},
        // !important is above the style attribute, and an important style attribute above that.
        {".a { fill: blue !important }", "fill: green", Blue},
        {".a { fill: blue !important } #r { fill: yellow !important }", "fill: green", Yellow},
        {".a { fill: blue !important }", "fill: green !important", Green},
        {"rect { fill: blue !important } #r { fill: yellow }", "", Blue},
    };
    for (const Case& c : cases) {
        rect->Style().SetStyle(QString::fromUtf8(c.style));
        Restyle(c.sheet);
        EXPECT_EQ(rect->Brush().Color(), c.fill) << c.sheet << " / " << c.style;
        EXPECT_EQ(rect->Brush().Kind(), TBrushKind::Solid) << c.sheet << " / " << c.style;
    }
}

TEST_F(Cascade, AmongEqualPrioritiesTheLaterRuleWins)
{
    struct Case {
        const char* sheet;
        TAlphaColor fill;
    };
    const Case cases[] = {
        {".a { fill: red } .b { fill: blue }", Blue},
        {".b { fill: blue } .a { fill: red }", Red},
        {".a { fill: red } .b { fill: blue } .c { fill: green }", Blue},
        {"rect { fill: red } svg rect { fill: blue } g rect { fill: green }", Green},
        {"rect { fill: red } g rect { fill: green } svg rect { fill: blue }", Blue},
        {".a { fill: red } .b { fill: blue } .a { stroke: red }", Blue},
        {"rect { fill: yellow } .b { fill: blue } .a { fill: red } rect { fill: green }", Red},
    };
    for (const Case& c : cases) {
        Restyle(c.sheet);
        EXPECT_EQ(rect->Brush().Color(), c.fill) << c.sheet;
    }
}

TEST_F(Cascade, ImportantIsTakenOffTheValue)
{
    Restyle(".a { fill: #00f !important; stroke: red ! important; stroke-width: 3 }");
    const TSVGStyle& rule = Doc.Styles().Items(0);
    EXPECT_EQ(rule.Value(QStringLiteral("fill")), QStringLiteral("#00f"));
    EXPECT_TRUE(rule.IsImportant(QStringLiteral("fill")));
    EXPECT_FALSE(rule.IsImportant(QStringLiteral("stroke-width")));
    EXPECT_EQ(rect->Brush().Color(), Blue);
    EXPECT_EQ(rect->Pen().Color(), Red);
    EXPECT_EQ(rect->Pen().Thickness(), 3);
}

TEST_F(Cascade, RunningItAgainGivesWhatAFreshLoadGives)
{
    const char* sheet = ".a { fill: blue; stroke: red; stroke-width: 4 } g { opacity: 0.5; font-size: 20px } "
                        ".layer rect { visibility: hidden; stroke-dasharray: 1 2 }";
    SetAttribute(*rect, "fill", "green");
    Restyle(sheet);
    EXPECT_EQ(rect->Brush().Color(), Blue);

    // Each change of the rules, then the values a document with those rules
    // from the start would have.
    const std::function<void()> changes[] = {
        [&] { Doc.Styles().Find(QStringLiteral(".a"))->SetEnabled(false); },
        [&] { Doc.Styles().Remove(QStringLiteral("g")); },
        [&] { Doc.Styles().Find(QStringLiteral(".a"))->SetStyle(u"stroke: blue"); },
        [&] { Doc.Styles().Find(QStringLiteral(".layer rect"))->SetName(QStringLiteral("circle")); },
        [&] { Doc.Styles().Clear(); },
    };
    for (const auto& change : changes) {
        Restyle(sheet);
        change();
        Doc.ApplyStyles();

        TSVGDocument fresh;
        auto* freshTop = fresh.AppendChild(std::make_unique<TGraphicGroup>(&fresh));
        freshTop->SetID(QStringLiteral("top"));
        freshTop->SetClasses(top->Classes());
        auto* freshRect = freshTop->AppendChild(std::make_unique<TGraphicRect>(&fresh));
        freshRect->SetID(QStringLiteral("r"));
        freshRect->SetClasses(rect->Classes());
        freshRect->PresentationAttributes().Assign(&rect->PresentationAttributes());
        for (const std::unique_ptr<TSVGStyle>& rule : Doc.Styles()) {
            auto copy = std::make_unique<TSVGStyle>();
            copy->Assign(rule.get());
            copy->SetEnabled(rule->Enabled());
            fresh.Styles().Add(std::move(copy));
        }
        fresh.ApplyStyles();
        EXPECT_EQ(Exported(*rect), Exported(*freshRect));
        EXPECT_EQ(Exported(*top), Exported(*freshTop));
        EXPECT_EQ(rect->Visible(), freshRect->Visible());
        EXPECT_EQ(top->Opacity(), freshTop->Opacity());
    }
}

TEST_F(Cascade, ValuesSetInCodeStayThroughLaterCascades)
{
    Restyle(".a { opacity: 0.2; fill: red; stroke: blue }");
    rect->SetOpacity(0.5f);
    TSVGPen pen(TBrushKind::Solid, Green);
    rect->SetPen(pen);
    Restyle(".a { opacity: 0.3; fill: yellow; stroke: red }");
    EXPECT_EQ(rect->Opacity(), 0.5f);
    EXPECT_EQ(rect->Pen().Color(), Green);
    EXPECT_EQ(rect->Brush().Color(), Yellow);
    EXPECT_EQ(rect->ValuesSetInCode(), (TSVGStyleProperties{ipOpacity, ipStroke, ipStrokeDasharray,
                                                            ipStrokeDashOffset, ipStrokeLinecap, ipStrokeLineJoin,
                                                            ipStrokeMiterLimit, ipStrokeOpacity, ipStrokeWidth}));
}

TEST_F(Cascade, SameSelectorTwiceIsOneRuleAndReadingTwiceChangesNothing)
{
    const QString sheet = QStringLiteral(".a { fill: red; stroke: blue } .b { fill: green } .a { fill: yellow }");
    for (int pass = 0; pass < 2; ++pass) {
        Doc.ParseStyleSheet(sheet);
        EXPECT_TRUE(Doc.Diagnostics().empty());
        Doc.ApplyStyles();
        EXPECT_EQ(Doc.Styles().Count(), 2);
        EXPECT_EQ(rect->Brush().Color(), Green); // .b still comes after the first .a
        EXPECT_EQ(rect->Pen().Color(), Blue);
        EXPECT_EQ(Doc.Styles().Find(QStringLiteral(".a"))->Value(QStringLiteral("fill")), QStringLiteral("yellow"));
    }
    // An !important declaration is not replaced by a later normal one.
    Doc.ParseStyleSheet(u".b { fill: blue !important } .b { fill: red }");
    Doc.ApplyStyles();
    EXPECT_EQ(rect->Brush().Color(), Blue);
}

TEST_F(Cascade, UntrustedStyleTextLosesOnlyWhatCannotBeRead)
{
    Doc.ParseStyleSheet(
        u"@import url(http://example.com/x.css); @media screen { .a { fill: red } } "
        u"} .a { fill: blue; bogus-property: 3; fill-opacity: 0.5 } rect[ { fill: red } "
        u".b, g > { stroke: red } .b { stroke: green; stroke-width: 2 } .a { stroke-width: 7");
    Doc.ApplyStyles();
    EXPECT_EQ(rect->Brush().Color(), Blue);
    EXPECT_EQ(rect->Brush().Opacity(), 0.5f);
    EXPECT_EQ(rect->Pen().Color(), Green);
    EXPECT_EQ(rect->Pen().Thickness(), 2);
    QStringList reasons;
    for (const TSVGDiagnostic& diagnostic : Doc.Diagnostics()) {
        EXPECT_EQ(diagnostic.Element, QStringLiteral("style"));
        reasons << diagnostic.Reason;
    }
    EXPECT_EQ(reasons, (QStringList{"At-rule @import is not supported", "At-rule @media is not supported",
                                    "Unexpected \"}\"", "Unterminated block", "Invalid selector: rect[",
                                    "Invalid selector: g >"}));
    EXPECT_THROW(Doc.AddStyleRule(QStringLiteral("a >"), u"fill: red"), ESVGException);
    EXPECT_EQ(Doc.Styles().Count(), 2);
}

TEST_F(Cascade, RefusedValuesKeepTheValueBelowAndAreRecorded)
{
    SetAttribute(*rect, "fill", "url(#gradient)");
    SetAttribute(*rect, "stroke", "green");
    Restyle(".a { fill: #ggg; stroke: rgb(1,2,x); stroke-width: 3 }");
    EXPECT_EQ(rect->Brush().URI(), QStringLiteral("gradient"));
    EXPECT_EQ(rect->Pen().Color(), Green);
    EXPECT_EQ(rect->Pen().Thickness(), 3);
    ASSERT_EQ(Doc.Diagnostics().size(), 2u);
    const TSVGDiagnostic& fill = Doc.Diagnostics()[0];
    EXPECT_EQ(fill.Element, QStringLiteral("r"));
    EXPECT_EQ(fill.Property, QStringLiteral("fill"));
    EXPECT_EQ(fill.Text, QStringLiteral("#ggg"));
    EXPECT_FALSE(fill.Reason.isEmpty());
    EXPECT_EQ(Doc.Diagnostics()[1].Property, QStringLiteral("stroke"));
}

TEST_F(Cascade, OpacitiesReadFromTextAreLimited)
{
    struct Case {
        const char* declaration;
        float opacity, fillOpacity, strokeOpacity, stopOpacity;
    };
    const Case cases[] = {
        {"opacity: 2", 1, 1, 1, 1},
        {"opacity: -1; fill-opacity: 1.7; stroke-opacity: -0.5; stop-opacity: 9", 0, 1, 0, 1},
        {"opacity: 0.25; stop-opacity: -2", 0.25f, 1, 1, 0},
        {"opacity: Infinity", 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        rect->PresentationAttributes().Clear();
        SetAttribute(*rect, "opacity", "3");
        rect->Style().SetStyle(QString::fromUtf8(c.declaration));
        Doc.ApplyStyles();
        const TSVGStyleValues& values = rect->ResolvedValues();
        EXPECT_EQ(values.Opacity, c.opacity) << c.declaration;
        EXPECT_EQ(values.Brush.Opacity(), c.fillOpacity) << c.declaration;
        EXPECT_EQ(values.Pen.Opacity(), c.strokeOpacity) << c.declaration;
        EXPECT_EQ(values.StopOpacity, c.stopOpacity) << c.declaration;
    }
    rect->SetOpacity(7);
    EXPECT_EQ(rect->Opacity(), 1);
}

TEST_F(Cascade, ALaterFillReplacesAPaintServer)
{
    SetAttribute(*rect, "fill", "url(#gradient)");
    SetAttribute(*rect, "stroke", "url(#pattern)");
    Restyle("");
    EXPECT_EQ(rect->Brush().URI(), QStringLiteral("gradient"));
    Restyle(".a { fill: red; stroke: none }");
    EXPECT_EQ(rect->Brush().URI(), QString());
    EXPECT_EQ(rect->Brush().Color(), Red);
    EXPECT_EQ(rect->Pen().URI(), QString());
    EXPECT_EQ(rect->Pen().Kind(), TBrushKind::None);
    Restyle(".a { fill: inherit }");
    EXPECT_EQ(rect->Values().Brush.URI(), QStringLiteral("gradient"));
}

TEST_F(Cascade, FontSizeAndColorAreKnownBeforeWhatIsMeasuredByThem)
{
    SetAttribute(*rect, "fill", "currentColor");
    SetAttribute(*rect, "stroke-width", "0.5em");
    SetAttribute(*top, "font-size", "10px");
    Restyle(".a { color: blue; font-size: 2em } g { color: red }");
    EXPECT_EQ(rect->Font().Size(), 20);
    EXPECT_EQ(rect->Pen().Thickness(), 10);
    EXPECT_EQ(rect->Brush().Color(), Blue);

    Restyle("g { color: red }");
    EXPECT_EQ(rect->Brush().Color(), Red); // the inherited colour
    EXPECT_EQ(rect->Pen().Thickness(), 5);

    SetAttribute(*rect, "font", "italic bold 30px serif");
    Restyle(".a { font: inherit }");
    EXPECT_TRUE(rect->Inherits().Contains(ipFontSize));
    EXPECT_EQ(rect->Font().Size(), 10);
    EXPECT_FALSE(rect->Font().Style().Contains(TFontStyle::fsItalic));
}

TEST_F(Cascade, TheDocumentsRulesStyleTheRootAndTheWholeRunReportsOnce)
{
    int changes = 0;
    Doc.OnChange = [&](TSVGElement*) { ++changes; };
    Doc.ParseStyleSheet(u"svg { fill: red } :root > g { stroke: blue }");
    Doc.ApplyStyles();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Doc.Brush().Color(), Red);
    EXPECT_EQ(rect->Brush().Color(), Red);
    EXPECT_EQ(top->Pen().Color(), Blue);
    EXPECT_EQ(rect->Pen().Color(), Blue);
}

TEST_F(Cascade, StylesAreReadAndWritten)
{
    TSVGStyle style(QStringLiteral(".a"), u"fill:red;;stroke : blue ;broken");
    EXPECT_EQ(style.GetStyleProp(ipFill), QStringLiteral("red"));
    EXPECT_EQ(style.GetStyleProp(ipStroke), QStringLiteral("blue"));
    EXPECT_EQ(style.StyleValues().Count(), 2);
    EXPECT_EQ(style.DeclaredProperties(), (TSVGStyleProperties{ipFill, ipStroke}));

    TSVGStyle single;
    single.SetStyleProp(ipFill, QStringLiteral("red"));
    EXPECT_EQ(single.StylesToString(), QStringLiteral("fill=red"));
    single.SetName(QStringLiteral(".a"));
    EXPECT_EQ(single.ToString(), QStringLiteral(".a { fill=red }"));

    int changes = 0;
    single.OnChange = [&](TSVGStyle&) { ++changes; };
    single.SetStyleProp(ipFill, QStringLiteral("red"));
    single.SetEnabled(true);
    single.AddStyle(u"  ");
    EXPECT_EQ(changes, 0);
    single.SetStyle(u"stroke: blue; fill: green");
    EXPECT_EQ(changes, 1);

    TStringList lines;
    lines.Assign(&single);
    TSVGStyle copy;
    copy.Assign(&lines);
    EXPECT_EQ(copy.GetStyleProp(ipStroke), QStringLiteral("blue"));
    EXPECT_EQ(copy.GetStyleProp(ipFill), QStringLiteral("green"));
    EXPECT_EQ(copy.Name(), QString());
    const TSVGLength length;
    EXPECT_THROW(copy.Assign(&length), Exception);

    // The marker shorthand is no attribute, and it wins over the three markers beside it.
    EXPECT_EQ(copy.AddAttribute(QStringLiteral("marker"), QStringLiteral("url(#m)")), ipNone);
    EXPECT_EQ(copy.Value(QStringLiteral("marker")), QString());
    rect->Style().SetStyle(u"marker: url(#m); marker-start: url(#s)");
    Doc.ApplyStyles();
    EXPECT_EQ(rect->MarkerStartURI(), QStringLiteral("m"));
    EXPECT_EQ(rect->MarkerEndURI(), QStringLiteral("m"));
}

TEST_F(Cascade, PropertyExport)
{
    struct Case {
        const char* style;
        const char* exported; // the entries of these properties, name=value joined by ";"
        std::initializer_list<TSVGStyleProperty> properties;
    };
    const Case cases[] = {
        {"fill: red; stroke: url(#g); fill-opacity: 0.5", "fill=red;stroke=url(#g);fill-opacity=0.5",
         {ipFill, ipStroke, ipFillOpacity}},
        {"fill: none; color: #123456", "fill=none;color=#123456", {ipFill, ipColor}},
        {"fill: url(#g) red; stroke: url(#h) none", "fill=url(#g) red;stroke=url(#h)", {ipFill, ipStroke}},
        {"stroke-width: 5%; stroke-dasharray: 4,2,1; stroke-linecap: square; stroke-linejoin: bevel",
         "stroke-width=5%;stroke-dasharray=4,2,1,4,2,1;stroke-linecap=square;stroke-linejoin=bevel",
         {ipStrokeWidth, ipStrokeDasharray, ipStrokeLinecap, ipStrokeLineJoin}},
        {"font-size: 14.4px; font-style: oblique; font-weight: 600; text-decoration: line-through",
         "font-size=large;font-style=italic;font-weight=600;text-decoration=line-through",
         {ipFontSize, ipFontStyle, ipFontWeight, ipTextDecoration}},
        {"display: none; visibility: hidden; overflow: scroll; opacity: 0.25",
         "display=none;visibility=hidden;overflow=hidden;opacity=0.25",
         {ipDisplay, ipVisibility, ipOverflow, ipOpacity}},
        {"clip: rect(1 2 3 4); clip-path: url(#c); marker-mid: #m; cursor: pointer",
         "clip=rect(1 2 3 4);clip-path=url(#c);marker-mid=url(#m);cursor=pointer",
         {ipClip, ipClipPath, ipMarkerMid, ipCursor}},
        {"letter-spacing: 2; kerning: auto; baseline-shift: 50%; text-anchor: end",
         "letter-spacing=2;kerning=auto;baseline-shift=50%;text-anchor=end",
         {ipLetterSpacing, ipKerning, ipBaselineShift, ipTextAnchor}},
    };
    for (const Case& c : cases) {
        rect->Style().SetStyle(QString::fromUtf8(c.style));
        Doc.ApplyStyles();
        TSVGStyle exported;
        exported.Assign(rect);
        QStringList entries;
        for (TSVGStyleProperty property : c.properties)
            entries << StylePropertyName(property) + u'=' + exported.GetStyleProp(property);
        EXPECT_EQ(entries.join(u';').toStdString(), c.exported) << c.style;
    }
    // Inherited properties are not written.
    rect->Style().SetStyle(u"fill: inherit; stroke: red");
    Doc.ApplyStyles();
    TSVGStyle exported;
    exported.Assign(rect);
    EXPECT_FALSE(exported.StyleValues().ContainsKey(QStringLiteral("fill")));
    EXPECT_FALSE(exported.StyleValues().ContainsKey(QStringLiteral("font-family")));
    EXPECT_EQ(exported.GetStyleProp(ipStroke), QStringLiteral("red"));
}

} // namespace
} // namespace zor::test
