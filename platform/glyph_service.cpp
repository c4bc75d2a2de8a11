#include "platform/glyph_service.h"

#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QTextLayout>
#include <QtEndian>
#include <array>
#include <cmath>
#include <mutex>

#include "platform/bounded_cache.h"
#include "platform/enum_table.h"

namespace zor {

// Raw fonts are loaded at this pixel size, unhinted, and what is cached is
// divided by it: glyph data per em, scaled to any size on use.
constexpr int EmPixels = 1000;

// What a TGlyph scales: one character's glyph per em.
struct TGlyphData {
    char32_t Character = 0;
    quint32 Index = 0;
    TFontFace Face;
    bool Missing = false;
    double Advance = 0;
    double VerticalAdvance = 0;
    QRectF Bounds;
    // Shared by threads: only read once cached. Its bounds are computed
    // before, so that const calls never fill them lazily from two threads.
    QPainterPath Outline;
};

struct TMatchedFont {
    // Identifies the list of faces; glyphs are cached under it.
    std::uint64_t Id = 0;
    QList<TFontFace> Faces;
    int Weight = RegularFontWeight;
    TFontSlant Slant = TFontSlant::slNormal;
    // The service the faces were matched with, for fallback families; not
    // kept alive by cached fonts once it is no longer installed.
    std::weak_ptr<IZorFMXSystemFontsService> Service;
    // Of the first face, per em.
    TGlyphFontMetrics Metrics;
};

namespace {

struct TBaselineRow {
    TGlyphBaseline Baseline;
    // The offset is Ascent × AscentFactor + Descent × DescentFactor + XHeight × XHeightFactor.
    double AscentFactor;
    double DescentFactor;
    double XHeightFactor;
};

// Fonts rarely carry baseline tables; these are the usual derivations from
// ascent, descent and x-height.
constexpr std::array<TBaselineRow, EnumCount(TGlyphBaseline{})> BaselineRows = {{
    {TGlyphBaseline::gbAlphabetic, 0, 0, 0},
    {TGlyphBaseline::gbIdeographic, 0, 1, 0},
    {TGlyphBaseline::gbHanging, -0.8, 0, 0},
    {TGlyphBaseline::gbMathematical, -0.5, 0, 0},
    {TGlyphBaseline::gbCentral, -0.5, 0.5, 0},
    {TGlyphBaseline::gbMiddle, 0, 0, -0.5},
    {TGlyphBaseline::gbTextBeforeEdge, -1, 0, 0},
    {TGlyphBaseline::gbTextAfterEdge, 0, 1, 0},
}};
static_assert(RowsFollowTheEnumeration<&TBaselineRow::Baseline>(BaselineRows));

// Glyph cache keys: the font's id above the 21 bits of a character.
std::uint64_t GlyphKey(std::uint64_t FontId, char32_t Character)
{
    return (FontId << 21) | (Character & 0x1FFFFF);
}

qint16 BigEndianInt16(const QByteArray& Table, qsizetype Offset)
{
    return static_cast<qint16>((static_cast<quint8>(Table[Offset]) << 8) | static_cast<quint8>(Table[Offset + 1]));
}

QRawFont LoadRawFont(const TFontFace& Face)
{
    QFont font = Face.ToFont(EmPixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QRawFont::fromFont(font);
}

// Per em. The line-through comes from the OS/2 table, which the platform
// does not read (its own guess is a third of the ascent).
TGlyphFontMetrics MetricsOf(const QRawFont& Raw)
{
    TGlyphFontMetrics metrics;
    if (!Raw.isValid())
        return metrics;
    metrics.Ascent = Raw.ascent() / EmPixels;
    metrics.Descent = Raw.descent() / EmPixels;
    metrics.XHeight = Raw.xHeight() / EmPixels;
    metrics.CapHeight = Raw.capHeight() / EmPixels;
    metrics.UnderlinePosition = Raw.underlinePosition() / EmPixels;
    metrics.UnderlineThickness = Raw.lineThickness() / EmPixels;
    // OS/2: yStrikeoutSize at byte 26, yStrikeoutPosition (the stroke's top,
    // upwards) at byte 28, in font units.
    const QByteArray os2 = Raw.fontTable("OS/2");
    const double unitsPerEm = Raw.unitsPerEm();
    const double size = os2.size() >= 30 ? BigEndianInt16(os2, 26) : 0;
    if (size > 0 && unitsPerEm > 0) {
        metrics.StrikeOutThickness = size / unitsPerEm;
        metrics.StrikeOutPosition = -(BigEndianInt16(os2, 28) - size / 2) / unitsPerEm;
    } else {
        metrics.StrikeOutThickness = metrics.UnderlineThickness;
        metrics.StrikeOutPosition = metrics.XHeight > 0 ? -metrics.XHeight / 2 : -metrics.Ascent / 3;
    }
    return metrics;
}

// The raw fonts one call loads, on the calling thread, by face.
class TRawFonts {
public:
    QRawFont Get(const TFontFace& Face)
    {
        const QString key = Face.Key();
        auto found = FFonts.find(key);
        if (found == FFonts.end())
            found = FFonts.insert(key, LoadRawFont(Face));
        return *found;
    }

private:
    QHash<QString, QRawFont> FFonts;
};

std::shared_ptr<const TGlyphData> MakeGlyph(const QRawFont& Raw, const TFontFace& Face, char32_t Character,
                                            bool Missing)
{
    auto data = std::make_shared<TGlyphData>();
    data->Character = Character;
    data->Face = Face;
    data->Missing = Missing;
    if (!Raw.isValid())
        return data;
    if (!Missing) {
        const QList<quint32> indexes = Raw.glyphIndexesForString(QString::fromUcs4(&Character, 1));
        data->Index = indexes.isEmpty() ? 0 : indexes.first();
    }
    const QTransform perEm = QTransform::fromScale(1.0 / EmPixels, 1.0 / EmPixels);
    const QList<QPointF> advances = Raw.advancesForGlyphIndexes({data->Index}, QRawFont::UseDesignMetrics);
    data->Advance = advances.isEmpty() ? 0 : advances.first().x() / EmPixels;
    data->VerticalAdvance = (Raw.ascent() + Raw.descent()) / EmPixels;
    data->Outline = perEm.map(Raw.pathForGlyph(data->Index));
    data->Outline.setFillRule(Qt::WindingFill);
    // Computed now, so that threads reading the cached path never fill its
    // lazily cached bounds at the same time.
    data->Bounds = data->Outline.boundingRect();
    data->Outline.controlPointRect();
    return data;
}

// Pair kerning as the platform's text shaping applies it (the kerning of
// the font's positioning tables as well as its old kerning table), per em.
double ShapedKerning(const TFontFace& Face, char32_t Left, char32_t Right, quint32 LeftIndex, quint32 RightIndex)
{
    QFont font = Face.ToFont(EmPixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setKerning(true);
    const char32_t pair[] = {Left, Right};
    QTextLayout layout(QString::fromUcs4(pair, 2), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    // Ligatures, reordering and substitutions are not pair kerning.
    if (runs.size() != 1 || runs.first().glyphIndexes() != QList<quint32>{LeftIndex, RightIndex})
        return 0;
    const QList<QPointF> positions = runs.first().positions();
    const QList<QPointF> advances =
        runs.first().rawFont().advancesForGlyphIndexes({LeftIndex}, QRawFont::UseDesignMetrics);
    if (positions.size() != 2 || advances.isEmpty())
        return 0;
    return (positions[1].x() - positions[0].x() - advances.first().x()) / EmPixels;
}

// The family a face names itself in its "name" table (name 1, Windows or
// Mac platform). QRawFont::familyName cannot be used on fallback faces: it
// reads past an empty family list for faces the platform could not name.
QString FamilyNameOf(const QRawFont& Font)
{
    const QByteArray table = Font.fontTable("name");
    const auto word = [&table](qsizetype At) -> int {
        return At + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + At) : -1;
    };
    const int count = word(2);
    const int strings = word(4);
    QString mac;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + qsizetype(i) * 12;
        const int platform = word(record), nameID = word(record + 6);
        const int length = word(record + 8), offset = word(record + 10);
        if (nameID != 1 || offset < 0 || length < 0 || strings + offset + length > table.size())
            continue;
        const char* text = table.constData() + strings + offset;
        if (platform == 3) {
            QString name;
            for (int k = 0; k + 1 < length; k += 2)
                name += QChar(qFromBigEndian<quint16>(text + k));
            return name;
        }
        if (platform == 1 && mac.isEmpty())
            mac = QString::fromLatin1(text, length);
    }
    return mac;
}

// The face of another installed font that has Character: the one the
// platform's font configuration falls back to, else the first of the
// service's families that has it.
TFontFace FallbackFace(const TMatchedFont& Font, char32_t Character, TRawFonts& Raw)
{
    std::shared_ptr<IZorFMXSystemFontsService> service = Font.Service.lock();
    if (!service)
        service = CurrentFontsService();
    QTextLayout layout(QString::fromUcs4(&Character, 1), Font.Faces.first().ToFont(EmPixels));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    bool platformFound = false;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (!run.rawFont().supportsCharacter(Character))
            continue;
        platformFound = true;
        const TFontFace face = MatchFontFace(*service, FamilyNameOf(run.rawFont()), Font.Weight, Font.Slant);
        if (face.IsValid() && Raw.Get(face).supportsCharacter(Character))
            return face;
    }
    // The platform knows every installed font: what it cannot find, no
    // family of the service has. What it found may lie outside the service.
    if (!platformFound)
        return {};
    for (const QString& family : service->Families()) {
        const TFontFace face = MatchFontFace(*service, family, Font.Weight, Font.Slant);
        if (face.IsValid() && Raw.Get(face).supportsCharacter(Character))
            return face;
    }
    return {};
}

std::shared_ptr<const TGlyphData> ResolveGlyph(const TMatchedFont& Font, char32_t Character, TRawFonts& Raw)
{
    if (Font.Faces.isEmpty())
        return MakeGlyph(QRawFont(), TFontFace(), Character, true);
    for (const TFontFace& face : Font.Faces) {
        const QRawFont raw = Raw.Get(face);
        if (raw.supportsCharacter(Character))
            return MakeGlyph(raw, face, Character, false);
    }
    const TFontFace fallback = FallbackFace(Font, Character, Raw);
    if (fallback.IsValid())
        return MakeGlyph(Raw.Get(fallback), fallback, Character, false);
    return MakeGlyph(Raw.Get(Font.Faces.first()), Font.Faces.first(), Character, true);
}

QString FontKey(const TFontRequest& Request)
{
    return QStringLiteral("%1|%2|%3")
        .arg(Request.Families.join(u'\n').toLower())
        .arg(Request.Weight)
        .arg(static_cast<int>(Request.Slant));
}

QString FacesKey(const QList<TFontFace>& Faces)
{
    QStringList keys;
    for (const TFontFace& face : Faces)
        keys.append(face.Key());
    return keys.join(u'\n');
}

const TFontFace& NoFace()
{
    static const TFontFace none;
    return none;
}

const TMatchedFont& NoFont()
{
    static const TMatchedFont none;
    return none;
}

} // namespace

double TGlyphFontMetrics::BaselineOffset(TGlyphBaseline Baseline) const
{
    const TBaselineRow& row = BaselineRows[static_cast<std::size_t>(Baseline)];
    return Ascent * row.AscentFactor + Descent * row.DescentFactor + XHeight * row.XHeightFactor;
}

TGlyphFontMetrics TGlyphFontMetrics::Scaled(double Factor) const
{
    TGlyphFontMetrics scaled = *this;
    for (double* value : {&scaled.Ascent, &scaled.Descent, &scaled.XHeight, &scaled.CapHeight,
                          &scaled.UnderlinePosition, &scaled.UnderlineThickness, &scaled.StrikeOutPosition,
                          &scaled.StrikeOutThickness})
        *value *= Factor;
    return scaled;
}

TGlyph::TGlyph(std::shared_ptr<const TGlyphData> Data, double Size)
    : FData(std::move(Data))
    , FSize(Size)
{
}

char32_t TGlyph::Character() const
{
    return FData ? FData->Character : 0;
}

quint32 TGlyph::GlyphIndex() const
{
    return FData ? FData->Index : 0;
}

const TFontFace& TGlyph::Face() const
{
    return FData ? FData->Face : NoFace();
}

bool TGlyph::IsMissing() const
{
    return FData && FData->Missing;
}

double TGlyph::Advance() const
{
    return FData ? FData->Advance * FSize : 0;
}

double TGlyph::VerticalAdvance() const
{
    return FData ? FData->VerticalAdvance * FSize : 0;
}

QRectF TGlyph::Bounds() const
{
    if (!FData)
        return {};
    const QRectF& b = FData->Bounds;
    return {b.x() * FSize, b.y() * FSize, b.width() * FSize, b.height() * FSize};
}

QPainterPath TGlyph::Outline(const QTransform& Placement) const
{
    if (!FData)
        return {};
    // Mapping copies the shared path before writing (copy on write), so
    // threads mapping one cached outline at once only read it.
    return (QTransform::fromScale(FSize, FSize) * Placement).map(FData->Outline);
}

TGlyphFont::TGlyphFont(TGlyphService* Service, std::shared_ptr<const TMatchedFont> Font, double Size)
    : FService(Service)
    , FFont(std::move(Font))
    , FSize(Size)
{
}

const QList<TFontFace>& TGlyphFont::Faces() const
{
    return (FFont ? *FFont : NoFont()).Faces;
}

TFontFace TGlyphFont::Face() const
{
    return Faces().isEmpty() ? TFontFace() : Faces().first();
}

TGlyphFontMetrics TGlyphFont::Metrics() const
{
    return (FFont ? *FFont : NoFont()).Metrics.Scaled(FSize);
}

TGlyph TGlyphFont::Glyph(char32_t Character) const
{
    if (FService == nullptr)
        return {};
    // Beyond Unicode there are no characters; such a value draws as one
    // that cannot be read.
    const char32_t c = Character <= QChar::LastValidCodePoint ? Character : char32_t(QChar::ReplacementCharacter);
    return FService->Glyphs(*this, {uint(c)}).first();
}

QList<TGlyph> TGlyphFont::Glyphs(QStringView Text) const
{
    const QList<uint> characters = Text.toUcs4();
    if (FService == nullptr)
        return QList<TGlyph>(characters.size());
    return FService->Glyphs(*this, characters);
}

double TGlyphFont::Kerning(const TGlyph& Left, const TGlyph& Right) const
{
    if (FService == nullptr || Left.Size() != Right.Size() || Left.IsMissing() || Right.IsMissing()
        || !(Left.Face() == Right.Face()) || !Left.Face().IsValid())
        return 0;
    return FService->KerningPerEm(Left, Right) * Left.Size();
}

double TGlyphFont::TextWidth(QStringView Text) const
{
    double width = 0;
    for (const TGlyph& glyph : Glyphs(Text))
        width += glyph.Advance();
    return width;
}

struct TGlyphService::TState {
    explicit TState(std::size_t GlyphCapacity)
        : Glyphs(GlyphCapacity)
    {
    }

