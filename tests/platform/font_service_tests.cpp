#include <gtest/gtest.h>

#include "platform/font_service.h"

using namespace zor;

TEST(FontService, ImmediateRepetitionsAreDroppedIgnoringCase)
{
    struct Case {
        QStringList enumerated;
        QStringList list;
    };
    const Case cases[] = {
        {{}, {}},
        {{"Arial", "ARIAL", "arial", "Bogus"}, {"Arial", "Bogus"}},
        // Only neighbours repeat: a name that comes back later is added again.
        {{"Arial", "Bogus", "Arial"}, {"Arial", "Bogus", "Arial"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TZorPlatformServices::WithoutRepeats(c.enumerated), c.list);
}

TEST(FontService, InstalledFamiliesAreFoundInAnyLetterCase)
{
    IZorFMXSystemFontsService& service = SystemFontsService();
    const TZorFontList& fonts = service.GetFontList();
    EXPECT_EQ(&fonts, &service.GetFontList());
    const qsizetype index = fonts.IndexOf(QStringLiteral("DejaVu Sans"));
    ASSERT_GE(index, 0);
    EXPECT_EQ(fonts.IndexOf(QStringLiteral("DEJAVU SANS")), index);
    for (const char* name : {"DejaVu Sans", "dejavu sans", "LIBERATION SANS"})
        EXPECT_TRUE(service.HasFamily(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(service.HasFamily(QStringLiteral("No Such Family")));
    EXPECT_FALSE(PlatformDefaultFontFamily().isEmpty());
}
