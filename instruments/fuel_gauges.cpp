#include "instruments/fuel_gauges.h"

#include "platform/update_scope.h"

namespace zor {

TZorCircularFuelGauge::TZorCircularFuelGauge(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    SetDecoration(TDecoration::dcFuelTank);
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetHands({THand::ghBig});
    SetDefaultHands(Hands());
    SetStartAngle(260);
    SetStopAngle(460);
    SetMin(0);
    SetMax(100);
    SetDefaultMin(Min());
    SetDefaultMax(Max());
    SetMajorMarkers(4);
    SetMinorMarkers(0);
    SetCaption(QStringLiteral("Fuel"));
    SetDefaultCaption(Caption());
    Labels().SetText(GetDefaultLabels());
    Font().SetSize(12);
}

QString TZorCircularFuelGauge::GetDefaultLabels() const
{
    return QStringLiteral("E\r\n\r\n\r\n\r\nF");
}

void TZorCircularFuelGauge::GenerateLabels()
{
    CreateMeasurementLabels();
}

} // namespace zor
