// A pattern as a paint: where its tile lies for the painted element, and
// the tile rendered into a bounded texture.

#include <QBrush>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/geometry_functions.h"
#include "svg/model/pattern.h"
#include "svg/render/fitting.h"
#include "svg/render/render_context.h"

namespace zor {

namespace {

using enum TSVGPatternAttribute;

// The patterns whose tiles are being rendered on this thread, outermost
// first, and the pixels their textures hold; the tiles and pixels rendered
// since the outermost one began.
thread_local std::vector<const TSVGPattern*> ActivePatterns;
thread_local qint64 LivePixels = 0;
thread_local int RenderedTiles = 0;
thread_local qint64 RenderedPixels = 0;

// One tile rendering: entered unless the pattern is being rendered already
// (its content would re-enter it), the nesting is as deep as allowed or the
// outermost tile has rendered as many tiles as it may. The pixels it takes
// are given back when it ends.
class TTileRendering {
public:
    explicit TTileRendering(const TSVGPattern& Pattern)
    {
        if (ActivePatterns.empty()) {
            RenderedTiles = 0;
            RenderedPixels = 0;
        }
        if (std::ranges::find(ActivePatterns, &Pattern) != ActivePatterns.end()
            || ActivePatterns.size() >= std::size_t(TSVGPattern::MaxNesting)
            || ++RenderedTiles > TSVGPattern::MaxNestedTiles)
            return;
        ActivePatterns.push_back(&Pattern);
        FEntered = true;
    }
    ~TTileRendering()
    {
        if (!FEntered)
            return;
        LivePixels -= FPixels;
        ActivePatterns.pop_back();
    }
    TTileRendering(const TTileRendering&) = delete;
    TTileRendering& operator=(const TTileRendering&) = delete;

