#pragma once
// Copies of path geometry repeated by rotation or translation: how the round
// instruments build their rings of markers.

#include <QPointF>
#include <vector>

namespace zor {

class TSVGPath;
class TZorPathData;

class TSVGGraphicsFactory {
public:
    TSVGGraphicsFactory() = delete;

    // Appends Num copies of Path's geometry to Path, copy k turned k times
    // by Angle degrees (clockwise on screen) about CenterPoint, as one
    // change. Num ≤ 0 changes nothing.
    static void Duplicate(TZorPathData& Path, QPointF CenterPoint, float Angle, int Num);
    // Appends Num copies moved k times by (DeltaX, DeltaY).
    static void Duplicate(TZorPathData& Path, float DeltaX, float DeltaY, int Num);

    // Inserts Num copies of the path element after it in its parent, copy k
    // turned k times by Angle degrees about CenterPoint, and returns them in
    // order. Raises EInvalidOperation for a path without a parent, which
    // would have nowhere to keep them.
    static std::vector<TSVGPath*> Duplicate(TSVGPath& Path, QPointF CenterPoint, float Angle, int Num);
    // The same with copy k moved k times by (DeltaX, DeltaY).
    static std::vector<TSVGPath*> Duplicate(TSVGPath& Path, float DeltaX, float DeltaY, int Num);
};

} // namespace zor
