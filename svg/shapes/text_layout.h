#pragma once
// The layout of one text: the characters of the root's subtree, collected
// into chunks, are given glyphs from the matched fonts, placed along their
// lines (or their paths), shifted for text-anchor per chunk and handed to the
// elements they belong to, together with the decoration lines.

#include <QPointF>
#include <map>
#include <vector>

#include "platform/glyph_service.h"
#include "svg/shapes/text_chunks.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"

namespace zor {

class TSVGTextLayout {
public:
    explicit TSVGTextLayout(TSVGCustomText& Root);
    ~TSVGTextLayout();
    TSVGTextLayout(const TSVGTextLayout&) = delete;
    TSVGTextLayout& operator=(const TSVGTextLayout&) = delete;

    // Lays the text out into the placed glyphs and decorations of its
    // elements (emptied before). The result is the advance of the text
    // along its main axis.
    double Run();

private:
    // One character as measured: its glyph, its advance with the spacing
    // after it, and the offset of its baseline (down positive).
    struct TMeasure {
        TGlyph Glyph;
        double GlyphAdvance = 0;
        double Advance = 0;
        double Shift = 0;
    };
    struct TElementFonts {
        TGlyphFont Font;
        // Small capitals: lower-case letters in capitals of this size.
        TGlyphFont Small;
        TGlyphFontMetrics Metrics;
    };
    // A straight piece of a decoration owner's line.
    struct TDecorationLine {
        TSVGCustomText* Owner;
        QPointF Start;
        double Length;
        double Angle;
    };
    struct TPathState {
        explicit TPathState(const TZorPathData& Path)
            : Sampler(Path)
        {
        }
        TSVGPathSampler Sampler;
        double Distance = 0;
        double Perpendicular = 0;
    };
    struct TPlaced {
        TSVGCustomText* Element;
        TSVGPlacedGlyph Glyph;
    };

    const TElementFonts& FontsOf(TSVGCustomText* Element);
    TMeasure Measure(const TSVGCharChunk& Char, bool& TitleStart);
    // Adds the fonts' pair kerning to the advances.
    void ApplyKerning(const TSVGTextChunks& Chunks, std::vector<std::vector<TMeasure>>& Measures);
    // Places a chunk along its line; the position runs on.
    void PlaceLine(const TSVGTextChunk& Chunk, const std::vector<TMeasure>& Measures);
    // Places a chunk inside a text path along the path.
    void PlaceOnPath(const TSVGTextChunk& Chunk, const std::vector<TMeasure>& Measures, TSVGTextPath& Path);
    TPathState& PathStateOf(TSVGTextPath& Path);
    // The placement of a glyph whose baseline origin goes to At, turned by Angle.
    static QTransform Placement(QPointF Origin, double Angle, QPointF At);
    // Adds a decoration piece of Element's owner, from Start along Angle for Length.
    void AddDecoration(TSVGCustomText* Element, QPointF Start, double Length, double Angle);
    // Hands the placed glyphs and decoration lines of a chunk to their elements.
    void Commit(QPointF Offset);

    TSVGCustomText& FRoot;
    bool FVertical;
    QPointF FPosition;
    std::map<const TSVGCustomText*, TElementFonts> FFonts;
    std::map<const TSVGTextPath*, TPathState> FPaths;
    std::map<const TSVGTextPath*, double> FPathAdvances;
    std::vector<TPlaced> FPlaced;
    std::vector<TDecorationLine> FDecorations;
    double FAdvance = 0;
};

} // namespace zor
