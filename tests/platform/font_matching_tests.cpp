#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "platform/font_files_service.h"
#include "platform/font_matching.h"
#include "tests/platform/dejavu_fonts.h"

using namespace zor;
using zor::test::DejaVuFile;

namespace {

QStringList Families(const QList<TFontFace>& Faces)
{
    QStringList names;
    for (const TFontFace& face : Faces)
        names.append(face.Family());
    return names;
}

QStringList MatchedFamilies(const QString& List)
{
    QStringList names;
    for (const QString& name : List.split(u','))
        names.append(name.trimmed());
    return Families(MatchFontFaces(SystemFontsService(), {names, RegularFontWeight}));
}

std::shared_ptr<TZorFontFilesService> MonoService()
{
    TGenericFontFamilies generics;
    generics[static_cast<std::size_t>(TGenericFontFamily::gfMonospace)] = QStringLiteral("DejaVu Sans Mono");
    return std::make_shared<TZorFontFilesService>(
        QStringList{DejaVuFile("DejaVuSansMono.ttf"), DejaVuFile("DejaVuSansMono-Bold.ttf")}, generics);
}

} // namespace

TEST(FontWeights, BolderAndLighterFollowTheCssTable)
{
    struct Case {
        int inherited, bolder, lighter;
    };
    const Case cases[] = {
        {50, 400, 50},   {100, 400, 100}, {349, 400, 100}, {350, 700, 100}, {549, 700, 100}, {550, 900, 400},
        {749, 900, 400}, {750, 900, 700}, {899, 900, 700}, {900, 900, 700}, {950, 950, 700},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BolderFontWeight(c.inherited), c.bolder) << c.inherited;
        EXPECT_EQ(LighterFontWeight(c.inherited), c.lighter) << c.inherited;
    }
}

TEST(FontMatching, FaceChoiceTakesTheSlantFirstThenTheCssWeightOrder)
{
    using enum TFontSlant;
    const QList<TFontFaceInfo> family = {{300, slNormal}, {400, slNormal}, {600, slNormal}, {700, slNormal},
                                         {400, slItalic}, {700, slOblique}};
    const QList<TFontFaceInfo> slantedOnly = {{400, slItalic}, {400, slOblique}};
    const QList<TFontFaceInfo> uprightAndItalic = {{400, slNormal}, {700, slItalic}};
    struct Case {
        const QList<TFontFaceInfo>* faces;
        int weight;
        TFontSlant slant;
        TFontFaceInfo chosen;
    };
    const Case cases[] = {
        {&family, 600, slNormal, {600, slNormal}},
        // From 400 to 500: up to 500 first, then lighter, then heavier.
        {&family, 450, slNormal, {400, slNormal}},
        {&family, 500, slNormal, {400, slNormal}},
        // Below 400 lighter first, above 500 heavier first.
        {&family, 350, slNormal, {300, slNormal}},
        {&family, 200, slNormal, {300, slNormal}},
        {&family, 650, slNormal, {700, slNormal}},
        {&family, 900, slNormal, {700, slNormal}},
        // The slant wins over the weight.
        {&family, 700, slItalic, {400, slItalic}},
        {&family, 400, slOblique, {700, slOblique}},
        {&slantedOnly, 400, slNormal, {400, slOblique}},
        {&uprightAndItalic, 400, slOblique, {700, slItalic}},
        {&uprightAndItalic, 400, slItalic, {700, slItalic}},
    };
    for (const Case& c : cases) {
        const TFontFaceInfo chosen = ChooseFontFace(*c.faces, c.weight, c.slant);
        EXPECT_EQ(chosen.Weight, c.chosen.Weight) << c.weight << " " << int(c.slant);
        EXPECT_EQ(chosen.Slant, c.chosen.Slant) << c.weight << " " << int(c.slant);
    }
}

