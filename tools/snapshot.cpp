#include "tools/snapshot.h"

#include <QFont>
#include <QPainter>
#include <cmath>

#include "instruments/custom_instrument.h"
#include "instruments/decoration_catalogue.h"
#include "instruments/instrument_registry.h"
#include "platform/exceptions.h"

namespace zor::tools {

namespace {

constexpr int LabelWidth = 120;
constexpr int HeaderHeight = 16;
constexpr int Gap = 4;
constexpr QRgb Backdrop = 0xFFE8E8E8;

QSize DeviceSize(QSize Size, qreal PixelRatio)
{
    return QSize(static_cast<int>(std::lround(Size.width() * PixelRatio)),
                 static_cast<int>(std::lround(Size.height() * PixelRatio)));
}

} // namespace

QImage Snapshot(TZorSVGControl& Control, QSize Size, qreal PixelRatio)
{
    Control.resize(Size);
    QImage image(DeviceSize(Size, PixelRatio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(PixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Control.PaintTo(painter);
    return image;
}

QImage ContactSheet(const TInstrumentRegistry& Registry, const TSheetOptions& Options)
{
    const QStringList classes = Options.Classes.isEmpty() ? Registry.Names() : Options.Classes;

    const int columns = static_cast<int>(EnumCount(TDecoration{}));
    const int cell = Options.CellSize + Gap;
    const QSize size(LabelWidth + columns * cell, HeaderHeight + static_cast<int>(classes.size()) * cell);
    QImage sheet(DeviceSize(size, Options.PixelRatio), QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(Options.PixelRatio);
    sheet.fill(Backdrop);

    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (int column = 0; column < columns; ++column) {
        const QString name = DecorationName(static_cast<TDecoration>(column)).mid(2);
        const QRect header(LabelWidth + column * cell, 0, cell, HeaderHeight);
        painter.drawText(header, Qt::AlignCenter, painter.fontMetrics().elidedText(name, Qt::ElideRight, cell));
    }
    for (int row = 0; row < classes.size(); ++row) {
        const TInstrumentClass* entry = Registry.Find(classes[row]);
        if (entry == nullptr)
            Raise<EArgumentOutOfRangeException>(QStringLiteral("Unknown instrument class: %s"), {classes[row]});
        const int top = HeaderHeight + row * cell;
        painter.drawText(QRect(0, top, LabelWidth - Gap, cell), Qt::AlignRight | Qt::AlignVCenter, classes[row]);
        const std::unique_ptr<TZorSVGCustomInstrument> instrument = entry->Create();
        for (int column = 0; column < columns; ++column) {
            instrument->SetDecoration(static_cast<TDecoration>(column));
            const QImage picture = Snapshot(*instrument, QSize(Options.CellSize, Options.CellSize), Options.PixelRatio);
            painter.drawImage(QPoint(LabelWidth + column * cell + Gap / 2, top + Gap / 2), picture);
        }
    }
    return sheet;
}

} // namespace zor::tools
