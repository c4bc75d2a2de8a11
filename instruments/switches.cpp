#include "instruments/switches.h"

#include <QMouseEvent>
#include <cmath>
#include <numbers>

#include "instruments/circular_scale.h"
#include "platform/update_scope.h"

namespace zor {

// --- The knob both share --------------------------------------------------------

TZorCustomRotarySwitch::TZorCustomRotarySwitch(QWidget* Parent)
    : TZorCircularArcGauge(Parent)
{
    // The document is empty yet: these only store.
    SetBigHandID(QStringLiteral("KnobSwitch"));
    SetParts(Parts() - TParts{TPart::gpKnob, TPart::gpGlass});
    SetHands({});
    SetDefaultHands({});
}

void TZorCustomRotarySwitch::UpdateAll()
{
    TZorCircularArcGauge::UpdateAll();
    DestroyElement(QStringLiteral("LittleHand"));
    DestroyElement(QStringLiteral("ThinHand"));
    DestroyElement(QStringLiteral("BigHand"));
    ShowElement(QStringLiteral("KnobSwitch"), true);
}

int TZorCustomRotarySwitch::NearestMarkerIndex(double Angle) const
{
    return zor::NearestMarkerIndex(Angle, StartAngle(), StopAngle(), MajorMarkers());
}

double TZorCustomRotarySwitch::AngleAt(QPointF Position) const
{
    const QPointF centre = QRectF(rect()).center();
    double angle = std::atan2(Position.y() - centre.y(), Position.x() - centre.x()) * 180 / std::numbers::pi;
    // From the x axis, counter-clockwise in maths, to twelve o'clock, clockwise on screen.
    angle += angle < -90 ? 450 : 90;
    return ReducedAngle(angle);
}

void TZorCustomRotarySwitch::ClickAt(QPointF Position)
{
    MarkerClicked(NearestMarkerIndex(AngleAt(Position)));
}

void TZorCustomRotarySwitch::mouseReleaseEvent(QMouseEvent* Event)
{
    TZorCircularArcGauge::mouseReleaseEvent(Event);
    const QPointF position = Event->position();
    Guarded([this, position] { ClickAt(position); });
}

// --- Switch -----------------------------------------------------------------------

TZorRotarySwitch::TZorRotarySwitch(QWidget* Parent)
    : TZorCustomRotarySwitch(Parent)
{
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetStartAngle(270);
    SetStopAngle(360);
    SetMin(0);
    SetDefaultMin(0);
    SetMax(1);
    SetDefaultMax(1);
    SetMajorMarkers(1);
    SetMinorMarkers(0);
    Labels().SetText(GetDefaultLabels());
    Font().SetSize(8);
}

bool TZorRotarySwitch::Checked() const
{
    return Value() == 1;
}

void TZorRotarySwitch::SetChecked(bool Value)
{
    SetValue(Value ? 1 : 0);
}

int TZorRotarySwitch::Value() const
{
    return static_cast<int>(std::nearbyint(TZorCustomCircularGauge::Value()));
}

void TZorRotarySwitch::SetValue(int Value)
{
    TZorCustomCircularGauge::SetValue(static_cast<float>(Value));
}

QString TZorRotarySwitch::GetDefaultLabels() const
{
    return QStringLiteral("Off\r\nOn");
}

void TZorRotarySwitch::GenerateLabels()
{
    CreateMeasurementLabels();
}

void TZorRotarySwitch::MarkerClicked(int Index)
{
    SetValue(Index);
}

void TZorRotarySwitch::DoChange()
{
    TZorCustomRotarySwitch::DoChange();
    if (Checked() != FLastChecked) {
        FLastChecked = Checked();
        Q_EMIT checkedChanged();
    }
}

QString TZorRotarySwitch::AccessibleValueText() const
{
    const int index = Value();
    if (index >= 0 && index < Labels().Count() && !Labels()[index].isEmpty())
        return Labels()[index];
    return TZorCustomRotarySwitch::AccessibleValueText();
}

// --- Dial -------------------------------------------------------------------------

TZorRotaryDial::TZorRotaryDial(QWidget* Parent)
    : TZorCustomRotarySwitch(Parent)
{
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetStartAngle(225);
    SetStopAngle(495);
    TZorCustomCircularGauge::SetMin(0);
    SetDefaultMin(0);
    TZorCustomCircularGauge::SetMax(10);
    SetDefaultMax(10);
    SetMajorMarkers(10);
    SetMinorMarkers(0);
    Font().SetSize(8);
}

int TZorRotaryDial::Min() const
{
    return static_cast<int>(std::nearbyint(TZorCustomCircularGauge::Min()));
}

void TZorRotaryDial::SetMin(int Value)
{
    TZorCustomCircularGauge::SetMin(static_cast<float>(Value));
}

int TZorRotaryDial::Max() const
{
    return static_cast<int>(std::nearbyint(TZorCustomCircularGauge::Max()));
}

void TZorRotaryDial::SetMax(int Value)
{
    TZorCustomCircularGauge::SetMax(static_cast<float>(Value));
}

void TZorRotaryDial::MarkerClicked(int Index)
{
    SetValue(static_cast<float>(Index));
}

} // namespace zor
