#include "geometry/path_parser.h"

#include <array>
#include <cmath>

#include "geometry/arc.h"
#include "geometry/path_data.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

constexpr QStringView CommandLetters = u"zmlchvsqtaZMLCHVSQTA";

bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }
bool IsSpace(QChar C) { return C == u' ' || C == u'\t' || C == u'\n' || C == u'\r'; }
bool IsFinite(QPointF P) { return std::isfinite(P.x()) && std::isfinite(P.y()); }

// Where the characters of a number starting at Start end: digits, one
// point, exponent letters, and a sign first or right after an exponent
// letter. A second point or a sign elsewhere starts the next number.
qsizetype ScanNumber(QStringView Text, qsizetype Start)
{
    bool seenPoint = false;
    qsizetype pos = Start;
    for (; pos < Text.size(); ++pos) {
        const QChar c = Text[pos];
        if (c == u'.') {
            if (seenPoint)
                break;
            seenPoint = true;
        } else if (c == u'-' || c == u'+') {
            const bool afterExponent = pos > Start && (Text[pos - 1] == u'e' || Text[pos - 1] == u'E');
            if (pos != Start && !afterExponent)
                break;
        } else if (!IsDigit(c) && c != u'e' && c != u'E') {
            break;
        }
    }
    return pos;
}

class TPathTextReader {
public:
    TPathTextReader(QStringView Text, TZorPathData& Path)
        : FText(Text)
        , FPath(Path)
    {
    }

    void Read();

private:
    using THandler = bool (TPathTextReader::*)(bool Relative);
    struct TCommand {
        char16_t Letter;       // upper case; lower case is relative
        THandler Handler;      // reads one set of arguments and draws it
        char16_t Continuation; // what further argument sets mean; 0: none allowed
    };
    static const std::array<TCommand, 10> Commands;
    static const TCommand* Find(QChar Letter);

    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Current() const { return AtEnd() ? QChar() : FText[FPos]; }
    void SkipSpaces();
    void SkipSpacesAndOneComma();
    void SkipSeparators();
    bool StartsNumber() const;
    QStringView TakeCommandRun();
    bool ReadNumber(double& Value);
    bool ReadPoint(QPointF& P);
    bool ReadFlag(bool& Flag);
    void Execute(QChar Letter);

    QPointF Absolute(QPointF P, bool Relative) const { return Relative ? FPath.LastPoint() + P : P; }
    bool AddLine(QPointF To);
    bool AddCurve(QPointF Control1, QPointF Control2, QPointF End);
    bool AddQuadratic(QPointF Control, QPointF End);

    bool MoveTo(bool Relative);
    bool LineTo(bool Relative);
    bool HorizontalLineTo(bool Relative);
    bool VerticalLineTo(bool Relative);
    bool CurveTo(bool Relative);
    bool SmoothCurveTo(bool Relative);
    bool QuadraticTo(bool Relative);
    bool SmoothQuadraticTo(bool Relative);
    bool ArcTo(bool Relative);
    bool ClosePath(bool Relative);

    QStringView FText;
    qsizetype FPos = 0;
    TZorPathData& FPath;
    QChar FRepeat;       // the letter an argument set without a letter repeats
    QChar FLastDrawn;    // upper-case letter of the last command that drew
    QPointF FQuadControl; // control point of the last quadratic curve
};

const std::array<TPathTextReader::TCommand, 10> TPathTextReader::Commands = {{
    {u'M', &TPathTextReader::MoveTo, u'L'},
    {u'L', &TPathTextReader::LineTo, u'L'},
    {u'H', &TPathTextReader::HorizontalLineTo, u'H'},
    {u'V', &TPathTextReader::VerticalLineTo, u'V'},
    {u'C', &TPathTextReader::CurveTo, u'C'},
    {u'S', &TPathTextReader::SmoothCurveTo, u'S'},
    {u'Q', &TPathTextReader::QuadraticTo, u'Q'},
    {u'T', &TPathTextReader::SmoothQuadraticTo, u'T'},
    {u'A', &TPathTextReader::ArcTo, u'A'},
    {u'Z', &TPathTextReader::ClosePath, 0},
}};

