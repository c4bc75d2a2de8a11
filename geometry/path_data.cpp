#include "geometry/path_data.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>

#include "geometry/geometry_functions.h"
#include "geometry/path_conversions.h"
#include "geometry/path_measure.h"
#include "geometry/path_parser.h"
#include "geometry/path_walk.h"
#include "geometry/path_writer.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

// Control points of a quarter ellipse lie this fraction of the radius away
// from the on-curve points: 4/3 · (√2 − 1).
constexpr double EllipseKappa = 0.5522847498;

// Draws the walked segments into another path.
class TPathReplay : public TPathVisitor {
public:
    explicit TPathReplay(TZorPathData& Target)
        : FTarget(Target)
    {
    }
    void MoveTo(QPointF To) override { FTarget.MoveTo(To); }
    void LineTo(QPointF, QPointF To) override { FTarget.LineTo(To); }
    void CurveTo(const TCubicBezier& Curve) override { FTarget.CurveTo(Curve.P1, Curve.P2, Curve.P3); }
    void Close(QPointF, QPointF) override { FTarget.ClosePath(); }

private:
    TZorPathData& FTarget;
};

// A move, lines, and a close when the polygon ends at its start; the
// closing point itself is drawn as a line only when DrawClosingPoint is set.
// Poly is not empty.
template <typename Polygon>
void AddPolygonOf(TZorPathData& Path, const Polygon& Poly, bool DrawClosingPoint)
{
    const bool closes = Poly.last() == Poly.first();
    const qsizetype end = closes && !DrawClosingPoint ? Poly.size() - 1 : Poly.size();
    Path.MoveTo(Poly.first());
    for (qsizetype i = 1; i < end; ++i)
        Path.LineTo(Poly[i]);
    if (closes)
        Path.ClosePath();
}

bool IsFinite(QPointF P)
{
    return std::isfinite(P.x()) && std::isfinite(P.y());
}

} // namespace

class TZorPathData::TAtomicEdit {
public:
    explicit TAtomicEdit(TZorPathData& Path)
        : FUpdate(Path)
        , FPath(Path)
        , FCount(Path.FPoints.size())
        , FStartPoint(Path.FStartPoint)
        , FExceptions(std::uncaught_exceptions())
    {
    }
    // Takes the entries back when the operation failed; then FUpdate closes
    // the bracket, which reports the change and lets a handler's error
    // through to the caller.
    ~TAtomicEdit() noexcept(false)
    {
        if (std::uncaught_exceptions() > FExceptions && FPath.FPoints.size() > FCount) {
            FPath.FPoints.resize(FCount);
            FPath.FStartPoint = FStartPoint;
        }
    }
    TAtomicEdit(const TAtomicEdit&) = delete;
    TAtomicEdit& operator=(const TAtomicEdit&) = delete;

private:
    // First, so that it is destroyed last.
    TPathUpdate FUpdate;
    TZorPathData& FPath;
    qsizetype FCount;
    QPointF FStartPoint;
    int FExceptions;
};

TZorPathData::TZorPathData(TEvent<TZorPathData&> OwnerChanged)
    : FOwnerChanged(std::move(OwnerChanged))
{
}

std::unique_ptr<TZorPathData> TZorPathData::Clone() const
{
    auto copy = std::make_unique<TZorPathData>();
    copy->Assign(this);
    return copy;
}

void TZorPathData::Assign(const TPersistent* Source)
{
    if (const auto* source = dynamic_cast<const TZorPathData*>(Source)) {
        if (source == this)
            return;
        FFillMode = source->FFillMode;
        FFormatStr = source->FFormatStr;
        ReplacePoints(source->FPoints, source->FStartPoint);
        return;
    }
    TPersistent::Assign(Source);
}

const TPathPoint& TZorPathData::Points(qsizetype Index) const
{
    if (Index < 0 || Index >= FPoints.size())
        Raise<EListError>(messages::ListIndexOutOfBounds, {QString::number(Index)});
    return FPoints[Index];
}

