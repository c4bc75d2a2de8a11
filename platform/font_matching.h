#pragma once
// CSS font matching over the installed-font service: a family list picks its
// installed families in order (generic names through the platform's font
// configuration), and each family the face closest to a weight and slant.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/font_service.h"

namespace zor {

inline constexpr int RegularFontWeight = 400;
inline constexpr int BoldFontWeight = 700;

// The weights "bolder" and "lighter" give relative to the inherited weight.
int BolderFontWeight(int Inherited);
int LighterFontWeight(int Inherited);

struct TFontRequest {
    QStringList Families; // in CSS order, unquoted
    int Weight = RegularFontWeight; // 1 to 1000
    TFontSlant Slant = TFontSlant::slNormal;
};

// The face CSS matching takes from Faces (not empty) for a weight and slant.
// The slant comes first: italic falls back to oblique, oblique to italic, and
// either to normal; normal to oblique, then italic. Then, among the faces of
// that slant, the weight itself or: below 400 lighter weights first, above
// 500 heavier weights first, from 400 to 500 the weights up to 500 first.
TFontFaceInfo ChooseFontFace(const QList<TFontFaceInfo>& Faces, int Weight, TFontSlant Slant);

// A face of an installed family. A family with neither italic nor oblique
// faces gets its slant synthesised (sheared) by the platform. Bold is not
// synthesised (the platform makes no bold outlines): a family without bold
// faces gives the face CSS chooses among those it has.
class TFontFace {
public:
    TFontFace() = default;
    TFontFace(const QString& Family, const TFontFaceInfo& Info, bool SyntheticSlant);

    bool IsValid() const { return !FFamily.isEmpty(); }
    const QString& Family() const { return FFamily; }
    int Weight() const { return FInfo.Weight; }
    // The face's slant, or the requested one when it is synthesised.
    TFontSlant Slant() const { return FInfo.Slant; }
    bool IsSyntheticSlant() const { return FSyntheticSlant; }

    // The platform font of this face, for drawing text with the painter and
    // for QFontMetricsF. Platform font sizes are whole pixels (at least 1).
    QFont ToFont(int PixelSize) const;
    // Identifies the face among all faces, for cache keys.
    QString Key() const;

    friend bool operator==(const TFontFace&, const TFontFace&) = default;

private:
    QString FFamily;
    TFontFaceInfo FInfo;
    bool FSyntheticSlant = false;
};

// The face of an installed family (any letter case) for a weight and slant;
// an invalid face when the family is not installed.
TFontFace MatchFontFace(IZorFMXSystemFontsService& Service, const QString& Family, int Weight, TFontSlant Slant);

// The faces for a request in CSS order: every installed family of the list,
// generic names resolved by the service, each once; the service's fallback
// family when the list names none that is installed. Text takes each
// character from the first of them that has it. Empty only when nothing is
// installed.
QList<TFontFace> MatchFontFaces(IZorFMXSystemFontsService& Service, const TFontRequest& Request);

} // namespace zor
