#include "svg/render/transformed_path.h"

namespace zor {

TTransformedPath::TTransformedPath(const QPainterPath& Local, const QTransform& M)
{
    Build(Local, M);
}

bool TTransformedPath::Update(const TZorPathData& Path, const QTransform& M)
{
    const bool rebuild = Path.Revision() != FRevision || M != FMatrix;
    if (Path.Revision() != FRevision) {
        Build(Path.ToPainterPath(), M);
        FRevision = Path.Revision();
    } else if (M != FMatrix) {
        // The same outline under another matrix (a use drawing it again
        // elsewhere): only the mapping is new.
        Build(QPainterPath(FLocal), M);
        FRevision = Path.Revision();
    }
    // The fill mode is a setting of the path, not a change of it.
    const Qt::FillRule pathRule = Path.FillMode() == TZorFillMode::fmNonZero ? Qt::WindingFill : Qt::OddEvenFill;
    ApplyFillRule(FFillRule.value_or(pathRule));
    return rebuild;
}

void TTransformedPath::SetFillRule(Qt::FillRule Rule)
{
    FFillRule = Rule;
    ApplyFillRule(Rule);
}

const QPainterPath& TTransformedPath::CanvasStrokeOutline(const TStrokeStyle& Style) const
{
    if (FOutlineStyle != Style) {
        FOutline = Style.NonScaling ? StrokeOutline(FCanvas, Style) : FMatrix.map(StrokeOutline(FLocal, Style));
        FOutline.setFillRule(Qt::WindingFill);
        FOutlineStyle = Style;
    }
    return FOutline;
}

void TTransformedPath::Build(const QPainterPath& Local, const QTransform& M)
{
    FLocal = Local;
    FMatrix = M;
    FCanvas = M.map(Local);
    FRevision = 0;
    FOutlineStyle.reset();
    FOutline = QPainterPath();
    if (FFillRule)
        ApplyFillRule(*FFillRule);
}

void TTransformedPath::ApplyFillRule(Qt::FillRule Rule)
{
    if (FLocal.fillRule() != Rule)
        FLocal.setFillRule(Rule);
    if (FCanvas.fillRule() != Rule)
        FCanvas.setFillRule(Rule);
}

} // namespace zor