QPointF TZorPathData::LastPoint() const
{
    return FPoints.isEmpty() ? QPointF() : FPoints.last().Point;
}

void TZorPathData::Clear()
{
    ReplacePoints({}, QPointF());
}

void TZorPathData::MoveTo(QPointF P)
{
    AddPoint(TPathPointKind::MoveTo, P);
}

void TZorPathData::MoveToRel(QPointF P)
{
    MoveTo(LastPoint() + P);
}

void TZorPathData::LineTo(QPointF P)
{
    AddPoint(TPathPointKind::LineTo, P);
}

void TZorPathData::LineToRel(QPointF P)
{
    LineTo(LastPoint() + P);
}

void TZorPathData::HLineTo(double X)
{
    LineTo(QPointF(X, LastPoint().y()));
}

void TZorPathData::HLineToRel(double X)
{
    LineToRel(QPointF(X, 0));
}

void TZorPathData::VLineTo(double Y)
{
    LineTo(QPointF(LastPoint().x(), Y));
}

void TZorPathData::VLineToRel(double Y)
{
    LineToRel(QPointF(0, Y));
}

void TZorPathData::CurveTo(QPointF ControlPoint1, QPointF ControlPoint2, QPointF EndPoint)
{
    TAtomicEdit edit(*this);
    AddPoint(TPathPointKind::CurveTo, ControlPoint1);
    AddPoint(TPathPointKind::CurveTo, ControlPoint2);
    AddPoint(TPathPointKind::CurveTo, EndPoint);
}

void TZorPathData::CurveToRel(QPointF ControlPoint1, QPointF ControlPoint2, QPointF EndPoint)
{
    const QPointF last = LastPoint();
    CurveTo(last + ControlPoint1, last + ControlPoint2, last + EndPoint);
}

void TZorPathData::SmoothCurveTo(QPointF ControlPoint2, QPointF EndPoint)
{
    const QPointF last = LastPoint();
    const qsizetype count = FPoints.size();
    const bool afterCurve = count >= 3 && FPoints[count - 1].Kind == TPathPointKind::CurveTo;
    const QPointF control1 = afterCurve ? 2 * last - FPoints[count - 2].Point : last;
    CurveTo(control1, ControlPoint2, EndPoint);
}

void TZorPathData::SmoothCurveToRel(QPointF ControlPoint2, QPointF EndPoint)
{
    const QPointF last = LastPoint();
    SmoothCurveTo(last + ControlPoint2, last + EndPoint);
}

void TZorPathData::ClosePath()
{
    AddPoint(TPathPointKind::Close, FStartPoint);
}

void TZorPathData::AddEllipse(const QRectF& R)
{
    const double cx = R.left() + R.width() / 2;
    const double cy = R.top() + R.height() / 2;
    const double kx = R.width() / 2 * EllipseKappa;
    const double ky = R.height() / 2 * EllipseKappa;
    TAtomicEdit edit(*this);
    MoveTo(QPointF(R.left(), cy));
    CurveTo(QPointF(R.left(), cy - ky), QPointF(cx - kx, R.top()), QPointF(cx, R.top()));
    CurveTo(QPointF(cx + kx, R.top()), QPointF(R.right(), cy - ky), QPointF(R.right(), cy));
    CurveTo(QPointF(R.right(), cy + ky), QPointF(cx + kx, R.bottom()), QPointF(cx, R.bottom()));
    CurveTo(QPointF(cx - kx, R.bottom()), QPointF(R.left(), cy + ky), QPointF(R.left(), cy));
}

void TZorPathData::AddRectangle(const QRectF& ARect)
{
    TAtomicEdit edit(*this);
    MoveTo(QPointF(ARect.left(), ARect.top()));
    LineTo(QPointF(ARect.right(), ARect.top()));
    LineTo(QPointF(ARect.right(), ARect.bottom()));
    LineTo(QPointF(ARect.left(), ARect.bottom()));
    ClosePath();
}

