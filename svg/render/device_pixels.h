#pragma once
// The pixels of the device a painter draws on. The painter's device
// transform maps its coordinates to them, high-density scaling included.

#include <QPainter>
#include <QRectF>

namespace zor {

// Every pixel of the painter's device, in device pixels.
QRectF DevicePixelRect(const QPainter& Painter);
// Makes the painter's coordinates the device pixels themselves (call
// between save and restore).
void UseDevicePixels(QPainter& Painter);

} // namespace zor
