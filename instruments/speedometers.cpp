#include "instruments/speedometers.h"

#include "platform/update_scope.h"

namespace zor {

TZorCircularSpeedometer::TZorCircularSpeedometer(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    SetDecoration(TDecoration::dcFuelTank);
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetHands({THand::ghBig});
    SetDefaultHands(Hands());
    SetStartAngle(240);
    SetStopAngle(470);
    SetMin(0);
    SetDefaultMin(0);
    SetMax(120);
    SetDefaultMax(120);
    SetMajorMarkers(10);
}

} // namespace zor
