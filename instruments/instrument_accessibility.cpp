#include "instruments/instrument_accessibility.h"

#include "instruments/circular_gauge.h"

namespace zor {

namespace {

QAccessibleInterface* InstrumentAccessibleFactory(const QString&, QObject* Object)
{
    if (auto* instrument = qobject_cast<TZorCustomCircularGauge*>(Object))
        return new TInstrumentAccessible(instrument);
    return nullptr;
}

} // namespace

TInstrumentAccessible::TInstrumentAccessible(TZorCustomCircularGauge* Instrument)
    : QAccessibleWidget(Instrument, QAccessible::Dial)
{
}

TZorCustomCircularGauge& TInstrumentAccessible::Instrument() const
{
    return *static_cast<TZorCustomCircularGauge*>(widget());
}

void* TInstrumentAccessible::interface_cast(QAccessible::InterfaceType Type)
{
    if (Type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
}

QString TInstrumentAccessible::text(QAccessible::Text Kind) const
{
    switch (Kind) {
    case QAccessible::Name:
        return Instrument().accessibleName().isEmpty() ? Instrument().AccessibleName()
                                                       : Instrument().accessibleName();
    case QAccessible::Value:
        return Instrument().AccessibleValueText();
    default:
        return QAccessibleWidget::text(Kind);
    }
}

QVariant TInstrumentAccessible::currentValue() const
{
    return Instrument().AccessibleValue();
}

void TInstrumentAccessible::setCurrentValue(const QVariant& Value)
{
    bool ok = false;
    const double value = Value.toDouble(&ok);
    if (ok)
        Instrument().SetAccessibleValue(value);
}

QVariant TInstrumentAccessible::maximumValue() const
{
    return Instrument().AccessibleMaximum();
}

QVariant TInstrumentAccessible::minimumValue() const
{
    return Instrument().AccessibleMinimum();
}

QVariant TInstrumentAccessible::minimumStepSize() const
{
    return 0.0;
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
