#include "svg/render/disabled_appearance.h"

#include <QColor>
#include <QGradient>

#include "svg/render/render_context.h"
#include "svg/values/colors.h"

namespace zor {

namespace {

QColor GrayColor(const QColor& Color)
{
    return QColor::fromRgba(ColorToGray(Color.rgba()));
}

} // namespace

QBrush GrayBrush(const QBrush& Brush)
{
    QBrush gray;
    if (const QGradient* gradient = Brush.gradient()) {
        QGradient copy = *gradient;
        QGradientStops stops = copy.stops();
        for (QGradientStop& stop : stops)
            stop.second = GrayColor(stop.second);
        copy.setStops(stops);
        gray = QBrush(copy);
    } else if (Brush.style() == Qt::TexturePattern) {
        gray = QBrush(GrayImage(Brush.textureImage()));
    } else {
        gray = Brush;
        gray.setColor(GrayColor(Brush.color()));
    }
    gray.setTransform(Brush.transform());
    return gray;
}

QImage GrayImage(const QImage& Image)
{
    // The gray weights add up to 1, so a premultiplied pixel stays valid.
    QImage gray = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < gray.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(gray.scanLine(y));
        for (int x = 0; x < gray.width(); ++x)
            line[x] = ColorToGray(line[x]);
    }
    return gray;
}

TRenderPaint GrayPaint(const TRenderPaint& Paint)
{
    return TRenderPaint(GrayBrush(Paint.UserBrush()), Paint.Opacity());
}

void ApplyDisabledAppearance(TRenderContext& Context)
{
    Context.SetFill(GrayPaint(Context.Fill()));
    Context.SetStroke(GrayPaint(Context.Stroke()), Context.StrokeStyle());
}

} // namespace zor
