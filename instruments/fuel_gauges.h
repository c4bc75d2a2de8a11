#pragma once
// The round fuel gauge: one hand over 200 degrees from E to F.

#include "instruments/circular_range_gauge.h"

namespace zor {

class TZorCircularFuelGauge : public TZorCircularRangeGauge {
    Q_OBJECT

public:
    static constexpr TStreamDefaults StreamDefaults{
        .MajorMarkers = 4, .MinorMarkers = 0, .Decoration = TDecoration::dcFuelTank};

    explicit TZorCircularFuelGauge(QWidget* Parent = nullptr);

protected:
    // "E", three empty lines, "F".
    QString GetDefaultLabels() const override;
    // The labels stay as set; only their texts are built.
    void GenerateLabels() override;
};

} // namespace zor
