#pragma once
// The round barometer: one hand over 270 degrees, 950 to 1050 hPa.

#include "instruments/circular_range_gauge.h"

namespace zor {

class TZorCircularBarometer : public TZorCircularRangeGauge {
    Q_OBJECT

public:
    static constexpr TStreamDefaults StreamDefaults{.MajorMarkers = 10};

    explicit TZorCircularBarometer(QWidget* Parent = nullptr);

protected:
    // Only the big hand: the other two leave the artwork.
    void UpdateAll() override;
};

} // namespace zor
