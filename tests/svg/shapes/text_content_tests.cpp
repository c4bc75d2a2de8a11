// Text content, white space, position lists and character chunks.

#include <gtest/gtest.h>

#include "svg/shapes/text_content.h"
#include "text_test_support.h"

namespace zor::test {
namespace {

TEST(TextContent, WhiteSpaceIsKeptAsXmlSpaceSays)
{
    struct Case {
        const char16_t* text;
        bool preserve;
        const char16_t* normalized;
    };
    const Case cases[] = {
        {u"  a   b \n", false, u" a b "},
        {u"a\nb", false, u"a b"},
        {u"a\t\tb", false, u"a b"},
        {u"\n  \n", false, u" "},
        {u"a  b", true, u"a  b"},
        {u"a\n\tb", true, u"a  b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeTextContent(QString::fromUtf16(c.text), c.preserve), QString::fromUtf16(c.normalized))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(TextContent, WhiteSpaceCharactersAndCaseVariants)
{
    for (const unsigned c : {9U, 10U, 13U, 32U, 133U, 160U, 0x2003U, 0x2028U, 0x2029U})
        EXPECT_TRUE(IsTextWhiteSpace(c)) << c;
    for (const unsigned c : {97U, 45U, 0x2010U, 0U})
        EXPECT_FALSE(IsTextWhiteSpace(c)) << c;
    bool title = true;
    QString shown;
    for (const char32_t c : QStringLiteral("hello wORLD 9x").toUcs4()) {
        const char32_t variant = ApplyFontVariant(c, TSVGFontVariant::fvTitleCase, title);
        shown += QString::fromUcs4(&variant, 1);
    }
    EXPECT_EQ(shown, QStringLiteral("Hello World 9x"));
    bool unused = true;
    EXPECT_EQ(ApplyFontVariant(U'a', TSVGFontVariant::fvUpperCase, unused), U'A');
    EXPECT_EQ(ApplyFontVariant(U'B', TSVGFontVariant::fvLowerCase, unused), U'b');
}

class TextChunkTest : public TextTest {};

TEST_F(TextChunkTest, ContentAfterAChildElementStaysInItsPlace)
{
    // "Hello " <tspan>big</tspan> " world": one chunk in document order.
    auto* text = Add<TSVGText>(Doc);
    text->AddTextContent(QStringLiteral("Hello "));
    Add<TSVGTextSpan>(*text, QStringLiteral("big"));
    text->AddTextContent(QStringLiteral(" world"));
    EXPECT_EQ(text->Text(), QStringLiteral("Hello "));
    ASSERT_EQ(text->Items().Count(), 2);
    EXPECT_EQ(ChunkTexts(*text), QStringList{QStringLiteral("Hello big world")});

    // <tspan>A</tspan>B reads "AB", not "BA".
    auto* second = Add<TSVGText>(Doc);
    Add<TSVGTextSpan>(*second, QStringLiteral("A"));
    second->AddTextContent(QStringLiteral("B"));
    EXPECT_TRUE(second->Text().isEmpty());
    EXPECT_EQ(ChunkTexts(*second), QStringList{QStringLiteral("AB")});
}

TEST_F(TextChunkTest, SpacesCollapseAcrossElementsAndAtTheEnds)
{
    auto* text = Add<TSVGText>(Doc);
    text->AddTextContent(QStringLiteral("\n   "));
    Add<TSVGTextSpan>(*text)->AddTextContent(QStringLiteral(" A "));
    text->AddTextContent(QStringLiteral("\n  "));
    Add<TSVGTextSpan>(*text)->AddTextContent(QStringLiteral("B  "));
    text->AddTextContent(QStringLiteral("\n"));
    EXPECT_EQ(ChunkTexts(*text), QStringList{QStringLiteral("A B")});

    auto* preserved = Add<TSVGText>(Doc);
    preserved->SetXmlSpace(TSVGXmlSpace::xsPreserve);
    preserved->AddTextContent(QStringLiteral(" a\n b "));
    EXPECT_EQ(ChunkTexts(*preserved), QStringList{QStringLiteral(" a  b ")});
}

TEST_F(TextChunkTest, AbsolutePositionsStartChunksAndListsPassToChildren)
{
    auto* text = Add<TSVGText>(Doc, QStringLiteral("ab"));
    text->SetXStr(u"10 20 30");
    text->SetRotateStr(u"5 7");
    auto* span = Add<TSVGTextSpan>(*text, QStringLiteral("cd"));
    TSVGTextChunks chunks;
    text->BuildTextChunks(chunks);
    ASSERT_EQ(chunks.size(), 3U);
    EXPECT_EQ(chunks[0].Text(), QStringLiteral("a"));
    EXPECT_EQ(chunks[1].Text(), QStringLiteral("b"));
    // c takes the root's third x; d has none and continues its chunk.
    EXPECT_EQ(chunks[2].Text(), QStringLiteral("cd"));
    EXPECT_EQ(chunks[2].Chars[0].X, 30);
    EXPECT_EQ(chunks[2].Chars[0].Element, span);
    EXPECT_FALSE(chunks[2].Chars[1].XIsSpecified);
    EXPECT_EQ(chunks[0].Chars[0].Rotate, 5);
    EXPECT_EQ(chunks[1].Chars[0].Rotate, 7);
    EXPECT_EQ(chunks[2].Chars[1].Rotate, 7);

    // The child's own list comes first; beyond it, the parent's at the
    // character's place in the parent's text.
    span->SetDXStr(u"4");
    chunks.clear();
    text->BuildTextChunks(chunks);
    EXPECT_EQ(chunks[2].Chars[0].DX, 4);
    EXPECT_EQ(chunks[2].Chars[1].DX, 0);
}

TEST_F(TextChunkTest, PercentagesOfTheViewBox)
{
    auto* text = Add<TSVGText>(Doc, QStringLiteral("a"));
    text->SetXStr(u"50%");
    text->SetYStr(u"25%");
    EXPECT_FLOAT_EQ(text->GetXAt(0), 100);
    EXPECT_FLOAT_EQ(text->GetYAt(0), 25);
    EXPECT_EQ(text->XStr(), QStringLiteral("50%"));
}

TEST_F(TextChunkTest, SettingTheSameTextChangesNothing)
{
    auto* text = AddText(QStringLiteral("abc"), 10, 50);
    text->GetShape();
    int changes = 0;
    Doc.OnChange = [&](TSVGElement*) { ++changes; };
    text->SetText(QStringLiteral("abc"));
    EXPECT_EQ(changes, 0);
    text->SetText(QStringLiteral("abd"));
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace zor::test
