#pragma once
// The round speedometer: one hand over an arc of 230 degrees, 0 to 120.

#include "instruments/circular_range_gauge.h"

namespace zor {

class TZorCircularSpeedometer : public TZorCircularRangeGauge {
    Q_OBJECT
    Q_PROPERTY(quint64 Hands READ HandBits WRITE SetHandBits NOTIFY handsChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.Decoration = TDecoration::dcFuelTank};

    explicit TZorCircularSpeedometer(QWidget* Parent = nullptr);
};

} // namespace zor