const TPathTextReader::TCommand* TPathTextReader::Find(QChar Letter)
{
    const QChar upper = Letter.toUpper();
    for (const TCommand& command : Commands)
        if (command.Letter == upper.unicode())
            return &command;
    return nullptr;
}

void TPathTextReader::SkipSpaces()
{
    while (!AtEnd() && IsSpace(Current()))
        ++FPos;
}

void TPathTextReader::SkipSpacesAndOneComma()
{
    SkipSpaces();
    if (Current() == u',')
        ++FPos;
    SkipSpaces();
}

void TPathTextReader::SkipSeparators()
{
    while (!AtEnd() && (IsSpace(Current()) || Current() == u','))
        ++FPos;
}

bool TPathTextReader::StartsNumber() const
{
    const QChar c = Current();
    return IsDigit(c) || c == u'-' || c == u'+' || c == u'.';
}

QStringView TPathTextReader::TakeCommandRun()
{
    const qsizetype start = FPos;
    while (!AtEnd() && CommandLetters.contains(Current()))
        ++FPos;
    return FText.sliced(start, FPos - start);
}

bool TPathTextReader::ReadNumber(double& Value)
{
    SkipSpacesAndOneComma();
    const qsizetype start = FPos;
    FPos = ScanNumber(FText, start);
    const QStringView text = FText.sliced(start, FPos - start);
    SkipSpacesAndOneComma();
    // Strict reading also refuses numbers that overflow to infinity.
    return TryStrToFloat(text, Value);
}

bool TPathTextReader::ReadPoint(QPointF& P)
{
    double x = 0;
    double y = 0;
    SkipSeparators();
    if (!ReadNumber(x))
        return false;
    SkipSeparators();
    if (!ReadNumber(y))
        return false;
    SkipSeparators();
    P = QPointF(x, y);
    return true;
}

bool TPathTextReader::ReadFlag(bool& Flag)
{
    // A flag is one digit, so "0110,10" holds the flags 0 and 1 and then 10,10.
    SkipSpacesAndOneComma();
    const qsizetype start = FPos;
    bool digit = false;
    while (!AtEnd() && !digit) {
        const QChar c = Current();
        digit = IsDigit(c);
        if (!digit && c != u'.' && c != u'-')
            break;
        ++FPos;
    }
    const QStringView text = FText.sliced(start, FPos - start);
    SkipSpacesAndOneComma();
    double value = 0;
    if (!TryStrToFloat(text, value))
        return false;
    Flag = value != 0;
    return true;
}

void TPathTextReader::Read()
{
    qsizetype iterationStart = -1;
    while (!AtEnd() && FPos != iterationStart) {
        iterationStart = FPos;
        SkipSpaces();
        const QStringView run = TakeCommandRun();
        if (!run.isEmpty()) {
            for (QChar letter : run)
                Execute(letter);
        } else if (!AtEnd() && !FRepeat.isNull()) {
            Execute(FRepeat);
        }
    }
    const qsizetype count = FPath.Count();
    if (count > 0 && FPath.Points(count - 1).Kind == TPathPointKind::MoveTo)
        FPath.ClosePath();
}

void TPathTextReader::Execute(QChar Letter)
{
    const bool relative = Letter.isLower();
    const TCommand* command = Find(Letter);
    FRepeat = Letter;
    while ((this->*command->Handler)(relative)) {
        FLastDrawn = QChar(command->Letter);
        if (command->Continuation == 0) {
            FRepeat = QChar();
            return;
        }
        // Pairs after a move are lines, as SVG says.
        command = Find(QChar(command->Continuation));
        FRepeat = relative ? QChar(command->Letter).toLower() : QChar(command->Letter);
        if (!StartsNumber())
            return;
    }
}

bool TPathTextReader::AddLine(QPointF To)
{
    if (!IsFinite(To))
        return false;
    FPath.LineTo(To);
    return true;
}

bool TPathTextReader::AddCurve(QPointF Control1, QPointF Control2, QPointF End)
{
    if (!IsFinite(Control1) || !IsFinite(Control2) || !IsFinite(End))
        return false;
    FPath.CurveTo(Control1, Control2, End);
    return true;
}

