#pragma once
// Small matrix, point and rectangle functions. Matrices are row-vector
// affine transforms: a point (x, y, 1) is multiplied from the left, the
// translation is m31/m32, and A * B applies A first.

#include <QPointF>
#include <QRectF>
#include <QTransform>

namespace zor {

QTransform TranslationMatrix(double Dx, double Dy);
QTransform ScalingMatrix(double Sx, double Sy);
// Angle in radians; positive angles turn clockwise on screen (y down).
QTransform RotationMatrix(double Angle);
// The rotation by Angle about Centre.
QTransform RotationMatrixAbout(QPointF Centre, double Angle);
// All nine entries equal within Epsilon.
bool SameMatrix(const QTransform& A, const QTransform& B, double Epsilon);
// (x, y, W) × M, the affine part only.
QPointF TransformPoint(QPointF P, const QTransform& M, double W = 1);

QPointF InterpolatePoint(QPointF A, QPointF B, double T);
// |A − B| ≤ 0.0001.
bool SameDistance(double A, double B);
// Each coordinate equal within 1e-4, relative to the smaller magnitude when
// that is above 1.
bool SamePoint(QPointF A, QPointF B);
double VectorLengthSquared(QPointF V);

QPointF RectCenter(const QRectF& R);
QRectF OffsetRect(const QRectF& R, double Dx, double Dy);
// R moved into the middle of Bounds, by whole units (halves round to even).
QRectF CenterRect(const QRectF& R, const QRectF& Bounds);
// Scales R to fit Bounds keeping its proportions (only down unless
// AllowEnlarge) and centres it there. Returns the ratio of R's size to the
// fitted size: 1 when Bounds has no area (R unchanged), and 1 when R has
// neither width nor height (R is then only centred).
double FitRect(QRectF& R, const QRectF& Bounds, bool AllowEnlarge);

} // namespace zor
