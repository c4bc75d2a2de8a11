#include "geometry/geometry_functions.h"

#include <algorithm>
#include <cmath>

namespace zor {

namespace {

// Single-precision resolution with room for rounding.
constexpr double ValueTolerance = 1e-4;
constexpr double DistanceTolerance = 0.0001;

bool SameValue(double A, double B)
{
    const double epsilon = std::max(std::min(std::abs(A), std::abs(B)) * ValueTolerance, ValueTolerance);
    return std::abs(A - B) <= epsilon;
}

// Halves to the even neighbour, as the default floating-point rounding does.
double RoundHalfEven(double X) { return std::nearbyint(X); }

QRectF RectFromEdges(double Left, double Top, double Right, double Bottom)
{
    return QRectF(QPointF(Left, Top), QPointF(Right, Bottom));
}

} // namespace

QTransform TranslationMatrix(double Dx, double Dy)
{
    return QTransform(1, 0, 0, 1, Dx, Dy);
}

QTransform ScalingMatrix(double Sx, double Sy)
{
    return QTransform(Sx, 0, 0, Sy, 0, 0);
}

QTransform RotationMatrix(double Angle)
{
    const double c = std::cos(Angle);
    const double s = std::sin(Angle);
    return QTransform(c, s, -s, c, 0, 0);
}

QTransform RotationMatrixAbout(QPointF Centre, double Angle)
{
    return TranslationMatrix(-Centre.x(), -Centre.y()) * RotationMatrix(Angle)
        * TranslationMatrix(Centre.x(), Centre.y());
}

bool SameMatrix(const QTransform& A, const QTransform& B, double Epsilon)
{
    const double a[] = {A.m11(), A.m12(), A.m13(), A.m21(), A.m22(), A.m23(), A.m31(), A.m32(), A.m33()};
    const double b[] = {B.m11(), B.m12(), B.m13(), B.m21(), B.m22(), B.m23(), B.m31(), B.m32(), B.m33()};
    for (int i = 0; i < 9; ++i)
        if (!(std::abs(a[i] - b[i]) <= Epsilon))
            return false;
    return true;
}

QPointF TransformPoint(QPointF P, const QTransform& M, double W)
{
    return QPointF(P.x() * M.m11() + P.y() * M.m21() + W * M.m31(),
                   P.x() * M.m12() + P.y() * M.m22() + W * M.m32());
}

QPointF InterpolatePoint(QPointF A, QPointF B, double T)
{
    return A + (B - A) * T;
}

bool SameDistance(double A, double B)
{
    return std::abs(A - B) <= DistanceTolerance;
}

bool SamePoint(QPointF A, QPointF B)
{
    return SameValue(A.x(), B.x()) && SameValue(A.y(), B.y());
}

double VectorLengthSquared(QPointF V)
{
    return V.x() * V.x() + V.y() * V.y();
}

QPointF RectCenter(const QRectF& R)
{
    return QPointF(R.left() + (R.right() - R.left()) / 2, R.top() + (R.bottom() - R.top()) / 2);
}

QRectF OffsetRect(const QRectF& R, double Dx, double Dy)
{
    return RectFromEdges(R.left() + Dx, R.top() + Dy, R.right() + Dx, R.bottom() + Dy);
}

QRectF CenterRect(const QRectF& R, const QRectF& Bounds)
{
    const QRectF atOrigin = OffsetRect(R, -R.left(), -R.top());
    return OffsetRect(atOrigin, RoundHalfEven((Bounds.width() - R.width()) / 2) + Bounds.left(),
                      RoundHalfEven((Bounds.height() - R.height()) / 2) + Bounds.top());
}

double FitRect(QRectF& R, const QRectF& Bounds, bool AllowEnlarge)
{
    if (Bounds.width() * Bounds.height() == 0)
        return 1;
    double ratio = std::max(R.height() / Bounds.height(), R.width() / Bounds.width());
    // An empty R has no size to scale: it is only centred.
    if (!(ratio > 0))
        ratio = 1;
    if (ratio < 1 && !AllowEnlarge)
        R = RectFromEdges(0, 0, R.width(), R.height());
    else
        R = RectFromEdges(0, 0, R.width() / ratio, R.height() / ratio);
    R = CenterRect(R, Bounds);
    return ratio;
}

} // namespace zor
