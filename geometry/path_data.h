#pragma once
// The one path type of the system: a list of path entries built by drawing
// operations or read from SVG path text, written back as compact path text,
// and measured (polygons, length, distances, hit tests).

#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>

#include "geometry/path_types.h"
#include "platform/events.h"
#include "platform/exceptions.h"
#include "platform/persistent.h"
#include "platform/update_scope.h"

namespace zor {

namespace messages {
inline constexpr const char* InvalidPathFormat = "'%s' is not a valid number format for path data";
} // namespace messages

class TZorPathData : public TPersistent {
public:
    // Per polygon of the flattened path, the distance of each of its points
    // from the start of the path, measured along the polygons.
    using TDistances = QList<QList<double>>;

    static inline const QString DefaultFormatStr = QStringLiteral("0.#########");
    // The flatness the measuring operations flatten curves with.
    static constexpr double MeasureFlatness = 0.25;

    TZorPathData() = default;
    // A path of an owner, which hears of every change through OwnerChanged
    // before OnChanged is called; OnChanged stays free for callers.
    explicit TZorPathData(TEvent<TZorPathData&> OwnerChanged);
    TZorPathData(const TZorPathData&) = delete;
    TZorPathData& operator=(const TZorPathData&) = delete;

    // A new path of the same class with this one's contents.
    virtual std::unique_ptr<TZorPathData> Clone() const;
    // Copies points, fill mode and number format from another path.
    void Assign(const TPersistent* Source) override;

    // --- The entries -----------------------------------------------------
    qsizetype Count() const { return FPoints.size(); }
    bool IsEmpty() const { return FPoints.isEmpty(); }
    // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
    const TPathPoint& Points(qsizetype Index) const;
    const TPathPoints& PointList() const { return FPoints; }
    // The last entry's point; (0, 0) for an empty path.
    QPointF LastPoint() const;

    // --- Drawing operations; each notifies a change ----------------------
    void Clear();
    void MoveTo(QPointF P);
    void MoveToRel(QPointF P);
    void LineTo(QPointF P);
    void LineToRel(QPointF P);
    void HLineTo(double X);
    void HLineToRel(double X);
    void VLineTo(double Y);
    void VLineToRel(double Y);
    void CurveTo(QPointF ControlPoint1, QPointF ControlPoint2, QPointF EndPoint);
    void CurveToRel(QPointF ControlPoint1, QPointF ControlPoint2, QPointF EndPoint);
    // The first control point mirrors the previous curve's second one about
    // the current point; without a curve just before, it is the current point.
    void SmoothCurveTo(QPointF ControlPoint2, QPointF EndPoint);
    void SmoothCurveToRel(QPointF ControlPoint2, QPointF EndPoint);
    // Closes the current subpath; the entry carries the subpath's start.
    void ClosePath();

    // Four cubic quarter arcs from the left middle point, clockwise on
    // screen, without a close.
    void AddEllipse(const QRectF& R);
    void AddRectangle(const QRectF& ARect);
    // A move to the first point, lines to the others, and a close when the
    // last point equals the first (the closing point is drawn as a line too).
    void AddPolygon(const QPolygon& Poly);
    // As above, but a last point equal to the first becomes the close itself.
    void AddPolygon(const QPolygonF& Poly);
    void AddPolygons(const QList<QPolygon>& Polys);
    void AddPolygons(const TZorPolygons& Polys);
    // The quadrilateral around the segment P1-P2, HalfWidth to each side,
    // without caps; nothing for a zero-length segment.
    void AddLineOutline(QPointF P1, QPointF P2, double HalfWidth);
    // Appends the outline of every segment of P's flattened subpaths,
    // StrokeWidth wide; joins and ends get no extra shapes.
    void AddPathOutline(const TZorPathData& P, double StrokeWidth);
    // Appends a painter path; a subpath that returns to its start is closed.
    void AddPainterPath(const QPainterPath& Path);

