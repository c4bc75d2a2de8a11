#pragma once
// What assistive technology sees of an instrument: a control of its own role,
// named by its caption or its kind, telling what it shows as text; an
// instrument that shows a number in a range is a value control with that
// range and value too.

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class QWidget;

namespace zor {

// What an instrument tells assistive technology.
class IInstrumentAccessibility {
public:
    virtual ~IInstrumentAccessibility() = default;

    // Whether the instrument shows a number in a range; one that does not
    // (a light) tells its state as its value text only.
    virtual bool HasAccessibleRange() const { return true; }
    // The range and the value shown, in the instrument's own unit.
    virtual double AccessibleMinimum() const = 0;
    virtual double AccessibleMaximum() const = 0;
    virtual double AccessibleValue() const = 0;
    virtual void SetAccessibleValue(double Value) = 0;
    // What a reader says for the value.
    virtual QString AccessibleValueText() const = 0;
    virtual QString AccessibleName() const = 0;
    virtual QAccessible::Role AccessibleRole() const { return QAccessible::Dial; }
};

// The instrument's kind from its class name, "TZorCubeLight" as "CubeLight".
QString InstrumentKindName(const QObject& Instrument);

// A clock's time as assistive technology reads it: the seconds since
// midnight, 0..86399, and the text "hh:mm:ss".
double SecondsOfDay(double Time);
inline constexpr double LastSecondOfDay = 86399;
// Time moved to the given second of its day.
double WithSecondsOfDay(double Time, double Seconds);
QString TimeOfDayText(double Time);

class TInstrumentAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    TInstrumentAccessible(QWidget* Widget, IInstrumentAccessibility& Instrument);

    void* interface_cast(QAccessible::InterfaceType Type) override;
    QString text(QAccessible::Text Kind) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& Value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    IInstrumentAccessibility& FInstrument;
};

// Tells assistive technology, when any listens, that Instrument (a widget
// with the accessible interface) shows another value.
void NotifyAccessibleValue(QWidget& Instrument);

// Installs the factory that gives every instrument with the interface its
// accessible control; installing again changes nothing.
void InstallInstrumentAccessibility();

} // namespace zor
