#include "geometry/path_writer.h"

#include "geometry/path_walk.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

class TPathTextWriter : public TPathVisitor {
public:
    TPathTextWriter(const QString& Format, const std::function<void(const QString&)>& Emit)
        : FFormat(Format)
        , FEmit(Emit)
    {
    }

    void MoveTo(QPointF To) override { FEmit(u'M' + Text(To) + u' '); }
    void LineTo(QPointF, QPointF To) override { FEmit(u'L' + Text(To) + u' '); }
    void CurveTo(const TCubicBezier& Curve) override
    {
        FEmit(u'C' + Text(Curve.P1) + u' ' + Text(Curve.P2) + u' ' + Text(Curve.P3) + u' ');
    }
    void Close(QPointF, QPointF) override { FEmit(QStringLiteral("Z ")); }

private:
    QString Text(QPointF P) const { return FormatFloat(FFormat, P.x()) + u',' + FormatFloat(FFormat, P.y()); }

    const QString& FFormat;
    const std::function<void(const QString&)>& FEmit;
};

} // namespace

void WritePathEntries(const TPathPoints& Points, const QString& Format,
                      const std::function<void(const QString&)>& Emit)
{
    TPathTextWriter writer(Format, Emit);
    WalkPath(Points, writer);
}

} // namespace zor