// An empty polygon adds nothing, so it reports nothing either.

void TZorPathData::AddPolygon(const QPolygon& Poly)
{
    if (Poly.isEmpty())
        return;
    TAtomicEdit edit(*this);
    AddPolygonOf(*this, Poly, true);
}

void TZorPathData::AddPolygon(const QPolygonF& Poly)
{
    if (Poly.isEmpty())
        return;
    TAtomicEdit edit(*this);
    AddPolygonOf(*this, Poly, false);
}

void TZorPathData::AddPolygons(const QList<QPolygon>& Polys)
{
    TAtomicEdit edit(*this);
    for (const QPolygon& poly : Polys)
        AddPolygon(poly);
}

void TZorPathData::AddPolygons(const TZorPolygons& Polys)
{
    TAtomicEdit edit(*this);
    for (const QPolygonF& poly : Polys)
        AddPolygon(poly);
}

void TZorPathData::AddLineOutline(QPointF P1, QPointF P2, double HalfWidth)
{
    const QPointF d = P2 - P1;
    const double length = std::hypot(d.x(), d.y());
    if (!(length > 0))
        return;
    const QPointF n = HalfWidth * QPointF(d.y(), -d.x()) / length;
    TAtomicEdit edit(*this);
    MoveTo(P1 + n);
    LineTo(P1 - n);
    LineTo(P2 - n);
    LineTo(P2 + n);
    ClosePath();
}

void TZorPathData::AddPathOutline(const TZorPathData& P, double StrokeWidth)
{
    if (P.Count() < 2)
        return;
    // A copy, since P may be this path.
    const TZorPolygons polygons = P.Polygons();
    TAtomicEdit edit(*this);
    for (const QPolygonF& polygon : polygons)
        for (qsizetype i = 1; i < polygon.size(); ++i)
            AddLineOutline(polygon[i - 1], polygon[i], StrokeWidth / 2);
}

void TZorPathData::AddPainterPath(const QPainterPath& Path)
{
    TAtomicEdit edit(*this);
    bool open = false;
    auto closeWhenBackAtStart = [&] {
        if (open && FPoints.last().Kind != TPathPointKind::MoveTo && LastPoint() == FStartPoint)
            ClosePath();
        open = false;
    };
    const int count = Path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = Path.elementAt(i);
        if (e.isMoveTo()) {
            closeWhenBackAtStart();
            MoveTo(e);
            open = true;
        } else if (e.isLineTo()) {
            LineTo(e);
        } else if (e.isCurveTo() && i + 2 < count) {
            CurveTo(e, Path.elementAt(i + 1), Path.elementAt(i + 2));
            i += 2;
        }
    }
    closeWhenBackAtStart();
}

void TZorPathData::Append(const TZorPathData& Source)
{
    // A copy, since Source may be this path.
    const TPathPoints points = Source.FPoints;
    TAtomicEdit edit(*this);
    TPathReplay replay(*this);
    WalkPath(points, replay);
}

void TZorPathData::Append(const QString& PathString)
{
    TZorPathData source;
    ReadPathText(PathString, source);
    Append(source);
}

void TZorPathData::ApplyMatrix(const QTransform& M)
{
    TPathPoints points = FPoints;
    for (TPathPoint& entry : points)
        entry.Point = TransformPoint(entry.Point, M);
    ReplacePoints(std::move(points), TransformPoint(FStartPoint, M));
}

void TZorPathData::Translate(double Dx, double Dy)
{
    ApplyMatrix(TranslationMatrix(Dx, Dy));
}

void TZorPathData::Flatten(double Flatness)
{
    ReplacePoints(FlattenedPoints(FPoints, Flatness), FStartPoint);
}

QRectF TZorPathData::GetBounds() const
{
    return PathBounds(FPoints);
}

QPainterPath TZorPathData::ToPainterPath() const
{
    QPainterPath path = PainterPathOf(FPoints);
    path.setFillRule(FFillMode == TZorFillMode::fmNonZero ? Qt::WindingFill : Qt::OddEvenFill);
    return path;
}

