#include "instruments/barometers.h"

#include "platform/update_scope.h"

namespace zor {

TZorCircularBarometer::TZorCircularBarometer(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    TUpdateScope<TZorCustomCircularGauge> update(*this);
    SetCaption(QStringLiteral("Barometer"));
    SetDefaultCaption(Caption());
    SetDetailText(QStringLiteral("hPa"));
    SetDefaultDetailText(DetailText());
    SetHands({THand::ghBig});
    SetDefaultHands(Hands());
    SetStartAngle(225);
    SetStopAngle(495);
    // Min pushes Max to 951 and Value to 950 on its way.
    SetMin(950);
    SetDefaultMin(950);
    SetMax(1050);
    SetDefaultMax(1050);
    SetMajorMarkers(10);
    Font().SetSize(8);
}

void TZorCircularBarometer::UpdateAll()
{
    TZorCustomCircularGauge::UpdateAll();
    DestroyElement(QStringLiteral("LittleHand"));
    DestroyElement(QStringLiteral("ThinHand"));
}

} // namespace zor