    mutable std::mutex Lock;
    std::uint64_t Generation = 0;
    TBoundedCache<QString, std::shared_ptr<const TMatchedFont>> Fonts{FontCapacity};
    // Ids of face lists, so that requests matching the same faces share glyphs.
    QHash<QString, std::uint64_t> FontIds;
    std::uint64_t NextFontId = 1;
    TBoundedCache<std::uint64_t, std::shared_ptr<const TGlyphData>> Glyphs;
    // Pair kerning per em by face and glyph pair; emptied when it grows past
    // KerningCapacity.
    QHash<QString, double> Kernings;
    std::size_t Hits = 0;
    std::size_t Misses = 0;

    void Clear()
    {
        Fonts.Clear();
        FontIds.clear();
        Glyphs.Clear();
        Kernings.clear();
    }
};

TGlyphService::TGlyphService(std::size_t GlyphCapacity)
    : FState(std::make_unique<TState>(GlyphCapacity))
{
}

TGlyphService::~TGlyphService() = default;

TGlyphFont TGlyphService::Font(const TFontRequest& Request, double PixelSize)
{
    const double size = std::isfinite(PixelSize) && PixelSize > 0 ? PixelSize : 0;
    const QString key = FontKey(Request);
    const std::uint64_t generation = FontsServiceGeneration();
    {
        std::lock_guard guard(FState->Lock);
        if (FState->Generation != generation) {
            FState->Clear();
            FState->Generation = generation;
        }
        if (const auto* found = FState->Fonts.Find(key))
            return TGlyphFont(this, *found, size);
    }
    auto font = std::make_shared<TMatchedFont>();
    const std::shared_ptr<IZorFMXSystemFontsService> service = CurrentFontsService();
    font->Service = service;
    font->Faces = MatchFontFaces(*service, Request);
    font->Weight = Request.Weight;
    font->Slant = Request.Slant;
    // Nothing installed, or no font database yet (no application object):
    // not cached, so that a later request can match what comes.
    if (font->Faces.isEmpty())
        return TGlyphFont(this, std::move(font), size);
    font->Metrics = MetricsOf(LoadRawFont(font->Faces.first()));
    const QString facesKey = FacesKey(font->Faces);
    std::lock_guard guard(FState->Lock);
    // Face lists are few; the bound only guards against a flood of them.
    if (FState->FontIds.size() >= static_cast<qsizetype>(FontCapacity * 16))
        FState->FontIds.clear();
    auto id = FState->FontIds.find(facesKey);
    if (id == FState->FontIds.end())
        id = FState->FontIds.insert(facesKey, FState->NextFontId++);
    font->Id = *id;
    std::shared_ptr<const TMatchedFont> shared = std::move(font);
    FState->Fonts.Insert(key, shared);
    return TGlyphFont(this, std::move(shared), size);
}

QList<TGlyph> TGlyphService::Glyphs(const TGlyphFont& Font, const QList<uint>& Characters)
{
    const TMatchedFont& font = *Font.FFont;
    QList<TGlyph> glyphs(Characters.size());
    QList<qsizetype> missed;
    {
        std::lock_guard guard(FState->Lock);
        for (qsizetype i = 0; i < Characters.size(); ++i) {
            if (const auto* found = FState->Glyphs.Find(GlyphKey(font.Id, Characters[i])))
                glyphs[i] = TGlyph(*found, Font.FSize);
            else
                missed.append(i);
        }
        FState->Hits += Characters.size() - missed.size();
    }
    if (missed.isEmpty())
        return glyphs;
    // Outside the lock: loading fonts and outlines is the slow part.
    TRawFonts raw;
    // In the order of the text, so that the cache drops its start first.
    QList<std::pair<char32_t, std::shared_ptr<const TGlyphData>>> made;
    QHash<char32_t, qsizetype> madeIndex;
    for (qsizetype i : missed) {
        const char32_t c = Characters[i];
        auto found = madeIndex.find(c);
        if (found == madeIndex.end()) {
            found = madeIndex.insert(c, made.size());
            made.append({c, ResolveGlyph(font, c, raw)});
        }
        glyphs[i] = TGlyph(made[*found].second, Font.FSize);
    }
    std::lock_guard guard(FState->Lock);
    FState->Misses += made.size();
    FState->Hits += missed.size() - made.size();
    for (const auto& [c, data] : made)
        FState->Glyphs.Insert(GlyphKey(font.Id, c), data);
    return glyphs;
}

double TGlyphService::KerningPerEm(const TGlyph& Left, const TGlyph& Right)
{
    const QString key = Left.Face().Key() + u'/' + QString::number(Left.GlyphIndex()) + u'/'
                      + QString::number(Right.GlyphIndex());
    {
        std::lock_guard guard(FState->Lock);
        if (auto found = FState->Kernings.constFind(key); found != FState->Kernings.cend())
            return *found;
    }
    // Outside the lock: shaping is the slow part.
    const double kerning =
        ShapedKerning(Left.Face(), Left.Character(), Right.Character(), Left.GlyphIndex(), Right.GlyphIndex());
    std::lock_guard guard(FState->Lock);
    if (FState->Kernings.size() >= static_cast<qsizetype>(KerningCapacity))
        FState->Kernings.clear();
    FState->Kernings.insert(key, kerning);
    return kerning;
}

void TGlyphService::Clear()
{
    std::lock_guard guard(FState->Lock);
    FState->Clear();
}

TGlyphService::TStatistics TGlyphService::Statistics() const
{
    std::lock_guard guard(FState->Lock);
    return {FState->Glyphs.Count(), FState->Fonts.Count(), FState->Hits, FState->Misses};
}

TGlyphService& GlyphService()
{
    static TGlyphService service;
    return service;
}

} // namespace zor