    bool Entered() const { return FEntered; }
    // The most pixels this tile may take.
    static qint64 Available()
    {
        return std::min({TSVGPattern::MaxTilePixels, TSVGPattern::MaxLivePixels - LivePixels,
                         TSVGPattern::MaxNestedPixels - RenderedPixels});
    }
    void Take(qint64 Pixels)
    {
        FPixels += Pixels;
        LivePixels += Pixels;
        RenderedPixels += Pixels;
    }

private:
    bool FEntered = false;
    qint64 FPixels = 0;
};

bool IsUsable(double Value)
{
    return std::isfinite(Value) && Value > 0;
}

// The first pattern of Chain that gives Attribute itself; Chain's first
// without one.
const TSVGPattern& Giving(const std::vector<const TSVGPattern*>& Chain, TSVGPatternAttribute Attribute)
{
    const auto giving = std::ranges::find_if(
        Chain, [Attribute](const TSVGPattern* Pattern) { return Pattern->Specified().Contains(Attribute); });
    return giving != Chain.end() ? **giving : *Chain.front();
}

} // namespace

// The tile in the pattern's space (before patternTransform), how the
// content maps into that space, and whose children the content is.
struct TSVGPattern::TTile {
    QRectF Rect;
    QTransform Content;
    QTransform Transform;
    const TSVGPattern* Children = nullptr;
};

std::optional<TSVGPattern::TTile> TSVGPattern::Tile(const TSVGGraphicElement& Referrer) const
{
    const std::vector<const TSVGPattern*> chain = ReferenceChain();
    const TPaintServerSpace space(Giving(chain, paUnits).FUnits, Referrer);
    QRectF rect(space.X(Giving(chain, paX).Xu()), space.Y(Giving(chain, paY).Yu()),
                space.X(Giving(chain, paWidth).WidthU()), space.Y(Giving(chain, paHeight).HeightU()));
    const QRectF box = Referrer.BoundsRect();
    if (!space.UserSpace()) {
        // Fractions of the painted element's bounding box.
        if (!IsUsable(box.width()) || !IsUsable(box.height()))
            return std::nullopt;
        rect = QRectF(box.x() + rect.x() * box.width(), box.y() + rect.y() * box.height(),
                      rect.width() * box.width(), rect.height() * box.height());
    }
    if (!IsUsable(rect.width()) || !IsUsable(rect.height()) || !std::isfinite(rect.x()) || !std::isfinite(rect.y()))
        return std::nullopt;

    TTile tile;
    tile.Rect = rect;
    tile.Transform = Giving(chain, paTransform).FPatternMatrix;
    const auto viewBox = std::ranges::find_if(chain, [](const TSVGPattern* P) { return P->ViewBox().Specified(); });
    if (viewBox != chain.end()) {
        const std::optional<QTransform> view =
            ViewBoxMatrix((*viewBox)->ViewBox().Rect(), rect, Giving(chain, paAspectRatio).AspectRatio());
        if (!view)
            return std::nullopt;
        tile.Content = *view;
    } else if (Giving(chain, paContentUnits).FContentUnits == TSVGCoordinateSystemUnit::csuObjectBoundingBox) {
        if (!IsUsable(box.width()) || !IsUsable(box.height()))
            return std::nullopt;
        tile.Content = ScalingMatrix(box.width(), box.height()) * TranslationMatrix(rect.x(), rect.y());
    } else {
        tile.Content = TranslationMatrix(rect.x(), rect.y());
    }
    const auto children = std::ranges::find_if(chain, [](const TSVGPattern* P) { return !P->Items().IsEmpty(); });
    tile.Children = children != chain.end() ? *children : this;
    return tile;
}

TPaintServer TSVGPattern::PaintServer(const TSVGGraphicElement& Referrer, const TPaintTarget& Target) const
{
    const std::optional<TTile> tile = Tile(Referrer);
    if (!tile)
        return QBrush(Qt::NoBrush);
    // Asked whether it paints: it does, and no pixels are needed.
    if (!Target.DeviceMatrix)
        return QBrush(Qt::transparent);

    TTileRendering rendering(*this);
    if (!rendering.Entered())
        return QBrush(Qt::NoBrush);
    // As many pixels as the tile covers on the device, within the bounds.
    const QTransform toDevice = tile->Transform * *Target.DeviceMatrix;
    double width = tile->Rect.width() * std::hypot(toDevice.m11(), toDevice.m12());
    double height = tile->Rect.height() * std::hypot(toDevice.m21(), toDevice.m22());
    if (!IsUsable(width) || !IsUsable(height))
        return QBrush(Qt::NoBrush);
    const double available = double(TTileRendering::Available());
    if (available < 1)
        return QBrush(Qt::NoBrush);
    if (width * height > available) {
        const double reduction = std::sqrt(available / (width * height));
        width *= reduction;
        height *= reduction;
    }
    // Whole pixels, without the one that a rounding error would add.
    constexpr double roundingError = 1e-4;
    const int columns = std::max(1, int(std::ceil(width - roundingError)));
    const int rows = std::max(1, int(std::ceil(height - roundingError)));
    if (qint64(columns) * rows > TTileRendering::Available())
        return QBrush(Qt::NoBrush);
    rendering.Take(qint64(columns) * rows);

    QImage image(columns, rows, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QBrush(Qt::NoBrush);
    image.fill(Qt::transparent);
    // Whole pixels per tile, so that the tiles meet exactly.
    const double kx = columns / tile->Rect.width();
    const double ky = rows / tile->Rect.height();
    const QTransform toImage =
        tile->Content * TranslationMatrix(-tile->Rect.x(), -tile->Rect.y()) * ScalingMatrix(kx, ky);
    {
        TCanvasScene scene(image);
        if (scene.IsActive()) {
            TRenderContext canvas(scene.Painter());
            // Drawing the content caches what it resolves; the pattern itself
            // does not change.
            const_cast<TSVGPattern*>(tile->Children)->DrawChildren(toImage, canvas, QRectF(image.rect()));
        }
    }
    QBrush brush(image);
    brush.setTransform(ScalingMatrix(1 / kx, 1 / ky) * TranslationMatrix(tile->Rect.x(), tile->Rect.y())
                       * tile->Transform);
    return brush;
}

} // namespace zor