TEST(FontMatching, FamilyListPicksItsInstalledFamiliesInOrder)
{
    struct Case {
        const char* list;
        QStringList families;
    };
    const Case cases[] = {
        {"No Such Family, DejaVu Serif, DejaVu Sans", {"DejaVu Serif", "DejaVu Sans"}},
        // The installed spelling, whatever the list's.
        {"dejavu SANS", {"DejaVu Sans"}},
        {"DejaVu Sans, serif", {"DejaVu Sans", "DejaVu Serif"}},
        // A generic name counts where it stands, and a family comes once.
        {"sans-serif, DejaVu Serif, DejaVu Sans", {"DejaVu Sans", "DejaVu Serif"}},
        // Nothing installed: fontconfig's choice for an unknown family.
        {"No Such Family, Nor This", {"DejaVu Sans"}},
        {"", {"DejaVu Sans"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchedFamilies(QString::fromLatin1(c.list)), c.families) << c.list;
}

TEST(FontMatching, GenericFamiliesFollowFontconfig)
{
    // The test setup maps every generic family but sans-serif to DejaVu Serif.
    struct Case {
        const char* generic;
        const char* family;
    };
    const Case cases[] = {
        {"serif", "DejaVu Serif"},   {"sans-serif", "DejaVu Sans"}, {"SANS-SERIF", "DejaVu Sans"},
        {"monospace", "DejaVu Serif"}, {"cursive", "DejaVu Serif"}, {"fantasy", "DejaVu Serif"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchedFamilies(QString::fromLatin1(c.generic)), QStringList{c.family}) << c.generic;
}

TEST(FontMatching, WeightAndSlantLoadTheChosenFace)
{
    struct Case {
        int weight;
        TFontSlant slant;
        int faceWeight;
        const char* styleName;
        bool synthetic;
    };
    // DejaVu Sans is installed as Book (400) and Bold (700), upright only.
    const Case cases[] = {
        {100, TFontSlant::slNormal, 400, "Book", false}, {500, TFontSlant::slNormal, 400, "Book", false},
        {600, TFontSlant::slNormal, 700, "Bold", false}, {900, TFontSlant::slNormal, 700, "Bold", false},
        {400, TFontSlant::slItalic, 400, "Book", true},  {700, TFontSlant::slOblique, 700, "Bold", true},
    };
    for (const Case& c : cases) {
        const TFontFace face = MatchFontFace(SystemFontsService(), QStringLiteral("DejaVu Sans"), c.weight, c.slant);
        ASSERT_TRUE(face.IsValid());
        EXPECT_EQ(face.Weight(), c.faceWeight) << c.weight;
        EXPECT_EQ(face.IsSyntheticSlant(), c.synthetic) << c.weight;
        EXPECT_EQ(face.Slant(), c.slant) << c.weight;
        const QRawFont raw = QRawFont::fromFont(face.ToFont(40));
        EXPECT_EQ(raw.styleName(), QLatin1String(c.styleName)) << c.weight;
    }
    // A synthesised slant shears the glyphs: an upright "l" gets wider ink.
    const auto inkWidth = [](TFontSlant slant) {
        const QRawFont raw = QRawFont::fromFont(
            MatchFontFace(SystemFontsService(), QStringLiteral("DejaVu Sans"), 400, slant).ToFont(40));
        return raw.pathForGlyph(raw.glyphIndexesForString(QStringLiteral("l")).first()).boundingRect().width();
    };
    EXPECT_GT(inkWidth(TFontSlant::slItalic), inkWidth(TFontSlant::slNormal) + 2);
    EXPECT_FALSE(MatchFontFace(SystemFontsService(), QStringLiteral("No Such Family"), 400, {}).IsValid());
}

TEST(FontService, ReplacedServiceIsSeenByMatching)
{
    const std::uint64_t before = FontsServiceGeneration();
    {
        TZorFontsServiceScope scope(MonoService());
        EXPECT_NE(FontsServiceGeneration(), before);
        EXPECT_EQ(SystemFontsService().Families(), QStringList{"DejaVu Sans Mono"});
        EXPECT_FALSE(SystemFontsService().HasFamily(QStringLiteral("DejaVu Sans")));
        EXPECT_EQ(MatchedFamilies(QStringLiteral("DejaVu Sans, monospace")), QStringList{"DejaVu Sans Mono"});
        // Nothing of the list installed, and the platform's choice is not
        // among the service's fonts either: its first family.
        EXPECT_EQ(MatchedFamilies(QStringLiteral("DejaVu Serif")), QStringList{"DejaVu Sans Mono"});
        // The faces are the files', bold included.
        EXPECT_EQ(MatchFontFace(SystemFontsService(), QStringLiteral("DejaVu Sans Mono"), 800, {}).Weight(), 700);
        // Generic families the service does not name still go through fontconfig,
        // but only to a family of the service.
        EXPECT_EQ(MatchedFamilies(QStringLiteral("serif")), QStringList{"DejaVu Sans Mono"});
    }
    EXPECT_EQ(MatchedFamilies(QStringLiteral("DejaVu Sans, monospace")),
              (QStringList{"DejaVu Sans", "DejaVu Serif"}));
    // The service's files were unregistered with it.
    EXPECT_FALSE(SystemFontsService().HasFamily(QStringLiteral("DejaVu Sans Mono")));
}

TEST(FontService, ScopesRestoreTheirPredecessorsInReverseOrder)
{
    IZorFMXSystemFontsService* platform = &SystemFontsService();
    auto first = MonoService();
    {
        TZorFontsServiceScope outer(first);
        {
            TZorFontsServiceScope inner(std::make_shared<TZorFontFilesService>(
                QStringList{DejaVuFile("DejaVuSerif.ttf")}));
            EXPECT_EQ(SystemFontsService().Families(), QStringList{"DejaVu Serif"});
        }
        EXPECT_EQ(&SystemFontsService(), first.get());
    }
    EXPECT_EQ(&SystemFontsService(), platform);
}

TEST(FontService, FontFilesServiceRefusesWhatItCannotUse)
{
    const QString missing = DejaVuFile("NoSuchFont.ttf");
    try {
        TZorFontFilesService service({DejaVuFile("DejaVuSansMono.ttf"), missing});
        FAIL() << "a missing file was accepted";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot load font file \"%1\"").arg(missing));
    }
    TGenericFontFamilies generics;
    generics[static_cast<std::size_t>(TGenericFontFamily::gfSerif)] = QStringLiteral("DejaVu Serif");
    try {
        TZorFontFilesService service({DejaVuFile("DejaVuSansMono.ttf")}, generics);
        FAIL() << "a generic family outside the files was accepted";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Font family \"DejaVu Serif\" is not in the font files"));
    }
    // What a refused service had registered is gone again.
    EXPECT_FALSE(SystemFontsService().HasFamily(QStringLiteral("DejaVu Sans Mono")));
}

TEST(FontService, PlatformListFollowsAddedApplicationFonts)
{
    IZorFMXSystemFontsService& service = SystemFontsService();
    const TZorFontList& list = service.GetFontList();
    ASSERT_LT(list.IndexOf(QStringLiteral("DejaVu Sans Mono")), 0);
    const int id = QFontDatabase::addApplicationFont(DejaVuFile("DejaVuSansMono.ttf"));
    ASSERT_GE(id, 0);
    EXPECT_GE(service.GetFontList().IndexOf(QStringLiteral("DejaVu Sans Mono")), 0);
    EXPECT_EQ(&service.GetFontList(), &list);
    EXPECT_EQ(MatchedFamilies(QStringLiteral("DejaVu Sans Mono, serif")),
              (QStringList{"DejaVu Sans Mono", "DejaVu Serif"}));
    QFontDatabase::removeApplicationFont(id);
    EXPECT_LT(service.GetFontList().IndexOf(QStringLiteral("DejaVu Sans Mono")), 0);
}