void TZorPathData::SetFormatStr(const QString& Value)
{
    if (Value == FFormatStr)
        return;
    // Literal text (quoted or not) would be written into every number, where
    // it can pass for digits: ".#'0" writes 7 as "70".
    if (!std::ranges::all_of(Value, [](QChar c) { return QStringView(u"0#.,;Ee+-").contains(c); }))
        Raise<EConvertError>(messages::InvalidPathFormat, {Value});
    // Each sample must come back as a number of the same sign and about the
    // same size, or saved paths would not read back.
    for (double sample : {123.45, -123.45, 1234567.125, 0.0}) {
        const QString text = FormatFloat(Value, sample);
        double value = 0;
        const bool readable = IsPathNumber(text) && TryStrToFloat(text, value);
        if (!readable || std::abs(value - sample) > std::abs(sample) / 2)
            Raise<EConvertError>(messages::InvalidPathFormat, {Value});
    }
    FFormatStr = Value;
}

QString TZorPathData::Data() const
{
    QString text;
    WritePathEntries(FPoints, FFormatStr, [&](const QString& entry) { text += entry; });
    return text;
}

void TZorPathData::SetData(const QString& Value)
{
    TPathUpdate update(*this);
    Clear();
    ReadPathText(Value, *this);
}

const TZorPolygons& TZorPathData::Polygons() const
{
    if (!FPolygons)
        FPolygons = PathToPolygons(FPoints, MeasureFlatness);
    return *FPolygons;
}

const TZorPathData::TDistances& TZorPathData::Distances() const
{
    Measure();
    return FDistances;
}

double TZorPathData::GetLength() const
{
    Measure();
    return *FLength;
}

QString TZorPathData::SplitDataByLength(int Len, const QString& Delimiter) const
{
    QString text;
    qsizetype counter = 0;
    WritePathEntries(FPoints, FFormatStr, [&](const QString& entry) {
        text += entry;
        counter += entry.size();
        if (counter > Len) {
            text += Delimiter;
            counter = 0;
        }
    });
    return text;
}

bool TZorPathData::PointInPath(QPointF P) const
{
    return AnyPolygonContains(Polygons(), P);
}

bool TZorPathData::PointInPathOutline(QPointF P, double StrokeWidth) const
{
    return Count() >= 2 && PolygonEdgesNear(Polygons(), P, StrokeWidth / 2);
}

void TZorPathData::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        Changed();
}

void TZorPathData::AddPoint(TPathPointKind Kind, QPointF P)
{
    if (!IsFinite(P))
        Raise<EArgumentOutOfRangeException>(QString::fromLatin1(messages::ArgumentOutOfRange));
    FPoints.append({Kind, P});
    // The start moves with the entry, before a change handler can fail.
    if (Kind == TPathPointKind::MoveTo)
        FStartPoint = P;
    Changed();
}

void TZorPathData::ReplacePoints(TPathPoints Points, QPointF StartPoint)
{
    for (const TPathPoint& entry : Points)
        if (!IsFinite(entry.Point))
            Raise<EArgumentOutOfRangeException>(QString::fromLatin1(messages::ArgumentOutOfRange));
    FPoints = std::move(Points);
    FStartPoint = StartPoint;
    Changed();
}

std::uint64_t TZorPathData::NewRevision()
{
    // Paths are built on worker threads too.
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void TZorPathData::Changed()
{
    // Measurements go stale at once, even while the notification waits for
    // the end of an update bracket.
    FRevision = NewRevision();
    FLength.reset();
    FPolygons.reset();
    FDistances.clear();
    if (FUpdateCount == 0) {
        Fire(FOwnerChanged, *this);
        Fire(OnChanged, *this);
    }
}

void TZorPathData::Measure() const
{
    if (!FLength)
        FLength = MeasurePolygons(Polygons(), FDistances);
}

} // namespace zor
