#pragma once
// The pattern element: a paint server whose content, drawn into a tile,
// repeats over the fill or stroke that names it. The tile is rendered at
// each use, at the resolution the painted element is drawn at (within
// bounded sizes), and painted through a texture brush.

#include <QString>
#include <QStringView>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

#include "platform/enum_set.h"
#include "svg/model/paint_server.h"
#include "svg/model/viewport.h"

namespace zor {

// The attributes a pattern may give itself or take through its href.
enum class TSVGPatternAttribute {
    paX,
    paY,
    paWidth,
    paHeight,
    paUnits,
    paContentUnits,
    paTransform,
    paAspectRatio
};
constexpr std::size_t EnumCount(TSVGPatternAttribute) { return 8; }
using TSVGPatternAttributes = TEnumSet<TSVGPatternAttribute>;

class TSVGPattern : public TSVGCustomViewBox, public TSVGPaintServerElement {
    using Inherited = TSVGCustomViewBox;

public:
    // A tile holds at most this many pixels; a larger one is rendered at a
    // lower resolution.
    static constexpr qint64 MaxTilePixels = 2048 * 2048;
    // The tiles rendered at once on a thread (nested patterns) hold at most
    // this many pixels together; a nested tile gets what is left.
    static constexpr qint64 MaxLivePixels = 4 * MaxTilePixels;
    // Patterns whose content is painted with patterns nest at most this deep.
    static constexpr int MaxNesting = 16;
    // What one outermost tile may render through the patterns nested in it:
    // at most this many tiles of this many pixels in all (content painted
    // with patterns several times at each level would otherwise multiply
    // without end); the tiles beyond paint nothing.
    static constexpr int MaxNestedTiles = 10000;
    static constexpr qint64 MaxNestedPixels = 16 * MaxTilePixels;

    // Bounding-box units, user-space content units, no transform, xMidYMid
    // meet, a tile without size.
    explicit TSVGPattern(TSVGDocument* aOwner);
    const TSVGPaintServerElement* AsPaintServer() const override { return this; }
    ~TSVGPattern() override;

    TSVGElementType SVGType() const override;

    // patternContentUnits (a view box takes its place).
    TSVGCoordinateSystemUnit ContentUnits() const { return FContentUnits; }
    void SetContentUnits(TSVGCoordinateSystemUnit Value);
    // patternUnits: of x, y, width and height.
    TSVGCoordinateSystemUnit Units() const { return FUnits; }
    void SetUnits(TSVGCoordinateSystemUnit Value);
    // The id of the pattern this one takes what it does not give from
    // (xlink:href), without "#": attributes, view box and children.
    const QString& Reference() const { return FReference; }
    // Follows the element the new id names and reports the change.
    void SetReference(const QString& Value);
    // patternTransform: from the pattern's space into the painted element's
    // user space.
    const QTransform& PatternMatrix() const { return FPatternMatrix; }
    void SetPatternMatrix(const QTransform& Value);
    // The pattern matrix as transform text; setting it raises for text that
    // is not a transform list.
    QString PatternTransformMatrix() const;
    void SetPatternTransformMatrix(QStringView Value);

    // The attributes given on this pattern; the others come through href.
    // The setters add to them; a view box counts as given once specified.
    TSVGPatternAttributes Specified() const { return FSpecified; }
    void SetSpecified(TSVGPatternAttributes Value);

    // This pattern and the patterns its href chain names, in order; the
    // chain ends before an element that is no pattern or one already in it.
    std::vector<const TSVGPattern*> ReferenceChain() const;

    // A texture of the tile for Referrer at the resolution Target draws at.
    // A tile without area (zero or negative size, an empty bounding box in
    // bounding-box units, a view box that disables drawing) paints nothing,
    // and so does a reference that re-enters a pattern whose tile is being
    // rendered, that nests deeper than MaxNesting or goes beyond the tiles
    // and pixels an outermost tile may render.
    TPaintServer PaintServer(const TSVGGraphicElement& Referrer, const TPaintTarget& Target) const override;

    // A pattern is never drawn where it stands.
    bool IsRenderable() const override;
    // The referenced element going away empties the reference.
    void ReferenceChanged(TSVGElement* Sender) override;
    void Clear() override;
    // From another pattern also units, content units, transform, reference
    // and the given attributes.
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also patternUnits, patternContentUnits, patternTransform and href;
    // each attribute read is marked given.
    void LoadAttributes(const TXMLNode& Node) override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;

private:
    struct TTile;
    // Where the tile lies for Referrer; empty when it has no area.
    std::optional<TTile> Tile(const TSVGGraphicElement& Referrer) const;
    void Specify(TSVGPatternAttribute Attribute);

    TSVGCoordinateSystemUnit FContentUnits = TSVGCoordinateSystemUnit::csuUserSpaceOnUse;
    TSVGCoordinateSystemUnit FUnits = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    QString FReference;
    QTransform FPatternMatrix;
    TSVGPatternAttributes FSpecified;
};

} // namespace zor
