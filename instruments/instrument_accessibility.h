#pragma once
// What assistive technology sees of a round instrument: a dial with a range,
// a current value and its spoken text, named by its caption.

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace zor {

class TZorCustomCircularGauge;

class TInstrumentAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TInstrumentAccessible(TZorCustomCircularGauge* Instrument);

    void* interface_cast(QAccessible::InterfaceType Type) override;
    QString text(QAccessible::Text Kind) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& Value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    TZorCustomCircularGauge& Instrument() const;
};

// Installs the factory that gives every round instrument its accessible
// interface; installing again changes nothing.
void InstallInstrumentAccessibility();

} // namespace zor
