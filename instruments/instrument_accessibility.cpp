#include "instruments/instrument_accessibility.h"

#include <QTime>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/date_time.h"

namespace zor {

namespace {

QAccessibleInterface* InstrumentAccessibleFactory(const QString&, QObject* Object)
{
    auto* widget = qobject_cast<QWidget*>(Object);
    auto* instrument = dynamic_cast<IInstrumentAccessibility*>(Object);
    if (widget != nullptr && instrument != nullptr)
        return new TInstrumentAccessible(widget, *instrument);
    return nullptr;
}

} // namespace

QString InstrumentKindName(const QObject& Instrument)
{
    QString kind = QString::fromLatin1(Instrument.metaObject()->className());
    kind = kind.mid(kind.lastIndexOf(QLatin1Char(':')) + 1);
    return kind.startsWith(QLatin1String("TZor")) ? kind.mid(4) : kind;
}

double SecondsOfDay(double Time)
{
    const TDecodedTime time = DecodeTime(Time);
    return (time.Hour * 60 + time.Minute) * 60 + time.Second;
}

double WithSecondsOfDay(double Time, double Seconds)
{
    constexpr double SecondsPerDay = LastSecondOfDay + 1;
    return std::floor(Time) + std::clamp(std::trunc(Seconds), 0.0, LastSecondOfDay) / SecondsPerDay;
}

QString TimeOfDayText(double Time)
{
    const TDecodedTime time = DecodeTime(Time);
    return QTime(time.Hour, time.Minute, time.Second).toString(QStringLiteral("hh:mm:ss"));
}

TInstrumentAccessible::TInstrumentAccessible(QWidget* Widget, IInstrumentAccessibility& Instrument)
    : QAccessibleWidget(Widget, Instrument.AccessibleRole())
    , FInstrument(Instrument)
{
}

void* TInstrumentAccessible::interface_cast(QAccessible::InterfaceType Type)
{
    if (Type == QAccessible::ValueInterface && FInstrument.HasAccessibleRange())
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
}

QString TInstrumentAccessible::text(QAccessible::Text Kind) const
{
    switch (Kind) {
    case QAccessible::Name:
        return widget()->accessibleName().isEmpty() ? FInstrument.AccessibleName() : widget()->accessibleName();
    case QAccessible::Value:
        return FInstrument.AccessibleValueText();
    default:
        return QAccessibleWidget::text(Kind);
    }
}

QVariant TInstrumentAccessible::currentValue() const
{
    return FInstrument.AccessibleValue();
}

void TInstrumentAccessible::setCurrentValue(const QVariant& Value)
{
    bool ok = false;
    const double value = Value.toDouble(&ok);
    if (ok)
        FInstrument.SetAccessibleValue(value);
}

QVariant TInstrumentAccessible::maximumValue() const
{
    return FInstrument.AccessibleMaximum();
}

QVariant TInstrumentAccessible::minimumValue() const
{
    return FInstrument.AccessibleMinimum();
}

QVariant TInstrumentAccessible::minimumStepSize() const
{
    return 0.0;
}

void NotifyAccessibleValue(QWidget& Instrument)
{
    if (!QAccessible::isActive())
        return;
    const auto* accessible = dynamic_cast<const IInstrumentAccessibility*>(&Instrument);
    if (accessible == nullptr)
        return;
    const QVariant value = accessible->HasAccessibleRange() ? QVariant(accessible->AccessibleValue())
                                                            : QVariant(accessible->AccessibleValueText());
    QAccessibleValueChangeEvent event(&Instrument, value);
    QAccessible::updateAccessibility(&event);
}

void InstallInstrumentAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(InstrumentAccessibleFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zor
