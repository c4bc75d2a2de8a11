// Text layout: glyphs, positions, text-anchor, decorations and text on paths.

#include "svg/shapes/text_layout.h"

#include <QChar>
#include <QLineF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>

#include "svg/shapes/text_content.h"
#include "svg/shapes/text_font.h"

namespace zor {

namespace {

// Lower-case letters of small capitals are capitals of this size.
constexpr double SmallCapsScale = 0.66;
// Sub- and superscripts move by this part of the font size.
constexpr double ScriptShift = 0.4;

double AnchorFactor(TSVGTextAlign Align)
{
    switch (Align) {
    case TSVGTextAlign::staCenter:
        return 0.5;
    case TSVGTextAlign::staTrailing:
        return 1;
    default:
        return 0;
    }
}

std::optional<TGlyphBaseline> GlyphBaselineOf(TSVGAlignmentBaseline Baseline)
{
    switch (Baseline) {
    case TSVGAlignmentBaseline::abBeforeEdge:
    case TSVGAlignmentBaseline::abTextBeforeEdge:
        return TGlyphBaseline::gbTextBeforeEdge;
    case TSVGAlignmentBaseline::abMiddle:
        return TGlyphBaseline::gbMiddle;
    case TSVGAlignmentBaseline::abCentral:
        return TGlyphBaseline::gbCentral;
    case TSVGAlignmentBaseline::abAfterEdge:
    case TSVGAlignmentBaseline::abTextAfterEdge:
        return TGlyphBaseline::gbTextAfterEdge;
    case TSVGAlignmentBaseline::abIdeographic:
        return TGlyphBaseline::gbIdeographic;
    case TSVGAlignmentBaseline::abHanging:
        return TGlyphBaseline::gbHanging;
    case TSVGAlignmentBaseline::abMathematical:
        return TGlyphBaseline::gbMathematical;
    default:
        return std::nullopt;
    }
}

std::optional<TGlyphBaseline> GlyphBaselineOf(TSVGDominantBaseline Baseline)
{
    switch (Baseline) {
    case TSVGDominantBaseline::dbTextBeforeEdge:
        return TGlyphBaseline::gbTextBeforeEdge;
    case TSVGDominantBaseline::dbMiddle:
        return TGlyphBaseline::gbMiddle;
    case TSVGDominantBaseline::dbCentral:
        return TGlyphBaseline::gbCentral;
    case TSVGDominantBaseline::dbTextAfterEdge:
        return TGlyphBaseline::gbTextAfterEdge;
    case TSVGDominantBaseline::dbIdeographic:
        return TGlyphBaseline::gbIdeographic;
    case TSVGDominantBaseline::dbHanging:
        return TGlyphBaseline::gbHanging;
    case TSVGDominantBaseline::dbMathematical:
        return TGlyphBaseline::gbMathematical;
    default:
        return std::nullopt;
    }
}

// The baseline an element's characters sit on: its alignment-baseline, else
// the dominant baseline of the element or of the text around it.
std::optional<TGlyphBaseline> AlignedBaseline(const TSVGCustomText& Element)
{
    if (auto baseline = GlyphBaselineOf(Element.ResolvedValues().AlignmentBaseline))
        return baseline;
    for (const TSVGElement* e = &Element; e != nullptr; e = e->Parent()) {
        const auto* text = dynamic_cast<const TSVGCustomText*>(e);
        if (text == nullptr)
            break;
        if (auto baseline = GlyphBaselineOf(text->ResolvedValues().DominantBaseline))
            return baseline;
    }
    return std::nullopt;
}

// The offset of the baseline for baseline-shift, down positive.
double BaselineShiftOf(const TSVGCustomText& Element, double FontSize)
{
    const TSVGBaselineShiftLength& shift = Element.ResolvedValues().BaselineShift;
    switch (shift.Shift()) {
    case TSVGBaselineShift::bsSubscript:
        return ScriptShift * FontSize;
    case TSVGBaselineShift::bsSuperscript:
        return -ScriptShift * FontSize;
    case TSVGBaselineShift::bsPercentage:
        return -shift.Pixels() * FontSize;
    case TSVGBaselineShift::bsLength:
        return -shift.GetValue();
    default:
        return 0;
    }
}

// The elements whose decorations Element's characters carry, each drawn
// with that element's paint and font: every text element from Element up to
// the root that gives text-decoration a value of its own, and the root when
// it takes one from outside the text.
std::vector<TSVGCustomText*> DecorationOwners(TSVGCustomText* Element)
{
    std::vector<TSVGCustomText*> owners;
    for (TSVGCustomText* e = Element; e != nullptr; e = dynamic_cast<TSVGCustomText*>(e->Parent())) {
        const bool root = dynamic_cast<TSVGCustomText*>(e->Parent()) == nullptr;
        if ((root || !e->Inherits().Contains(TSVGStyleProperty::ipTextDecoration)) && e->Font().IsDecorated())
            owners.push_back(e);
    }
    return owners;
}

} // namespace

TSVGTextLayout::TSVGTextLayout(TSVGCustomText& Root)
    : FRoot(Root)
    , FVertical(Root.IsVertical())
{
}

TSVGTextLayout::~TSVGTextLayout() = default;

const TSVGTextLayout::TElementFonts& TSVGTextLayout::FontsOf(TSVGCustomText* Element)
{
    auto found = FFonts.find(Element);
    if (found == FFonts.end()) {
        TElementFonts fonts;
        fonts.Font = GlyphFontOf(*Element);
        if (Element->Font().FontVariant() == TSVGFontVariant::fvSmallCaps)
            fonts.Small = GlyphFontOf(*Element, SmallCapsScale);
        fonts.Metrics = fonts.Font.Metrics();
        found = FFonts.emplace(Element, std::move(fonts)).first;
    }
    return found->second;
}

TSVGTextLayout::TMeasure TSVGTextLayout::Measure(const TSVGCharChunk& Char, bool& TitleStart)
{
    TSVGCustomText* element = Char.Element;
    const TElementFonts& fonts = FontsOf(element);
    const TSVGFontVariant variant = element->Font().FontVariant();
    TMeasure m;
    if (variant == TSVGFontVariant::fvSmallCaps && QChar::isLower(Char.Char))
        m.Glyph = fonts.Small.Glyph(QChar::toUpper(Char.Char));
    else
        m.Glyph = fonts.Font.Glyph(ApplyFontVariant(Char.Char, variant, TitleStart));
    const bool upright = FVertical && Char.Char >= 255;
    m.GlyphAdvance = upright ? m.Glyph.VerticalAdvance() : m.Glyph.Advance();
    m.Advance = m.GlyphAdvance;
    const TSVGStyleValues& values = element->ResolvedValues();
    // A kerning length stands in for the font's own kerning, as extra space.
    if (!values.Kerning.Automatic())
        m.Advance += values.Kerning.GetValue();
    const TSVGStylePropertyAutoLength& spacing = Char.Char == u' ' ? values.WordSpacing : values.LetterSpacing;
    if (!spacing.Automatic())
        m.Advance += spacing.GetValue();
    const double size = element->Font().Size();
    m.Shift = BaselineShiftOf(*element, size);
    if (const auto baseline = AlignedBaseline(*element))
        m.Shift -= fonts.Metrics.BaselineOffset(*baseline);
    return m;
}

void TSVGTextLayout::ApplyKerning(const TSVGTextChunks& Chunks, std::vector<std::vector<TMeasure>>& Measures)
{
    for (std::size_t c = 0; c < Chunks.size(); ++c) {
        const TSVGCharChunks& chars = Chunks[c].Chars;
        for (std::size_t i = 0; i + 1 < chars.size(); ++i) {
            TSVGCustomText* element = chars[i].Element;
            // The font's own kerning, within one element, unless a kerning
            // length stands in for it.
            if (element == chars[i + 1].Element && element->ResolvedValues().Kerning.Automatic() && !FVertical) {
                const double kerning = FontsOf(element).Font.Kerning(Measures[c][i].Glyph, Measures[c][i + 1].Glyph);
                Measures[c][i].GlyphAdvance += kerning;
                Measures[c][i].Advance += kerning;
            }
        }
        for (std::size_t i = 0; i < chars.size(); ++i)
            if (TSVGTextPath* path = chars[i].Element->EnclosingTextPath())
                FPathAdvances[path] += Measures[c][i].Advance;
    }
}

QTransform TSVGTextLayout::Placement(QPointF Origin, double Angle, QPointF At)
{
    QTransform m = QTransform::fromTranslate(Origin.x(), Origin.y());
    if (Angle != 0)
        m *= QTransform().rotate(Angle);
    return m * QTransform::fromTranslate(At.x(), At.y());
}

double TSVGTextLayout::Run()
{
    TSVGTextChunks chunks;
    FRoot.BuildTextChunks(chunks);
    // Every character is measured first: a text path's anchor needs the
    // advance of all its characters before the first is placed.
    std::vector<std::vector<TMeasure>> measures(chunks.size());
    bool titleStart = true;
    for (std::size_t c = 0; c < chunks.size(); ++c)
        for (const TSVGCharChunk& r : chunks[c].Chars) {
            measures[c].push_back(Measure(r, titleStart));
        }
    ApplyKerning(chunks, measures);
    FPosition = QPointF();
    for (std::size_t c = 0; c < chunks.size(); ++c) {
        if (chunks[c].Chars.empty())
            continue;
        if (TSVGTextPath* path = chunks[c].Chars.front().Element->EnclosingTextPath())
            PlaceOnPath(chunks[c], measures[c], *path);
        else
            PlaceLine(chunks[c], measures[c]);
    }
    return FAdvance;
}

void TSVGTextLayout::PlaceLine(const TSVGTextChunk& Chunk, const std::vector<TMeasure>& Measures)
{
    double start = 0;
    for (std::size_t i = 0; i < Chunk.Chars.size(); ++i) {
        const TSVGCharChunk& r = Chunk.Chars[i];
        const TMeasure& m = Measures[i];
        if (r.XIsSpecified)
            FPosition.setX(r.X);
        if (r.YIsSpecified)
            FPosition.setY(r.Y);
        FPosition += QPointF(r.DX, r.DY);
        if (i == 0)
            start = FVertical ? FPosition.y() : FPosition.x();
        QTransform placement;
        if (!FVertical) {
            placement = Placement(QPointF(0, m.Shift), r.Rotate, FPosition);
            AddDecoration(r.Element, FPosition, m.Advance, r.Rotate);
        } else if (r.Char >= 255) {
            // Upright: the glyph hangs below the position, centred on the line.
            const TGlyphFontMetrics& metrics = FontsOf(r.Element).Metrics;
            placement = Placement(QPointF(-m.Glyph.Advance() / 2 - m.Shift, metrics.Ascent), r.Rotate, FPosition);
        } else {
            // Sideways: turned a quarter clockwise, its middle on the line.
            const TGlyphFontMetrics& metrics = FontsOf(r.Element).Metrics;
            placement = Placement(QPointF(0, (metrics.Ascent - metrics.Descent) / 2 + m.Shift), 90 + r.Rotate,
                                  FPosition);
        }
        if (!r.IsClipped)
            FPlaced.push_back({r.Element, {m.Glyph, placement}});
        if (FVertical)
            FPosition.ry() += m.Advance;
        else
            FPosition.rx() += m.Advance;
        FAdvance += m.Advance;
    }
    // text-anchor: the chunk's advance ends, starts or is centred on its start.
    const double width = (FVertical ? FPosition.y() : FPosition.x()) - start;
    const double shift = -AnchorFactor(Chunk.Chars.front().Element->GetTextAnchor()) * width;
    const QPointF offset = FVertical ? QPointF(0, shift) : QPointF(shift, 0);
    FPosition += offset;
    Commit(offset);
}

TSVGTextLayout::TPathState& TSVGTextLayout::PathStateOf(TSVGTextPath& Path)
{
    auto found = FPaths.find(&Path);
    if (found == FPaths.end()) {
        found = FPaths.try_emplace(&Path, Path.Path()).first;
        TPathState& state = found->second;
        // The anchor moves the start along the path, by the advance of all
        // the path's characters.
        state.Distance = Path.StartDistance(state.Sampler.Length())
                       - AnchorFactor(Path.GetTextAnchor()) * FPathAdvances[&Path];
    }
    return found->second;
}

void TSVGTextLayout::PlaceOnPath(const TSVGTextChunk& Chunk, const std::vector<TMeasure>& Measures,
                                 TSVGTextPath& Path)
{
    TPathState& state = PathStateOf(Path);
    for (std::size_t i = 0; i < Chunk.Chars.size(); ++i) {
        const TSVGCharChunk& r = Chunk.Chars[i];
        const TMeasure& m = Measures[i];
        if (r.XIsSpecified)
            state.Distance = r.X;
        state.Distance += r.DX;
        state.Perpendicular += r.DY;
        // The middle of the advance goes on the path; a character whose middle
        // is off the path is not drawn but still takes its room.
        QPointF point;
        double angle = 0;
        const double half = m.GlyphAdvance / 2;
        if (!r.IsClipped && state.Sampler.PointAt(state.Distance + half, point, angle)) {
            const QTransform placement = Placement(QPointF(-half, m.Shift + state.Perpendicular), angle + r.Rotate, point);
            FPlaced.push_back({r.Element, {m.Glyph, placement}});
            AddDecoration(r.Element, placement.map(QPointF(0, -m.Shift)), m.GlyphAdvance, angle + r.Rotate);
        }
        state.Distance += m.Advance;
        FAdvance += m.Advance;
    }
    // Text after the path goes on from where the path's text ended.
    QPointF end;
    double angle = 0;
    const double length = state.Sampler.Length();
    if (state.Sampler.PointAt(std::clamp(state.Distance, 0.0, length), end, angle))
        FPosition = end;
    Commit(QPointF());
}

void TSVGTextLayout::AddDecoration(TSVGCustomText* Element, QPointF Start, double Length, double Angle)
{
    if (Length <= 0)
        return;
    for (TSVGCustomText* owner : DecorationOwners(Element)) {
        // Consecutive pieces of one straight line become one, so that no seams show.
        auto last = std::find_if(FDecorations.rbegin(), FDecorations.rend(),
                                 [owner](const TDecorationLine& line) { return line.Owner == owner; });
        if (last != FDecorations.rend() && last->Angle == 0 && Angle == 0
            && QLineF(last->Start + QPointF(last->Length, 0), Start).length() < 1e-3) {
            last->Length += Length;
            continue;
        }
        FDecorations.push_back({owner, Start, Length, Angle});
    }
}

void TSVGTextLayout::Commit(QPointF Offset)
{
    const QTransform shift = QTransform::fromTranslate(Offset.x(), Offset.y());
    for (TPlaced& placed : FPlaced)
        placed.Element->FGlyphs.push_back({placed.Glyph.Glyph, placed.Glyph.Placement * shift});
    FPlaced.clear();
    for (const TDecorationLine& line : FDecorations) {
        const TSVGFont& font = line.Owner->Font();
        const TGlyphFontMetrics& metrics = FontsOf(line.Owner).Metrics;
        const double thickness = metrics.UnderlineThickness > 0 ? metrics.UnderlineThickness : font.Size() * 0.05;
        std::vector<double> offsets;
        if (font.Style().Contains(TFontStyle::fsUnderline))
            offsets.push_back(metrics.UnderlinePosition);
        if (font.Style().Contains(TFontStyle::fsStrikeOut))
            offsets.push_back(metrics.StrikeOutPosition);
        if (font.ExtendStyles().Contains(TExtendedFontStyle::fsOverline))
            offsets.push_back(metrics.OverlinePosition());
        const QTransform placement = Placement(QPointF(), line.Angle, line.Start + Offset);
        for (const double y : offsets) {
            QPainterPath band;
            band.addRect(QRectF(0, y - thickness / 2, line.Length, thickness));
            line.Owner->FDecorations.AddPainterPath(placement.map(band));
        }
    }
    FDecorations.clear();
}

} // namespace zor
