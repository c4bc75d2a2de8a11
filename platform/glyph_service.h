#pragma once
// Glyphs for laying out text: for a font request at a size, each character's
// glyph (advance, outline, ink bounds) from the first matched face that has
// the character, else from another installed font that has it, as browsers
// do; and the font's metrics. Per-character work is cached by font and
// character, whatever the size, so laying out the same text again only
// scales cached outlines.
//
// Threads: every operation may be called from any thread. Cached glyphs are
// shared by all threads under one lock and never change once cached; the
// platform's raw fonts (QRawFont), which belong to the thread that made them,
// live only within one call on the calling thread.

#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QStringView>
#include <QTransform>
#include <cstddef>
#include <memory>

#include "platform/font_matching.h"

namespace zor {

enum class TGlyphBaseline {
    gbAlphabetic, gbIdeographic, gbHanging, gbMathematical, gbCentral, gbMiddle, gbTextBeforeEdge, gbTextAfterEdge
};
constexpr std::size_t EnumCount(TGlyphBaseline) { return 8; }

// Metrics of a font at its size, in user units. Positions are y offsets from
// the alphabetic baseline, downwards positive.
struct TGlyphFontMetrics {
    double Ascent = 0; // above the baseline, positive
    double Descent = 0; // below the baseline, positive
    double XHeight = 0;
    double CapHeight = 0;
    double UnderlinePosition = 0; // the middle of an underline (below: positive)
    double UnderlineThickness = 0;
    double StrikeOutPosition = 0; // the middle of a line-through (above: negative)
    double StrikeOutThickness = 0;

    // Ascent and descent: also the vertical advance, which the platform lacks.
    double Height() const { return Ascent + Descent; }
    double OverlinePosition() const { return -Ascent; }
    // The y offset of Baseline from the alphabetic baseline.
    double BaselineOffset(TGlyphBaseline Baseline) const;
    TGlyphFontMetrics Scaled(double Factor) const;
};

struct TGlyphData;
struct TMatchedFont;
class TGlyphService;

// One character's glyph at a size. A default glyph is empty: no advance,
// nothing drawn.
class TGlyph {
public:
    TGlyph() = default;

    char32_t Character() const;
    // The glyph's index within its face.
    quint32 GlyphIndex() const;
    // The face the glyph comes from; another than the font's first face when
    // that lacks the character.
    const TFontFace& Face() const;
    // No installed font has the character: the glyph is the first face's
    // missing-glyph box.
    bool IsMissing() const;
    double Size() const { return FSize; }
    double Advance() const;
    // The height of the glyph's face.
    double VerticalAdvance() const;
    // The ink's bounds, origin on the baseline; empty for a blank glyph.
    QRectF Bounds() const;
    // The outline at the size, origin on the baseline, y downwards, non-zero
    // fill; then mapped by Placement.
    QPainterPath Outline(const QTransform& Placement = {}) const;

private:
    friend class TGlyphService;
    TGlyph(std::shared_ptr<const TGlyphData> Data, double Size);

    std::shared_ptr<const TGlyphData> FData;
    double FSize = 0;
};

// A matched font at a pixel size: what text layout asks for glyphs. Cheap to
// copy; a default font has no faces and gives empty glyphs. A font must not
// outlive the service that made it.
class TGlyphFont {
public:
    TGlyphFont() = default;

    // The matched faces in CSS order; empty only when nothing is installed.
    const QList<TFontFace>& Faces() const;
    // The first face; invalid when there is none.
    TFontFace Face() const;
    double Size() const { return FSize; }
    // The metrics of the first face.
    TGlyphFontMetrics Metrics() const;

    TGlyph Glyph(char32_t Character) const;
    // One glyph per character of Text; a surrogate pair is one character.
    QList<TGlyph> Glyphs(QStringView Text) const;
    // The advances of Text's glyphs added up.
    double TextWidth(QStringView Text) const;
    // What the font's pair kerning adds to Left's advance when Right follows
    // it (negative: closer); 0 for glyphs of different faces or sizes.
    double Kerning(const TGlyph& Left, const TGlyph& Right) const;

private:
    friend class TGlyphService;
    TGlyphFont(TGlyphService* Service, std::shared_ptr<const TMatchedFont> Font, double Size);

    TGlyphService* FService = nullptr;
    std::shared_ptr<const TMatchedFont> FFont;
    double FSize = 0;
};

// Matches fonts through the installed-font service in use and caches matched
// fonts and glyphs. When the service or the platform's fonts change, the
// caches are dropped at the next Font request.
class TGlyphService {
public:
    // About 1.5 KB per cached glyph.
    static constexpr std::size_t DefaultGlyphCapacity = 8192;
    static constexpr std::size_t FontCapacity = 256;
    // Kerned pairs kept (about 100 bytes each).
    static constexpr std::size_t KerningCapacity = 65536;

    struct TStatistics {
        std::size_t CachedGlyphs = 0;
        std::size_t CachedFonts = 0;
        std::size_t GlyphHits = 0;
        std::size_t GlyphMisses = 0;
    };

    explicit TGlyphService(std::size_t GlyphCapacity = DefaultGlyphCapacity);
    ~TGlyphService();
    TGlyphService(const TGlyphService&) = delete;
    TGlyphService& operator=(const TGlyphService&) = delete;

    // The font for Request at PixelSize (a negative or non-finite size is 0).
    TGlyphFont Font(const TFontRequest& Request, double PixelSize);
    // Drops every cached font and glyph.
    void Clear();
    TStatistics Statistics() const;

private:
    friend class TGlyphFont;
    struct TState;

    // Characters are code points, as QStringView::toUcs4 gives them.
    QList<TGlyph> Glyphs(const TGlyphFont& Font, const QList<uint>& Characters);
    // The pair kerning of two glyphs of one face, per em; cached by face and pair.
    double KerningPerEm(const TGlyph& Left, const TGlyph& Right);

    std::unique_ptr<TState> FState;
};

// The service text layout uses.
TGlyphService& GlyphService();

} // namespace zor
