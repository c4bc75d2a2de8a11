#include "instruments/svg_graphics.h"

#include <QTransform>
#include <memory>

#include "geometry/path_data.h"
#include "platform/exceptions.h"
#include "platform/update_scope.h"
#include "svg/model/path_element.h"

namespace zor {

namespace {

inline constexpr const char* NoParentToDuplicateIn = "Cannot duplicate an element that has no parent";

// Turning by Angle degrees about Center: positive angles turn clockwise on a
// canvas whose y axis points down.
QTransform RotationAbout(QPointF Center, float Angle)
{
    return QTransform::fromTranslate(-Center.x(), -Center.y()) * QTransform().rotate(Angle) *
           QTransform::fromTranslate(Center.x(), Center.y());
}

void AppendCopies(TZorPathData& Path, const QTransform& Step, int Num)
{
    if (Num <= 0)
        return;
    TUpdateScope<TZorPathData> update(Path);
    TZorPathData copy;
    copy.Assign(&Path);
    for (int i = 0; i < Num; ++i) {
        copy.ApplyMatrix(Step);
        Path.Append(copy);
    }
}

std::vector<TSVGPath*> InsertCopies(TSVGPath& Path, const QTransform& Step, int Num)
{
    std::vector<TSVGPath*> copies;
    if (Num <= 0)
        return copies;
    TSVGElement* parent = Path.Parent();
    if (parent == nullptr)
        Raise<EInvalidOperation>(QString::fromLatin1(NoParentToDuplicateIn));
    copies.reserve(static_cast<std::size_t>(Num));
    qsizetype index = parent->Items().IndexOf(&Path);
    TSVGPath* previous = &Path;
    for (int i = 0; i < Num; ++i) {
        // A clone is of its original's own class.
        std::unique_ptr<TSVGPath> copy(static_cast<TSVGPath*>(previous->Clone(Path.Owner()).release()));
        copy->Data().ApplyMatrix(Step);
        previous = parent->InsertChild(++index, std::move(copy));
        copies.push_back(previous);
    }
    return copies;
}

} // namespace

void TSVGGraphicsFactory::Duplicate(TZorPathData& Path, QPointF CenterPoint, float Angle, int Num)
{
    AppendCopies(Path, RotationAbout(CenterPoint, Angle), Num);
}

void TSVGGraphicsFactory::Duplicate(TZorPathData& Path, float DeltaX, float DeltaY, int Num)
{
    AppendCopies(Path, QTransform::fromTranslate(DeltaX, DeltaY), Num);
}

std::vector<TSVGPath*> TSVGGraphicsFactory::Duplicate(TSVGPath& Path, QPointF CenterPoint, float Angle, int Num)
{
    return InsertCopies(Path, RotationAbout(CenterPoint, Angle), Num);
}

std::vector<TSVGPath*> TSVGGraphicsFactory::Duplicate(TSVGPath& Path, float DeltaX, float DeltaY, int Num)
{
    return InsertCopies(Path, QTransform::fromTranslate(DeltaX, DeltaY), Num);
}

} // namespace zor