bool TPathTextReader::AddQuadratic(QPointF Control, QPointF End)
{
    // The cubic that draws the same parabola.
    const QPointF start = FPath.LastPoint();
    if (!IsFinite(Control) || !AddCurve(start + (Control - start) * 2 / 3, End + (Control - End) * 2 / 3, End))
        return false;
    FQuadControl = Control;
    return true;
}

bool TPathTextReader::MoveTo(bool Relative)
{
    QPointF p;
    if (!ReadPoint(p))
        return false;
    p = Absolute(p, Relative);
    if (!IsFinite(p))
        return false;
    FPath.MoveTo(p);
    return true;
}

bool TPathTextReader::LineTo(bool Relative)
{
    QPointF p;
    return ReadPoint(p) && AddLine(Absolute(p, Relative));
}

bool TPathTextReader::HorizontalLineTo(bool Relative)
{
    double x = 0;
    if (!ReadNumber(x))
        return false;
    const QPointF last = FPath.LastPoint();
    return AddLine(QPointF(Relative ? last.x() + x : x, last.y()));
}

bool TPathTextReader::VerticalLineTo(bool Relative)
{
    double y = 0;
    if (!ReadNumber(y))
        return false;
    const QPointF last = FPath.LastPoint();
    return AddLine(QPointF(last.x(), Relative ? last.y() + y : y));
}

bool TPathTextReader::CurveTo(bool Relative)
{
    QPointF c1, c2, end;
    if (!ReadPoint(c1) || !ReadPoint(c2) || !ReadPoint(end))
        return false;
    return AddCurve(Absolute(c1, Relative), Absolute(c2, Relative), Absolute(end, Relative));
}

bool TPathTextReader::SmoothCurveTo(bool Relative)
{
    QPointF c2, end;
    if (!ReadPoint(c2) || !ReadPoint(end))
        return false;
    // Only a cubic just before has a control point to mirror.
    const QPointF start = FPath.LastPoint();
    QPointF c1 = start;
    if (FLastDrawn == u'C' || FLastDrawn == u'S')
        c1 = 2 * start - FPath.Points(FPath.Count() - 2).Point;
    return AddCurve(c1, Absolute(c2, Relative), Absolute(end, Relative));
}

bool TPathTextReader::QuadraticTo(bool Relative)
{
    QPointF control, end;
    if (!ReadPoint(control) || !ReadPoint(end))
        return false;
    return AddQuadratic(Absolute(control, Relative), Absolute(end, Relative));
}

bool TPathTextReader::SmoothQuadraticTo(bool Relative)
{
    QPointF end;
    if (!ReadPoint(end))
        return false;
    // Only a quadratic just before has a control point to mirror.
    const QPointF start = FPath.LastPoint();
    QPointF control = start;
    if (FLastDrawn == u'Q' || FLastDrawn == u'T')
        control = 2 * start - FQuadControl;
    return AddQuadratic(control, Absolute(end, Relative));
}

bool TPathTextReader::ArcTo(bool Relative)
{
    TEndpointArc arc;
    QPointF radii;
    if (!ReadPoint(radii) || !ReadNumber(arc.RotationDegrees) || !ReadFlag(arc.LargeArc)
        || !ReadFlag(arc.Sweep) || !ReadPoint(arc.To))
        return false;
    arc.From = FPath.LastPoint();
    arc.To = Absolute(arc.To, Relative);
    if (!IsFinite(arc.To))
        return false;
    arc.RadiusX = radii.x();
    arc.RadiusY = radii.y();
    const TArcShape shape = ArcToCurves(arc);
    switch (shape.Kind) {
    case TArcShapeKind::akNothing:
        break;
    case TArcShapeKind::akLine:
        FPath.LineTo(arc.To);
        break;
    case TArcShapeKind::akCurves:
        for (const TCubicBezier& curve : shape.Curves)
            FPath.CurveTo(curve.P1, curve.P2, curve.P3);
        break;
    }
    return true;
}

bool TPathTextReader::ClosePath(bool)
{
    FPath.ClosePath();
    return true;
}

} // namespace

void ReadPathText(QStringView Text, TZorPathData& Path)
{
    TPathTextReader(Text, Path).Read();
}

bool IsPathNumber(QStringView Text)
{
    double value = 0;
    return ScanNumber(Text, 0) == Text.size() && TryStrToFloat(Text, value);
}

} // namespace zor
