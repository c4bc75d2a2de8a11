#pragma once
// A canvas to draw on in tests, and probes of what was drawn.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRgb>
#include <cstdlib>

#include "svg/render/render_context.h"

namespace zor::testing {

// A transparent premultiplied image with a scene and a render context on it.
class TTestCanvas {
public:
    explicit TTestCanvas(int Width = 100, int Height = 100, qreal PixelRatio = 1)
        : FImage(MakeImage(Width, Height, PixelRatio))
        , FScene(FImage)
        , Context(FScene.Painter())
    {
    }

    QPainter& Painter() { return FScene.Painter(); }
    // Ends painting and gives the picture.
    const QImage& Image()
    {
        if (FScene.Painter().isActive())
            FScene.Painter().end();
        return FImage;
    }

private:
    static QImage MakeImage(int Width, int Height, qreal PixelRatio)
    {
        QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(PixelRatio);
        image.fill(Qt::transparent);
        return image;
    }

    QImage FImage;
    TCanvasScene FScene;

public:
    TRenderContext Context;
};

inline int AlphaAt(const QImage& Image, int X, int Y)
{
    return qAlpha(Image.pixel(X, Y));
}

// Pixels from Start on, one Step at a time, whose alpha exceeds Threshold.
inline int RunLength(const QImage& Image, QPoint Start, QPoint Step, int Threshold = 127)
{
    int length = 0;
    for (QPoint p = Start; Image.rect().contains(p) && AlphaAt(Image, p.x(), p.y()) > Threshold; p += Step)
        ++length;
    return length;
}

// Colours equal within Tolerance per channel.
inline bool SameColor(QRgb A, QRgb B, int Tolerance = 2)
{
    return std::abs(qAlpha(A) - qAlpha(B)) <= Tolerance && std::abs(qRed(A) - qRed(B)) <= Tolerance
        && std::abs(qGreen(A) - qGreen(B)) <= Tolerance && std::abs(qBlue(A) - qBlue(B)) <= Tolerance;
}

inline TRenderPaint SolidPaint(QRgb Color, double Opacity = 1)
{
    return TRenderPaint(QBrush(QColor::fromRgba(Color)), Opacity);
}

} // namespace zor::testing
