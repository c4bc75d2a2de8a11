#include "svg/render/device_pixels.h"

#include <QPaintDevice>

namespace zor {

QRectF DevicePixelRect(const QPainter& Painter)
{
    const QPaintDevice& device = *Painter.device();
    // Images and pixmaps report their size in pixels, other devices
    // (widgets) in device-independent units.
    const int type = device.devType();
    const qreal ratio = type == QInternal::Image || type == QInternal::Pixmap ? 1 : device.devicePixelRatio();
    return QRectF(0, 0, device.width() * ratio, device.height() * ratio);
}

void UseDevicePixels(QPainter& Painter)
{
    Painter.resetTransform();
    // What is left is the device's own scaling, which the world transform undoes.
    Painter.setWorldTransform(Painter.deviceTransform().inverted());
}

} // namespace zor
