#include "platform/font_matching.h"

#include <array>
#include <climits>
#include <tuple>

namespace zor {

namespace {

struct TRelativeWeightRow {
    int Below; // the row holds inherited weights below this one
    int Bolder; // 0: unchanged
    int Lighter; // 0: unchanged
};

// CSS Fonts' table of relative weights.
constexpr std::array<TRelativeWeightRow, 6> RelativeWeights = {{
    {100, 400, 0},
    {350, 400, 100},
    {550, 700, 100},
    {750, 900, 400},
    {900, 900, 700},
    {INT_MAX, 0, 700},
}};

const TRelativeWeightRow& RelativeWeightRow(int Inherited)
{
    for (const TRelativeWeightRow& row : RelativeWeights)
        if (Inherited < row.Below)
            return row;
    return RelativeWeights.back();
}

// The slants in the order a request for Slant falls back through them.
constexpr std::array<std::array<TFontSlant, 3>, EnumCount(TFontSlant{})> SlantFallbacks = {{
    {TFontSlant::slNormal, TFontSlant::slOblique, TFontSlant::slItalic},
    {TFontSlant::slItalic, TFontSlant::slOblique, TFontSlant::slNormal},
    {TFontSlant::slOblique, TFontSlant::slItalic, TFontSlant::slNormal},
}};

// Smaller is better: the order in which CSS tries the weights of a family.
std::tuple<int, int> WeightRank(int Available, int Desired)
{
    if (Available == Desired)
        return {0, 0};
    if (Desired >= 400 && Desired <= 500) {
        if (Available > Desired && Available <= 500)
            return {1, Available - Desired};
        if (Available < Desired)
            return {2, Desired - Available};
        return {3, Available};
    }
    const bool preferLighter = Desired < 400;
    if ((Available < Desired) == preferLighter)
        return {1, std::abs(Available - Desired)};
    return {2, std::abs(Available - Desired)};
}

} // namespace

int BolderFontWeight(int Inherited)
{
    const int bolder = RelativeWeightRow(Inherited).Bolder;
    return bolder != 0 ? bolder : Inherited;
}

int LighterFontWeight(int Inherited)
{
    const int lighter = RelativeWeightRow(Inherited).Lighter;
    return lighter != 0 ? lighter : Inherited;
}

TFontFaceInfo ChooseFontFace(const QList<TFontFaceInfo>& Faces, int Weight, TFontSlant Slant)
{
    for (TFontSlant slant : SlantFallbacks[static_cast<std::size_t>(Slant)]) {
        const TFontFaceInfo* best = nullptr;
        for (const TFontFaceInfo& face : Faces)
            if (face.Slant == slant && (best == nullptr || WeightRank(face.Weight, Weight) < WeightRank(best->Weight, Weight)))
                best = &face;
        if (best != nullptr)
            return *best;
    }
    return {Weight, Slant};
}

TFontFace::TFontFace(const QString& Family, const TFontFaceInfo& Info, bool SyntheticSlant)
    : FFamily(Family)
    , FInfo(Info)
    , FSyntheticSlant(SyntheticSlant)
{
}

QFont TFontFace::ToFont(int PixelSize) const
{
    QFont font(FFamily);
    font.setWeight(static_cast<QFont::Weight>(FInfo.Weight));
    font.setStyle(SlantToQt(FInfo.Slant));
    font.setPixelSize(std::max(PixelSize, 1));
    return font;
}

QString TFontFace::Key() const
{
    return QStringLiteral("%1/%2/%3/%4")
        .arg(FFamily.toLower())
        .arg(FInfo.Weight)
        .arg(static_cast<int>(FInfo.Slant))
        .arg(FSyntheticSlant ? 1 : 0);
}

TFontFace MatchFontFace(IZorFMXSystemFontsService& Service, const QString& Family, int Weight, TFontSlant Slant)
{
    const QString installed = Service.InstalledFamily(Family);
    if (installed.isEmpty())
        return {};
    TFontFaceInfo face = ChooseFontFace(Service.FamilyFaces(installed), Weight, Slant);
    const bool synthetic = Slant != TFontSlant::slNormal && face.Slant == TFontSlant::slNormal;
    if (synthetic)
        face.Slant = Slant;
    return {installed, face, synthetic};
}

QList<TFontFace> MatchFontFaces(IZorFMXSystemFontsService& Service, const TFontRequest& Request)
{
    QList<TFontFace> faces;
    const auto add = [&](const QString& family) {
        for (const TFontFace& face : faces)
            if (face.Family().compare(family, Qt::CaseInsensitive) == 0)
                return;
        const TFontFace face = MatchFontFace(Service, family, Request.Weight, Request.Slant);
        if (face.IsValid())
            faces.append(face);
    };
    for (const QString& name : Request.Families) {
        if (const auto generic = FindGenericFontFamily(name)) {
            const QString family = Service.GenericFamily(*generic);
            add(family.isEmpty() ? Service.FallbackFamily() : family);
        } else {
            add(name);
        }
    }
    if (faces.isEmpty())
        add(Service.FallbackFamily());
    return faces;
}

} // namespace zor