    // Appends Source's entries; an empty path becomes a copy of Source.
    virtual void Append(const TZorPathData& Source);
    // Appends the path read from SVG path text.
    void Append(const QString& PathString);

    // --- Whole-path operations -------------------------------------------
    // Transforms every point (row vectors, translation in m31/m32).
    void ApplyMatrix(const QTransform& M);
    void Translate(double Dx, double Dy);
    // Replaces curves by line segments that stay within Flatness of them.
    void Flatten(double Flatness);
    // The smallest rectangle holding what is drawn; empty path: (0, 0, 0, 0).
    QRectF GetBounds() const;
    // The path for painting and containment tests, with the fill rule.
    QPainterPath ToPainterPath() const;

    // --- Properties --------------------------------------------------------
    TZorFillMode FillMode() const { return FFillMode; }
    // Stores the value only: the entries do not change.
    void SetFillMode(TZorFillMode Value) { FFillMode = Value; }
    const QString& FormatStr() const { return FFormatStr; }
    // Raises EConvertError when the format does not write numbers that path
    // text can read back, or holds literal text; the old format is kept then.
    // Notifies nothing.
    void SetFormatStr(const QString& Value);
    // The path as SVG path text: absolute M, L, C and Z, each followed by a space.
    QString Data() const;
    // Reads SVG path text. Never raises: a malformed command is dropped, an
    // unknown character ends reading, and what was read before it remains.
    void SetData(const QString& Value);

    // --- Measurement (cached until the next change) ------------------------
    const TZorPolygons& Polygons() const;
    TZorPolygons ToPolygons() const { return Polygons(); }
    const TDistances& Distances() const;
    double GetLength() const;
    // The path text with Delimiter after every stretch of entries whose text
    // grew longer than Len characters.
    QString SplitDataByLength(int Len, const QString& Delimiter) const;
    // True when P lies inside any one subpath (even-odd within each).
    bool PointInPath(QPointF P) const;
    bool PointInPath(double X, double Y) const { return PointInPath(QPointF(X, Y)); }
    // True when P lies within StrokeWidth / 2 of the flattened path: of a
    // segment, or of a point where two segments meet; open ends get no caps.
    bool PointInPathOutline(QPointF P, double StrokeWidth) const;
    bool PointInPathOutline(double X, double Y, double StrokeWidth) const
    {
        return PointInPathOutline(QPointF(X, Y), StrokeWidth);
    }

    // --- Change notification ----------------------------------------------
    // A stamp that changes with every change of the entries and is never
    // shared by two paths, so a cache keyed on it alone cannot mistake one
    // path, or one state of a path, for another.
    std::uint64_t Revision() const { return FRevision; }
    // Changes between BeginUpdate and the matching EndUpdate notify once, at
    // the outermost EndUpdate. Cached measurements are dropped at once.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TEvent<TZorPathData&> OnChanged;

private:
    // Brackets one drawing operation: one notification, and when it fails
    // part-way the entries it added are taken back.
    class TAtomicEdit;

    // Points must be finite: a point that is not raises
    // EArgumentOutOfRangeException and leaves the path as it was, since such
    // a point could neither be measured nor written as path text.
    void AddPoint(TPathPointKind Kind, QPointF P);
    void ReplacePoints(TPathPoints Points, QPointF StartPoint);
    void Changed();
    void Measure() const;

    TEvent<TZorPathData&> FOwnerChanged;
    TPathPoints FPoints;
    QPointF FStartPoint; // start of the current subpath
    int FUpdateCount = 0;
    TZorFillMode FFillMode = TZorFillMode::fmEvenOdd;
    QString FFormatStr = DefaultFormatStr;
    mutable std::optional<double> FLength;
    mutable std::optional<TZorPolygons> FPolygons;
    mutable TDistances FDistances;
    std::uint64_t FRevision = NewRevision();

    static std::uint64_t NewRevision();
};

// Brackets changes to a path so that they notify once, on every exit path.
using TPathUpdate = TUpdateScope<TZorPathData>;

} // namespace zor
