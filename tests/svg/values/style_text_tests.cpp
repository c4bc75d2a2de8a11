#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "svg/values/css_text.h"
#include "svg/values/selector_parser.h"
#include "tests/support/hostile_text.h"
#include "tests/svg/values/values_test_support.h"

using namespace zor;
using namespace zor::testing;
using enum TSVGSelectorTokenType;

namespace {

// "selectors{declarations}" for each rule, joined by "|".
std::string RulesOf(const TCSSStyleSheetText& Sheet)
{
    QStringList rules;
    for (const TCSSRuleText& rule : Sheet.Rules)
        rules << rule.Selectors + u'{' + rule.Declarations.trimmed() + u'}';
    return Text(rules.join(u'|'));
}

std::string TokensOf(const TSVGSelectorTokens& Tokens)
{
    QStringList texts;
    for (const TSVGSelectorToken& token : Tokens)
        texts << token.ToString();
    return Text(texts.join(u' '));
}

} // namespace

// ---------------------------------------------------------------------------
// Style sheet text

TEST(StyleSheetText, UnreadablePartsAreSkippedWholeAndTheRestIsRead)
{
    struct Case {
        const char* text;
        const char* rules;
        std::size_t skipped;
    };
    const Case cases[] = {
        {".a{fill:red} rect { stroke : blue }", ".a{fill:red}|rect{stroke : blue}", 0},
        {"/* x { } */ .a{fill:red /* c */}", ".a{fill:red}", 0},
        {"<!-- .a{fill:red} -->", ".a{fill:red}", 0},
        {"@import url(x.css); .a{fill:red}", ".a{fill:red}", 1},
        {"@media print { .a{fill:red} .b{fill:blue} } .c{fill:green}", ".c{fill:green}", 1},
        {"@font-face { src: url(f.ttf) } .a{fill:red}", ".a{fill:red}", 1},
        {"} .a{fill:red} }} .b{fill:blue}", ".a{fill:red}|.b{fill:blue}", 3},
        {".a{fill:red} .b{fill:blue", ".a{fill:red}", 1},
        {".a{fill:red} .b", ".a{fill:red}", 1},
        {".a{fill:red} /* open", ".a{fill:red}", 1},
        {"[title='}'] {fill:red} .b{x:'{'}", "[title='}']{fill:red}|.b{x:'{'}", 0},
        {".a{fill:url(data:a;b,{c})} .b{fill:red}", ".a{fill:url(data:a;b,{c})}|.b{fill:red}", 0},
        {".a x } .b{fill:red}", ".b{fill:red}", 1},
        {"a[ {fill:red} .b{fill:url(#x} .c{fill:blue}", "a[{fill:red}|.b{fill:url(#x}|.c{fill:blue}", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        const TCSSStyleSheetText sheet = SplitStyleSheet(QString::fromUtf8(c.text));
        EXPECT_EQ(RulesOf(sheet), c.rules) << c.text;
        EXPECT_EQ(sheet.Skipped.size(), c.skipped) << c.text;
    }
    const TCSSStyleSheetText sheet = SplitStyleSheet(u"@media print { .a{} }");
    ASSERT_EQ(sheet.Skipped.size(), 1u);
    EXPECT_EQ(Text(sheet.Skipped[0].Reason), "At-rule @media is not supported");
    EXPECT_EQ(Text(sheet.Skipped[0].Text), "@media print { .a{} }");
}

TEST(StyleSheetText, SelectorListsSplitOutsideBracketsAndQuotes)
{
    EXPECT_EQ(SplitSelectorList(u" a , b,,c "), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(SplitSelectorList(u"[title='a,b'], :lang(en,fr)"), (QStringList{"[title='a,b']", ":lang(en,fr)"}));
    EXPECT_TRUE(SplitSelectorList(u"  ").isEmpty());
}

TEST(StyleSheetText, DeclarationsWithImportanceAndWholeValues)
{
    struct Case {
        const char* text;
        const char* declarations; // name=value[!] joined by "|"
    };
    const Case cases[] = {
        {"fill:red;;stroke : blue ;broken", "fill=red|stroke=blue"},
        {"fill: red !important; stroke: blue ! IMPORTANT", "fill=red!|stroke=blue!"},
        {"fill: red!important", "fill=red!"},
        {"fill: important", "fill=important"},
        {"fill: url(data:image/png;base64,AA==); stroke: red", "fill=url(data:image/png;base64,AA==)|stroke=red"},
        {"font-family: 'a;b', serif", "font-family='a;b', serif"},
        {"/* fill: red; */ stroke: blue", "stroke=blue"},
        {"Fill: red; : blue; x:", "Fill=red|x="},
    };
    for (const Case& c : cases) {
        QStringList texts;
        for (const TCSSDeclaration& d : SplitDeclarations(QString::fromUtf8(c.text)))
            texts << d.Name + u'=' + d.Value + (d.Important ? QStringLiteral("!") : QString());
        EXPECT_EQ(Text(texts.join(u'|')), c.declarations) << c.text;
    }
}

TEST(StyleSheetText, HostileTextNeitherCrashesNorHangs)
{
    THostileText hostile(8);
    for (int i = 0; i < 20000; ++i) {
        const QString text = hostile.Next() + u'{' + hostile.Next() + u'}' + hostile.Next();
        const TCSSStyleSheetText sheet = SplitStyleSheet(text);
        for (const TCSSRuleText& rule : sheet.Rules) {
            SplitDeclarations(rule.Declarations);
            for (const QString& selector : SplitSelectorList(rule.Selectors)) {
                try {
                    ParseSelector(selector);
                } catch (const ESVGException&) {
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Selector tokens

TEST(SelectorTokens, CompoundsAndCombinators)
{
    struct Case {
        const char* selector;
        const char* tokens;
    };
    const Case cases[] = {
        {"g rect", R"(sttString() = "g" sttHasDescendant( ) = "rect")"},
        {"#main > circle.red",
         R"(sttIDHashChar(#) = "main" sttHasChild(>) = "circle" sttClassChar(.) = "red")"},
        {"rect:lang(en)", R"(sttString() = "rect" sttColonChar(:) = "lang" sttLanguage(lang) = "en")"},
        {"[fill^='#f']", R"(sttHasAttribute([) = "fill" sttPrefixMatch(^=) = "#f")"},
        {"g .a", R"(sttString() = "g" sttHasDescendant( ) = "" sttClassChar(.) = "a")"},
        {"a+b ~ c", R"(sttString() = "a" sttHasFollower(+) = "b" sttHasSibling(~) = "c")"},
        {"* > *", R"(sttUniversalChar(*) = "" sttHasChild(>) = "")"},
        {" rect ", R"(sttString() = "rect")"},
        {"[ class ~= \"a b\" ][x|=en][y$=z][w*='q']",
         R"(sttHasAttribute([) = "class" sttContainsWord(~=) = "a b" sttHasAttribute([) = "x" )"
         R"(sttDashMatch(|=) = "en" sttHasAttribute([) = "y" sttSuffixMatch($=) = "z" )"
         R"(sttHasAttribute([) = "w" sttSubstringMatch(*=) = "q")"},
        {"[id]", R"(sttHasAttribute([) = "id")"},
        {"#a\\.b", R"(sttIDHashChar(#) = "a.b")"},
        {"text::first-line", R"(sttString() = "text" sttColonChar(:) = ":first-line")"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TokensOf(ParseSelector(QString::fromUtf8(c.selector))), c.tokens) << c.selector;
}

TEST(SelectorTokens, WhatIsNoSelectorRaises)
{
    for (const char* selector : {"rect[", "[x^y]", "[x=]", "[=a]", "[x='a]", "g >", "> g", "g > > h", "#", ".",
                                 "a:", "a:lang(en", "[class=a b]", "a,b", "a{", "*a", "g\t+"}) {
        try {
            ParseSelector(QString::fromUtf8(selector));
            ADD_FAILURE() << selector;
        } catch (const ESVGException& e) {
            EXPECT_EQ(Text(e.Message()), "Invalid selector: " + QString::fromUtf8(selector).trimmed().toStdString());
        }
    }
}
