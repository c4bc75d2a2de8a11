#pragma once
// The subcommands of zorsvg: each reads one kind of SVG value from text and
// prints what the engine makes of it.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zor::tools {

// Path data: the normalised text, entry count, subpaths, length and bounds.
void DescribePath(const QString& Data, QTextStream& Out);
// A colour: its 0xAARRGGBB value and its text form.
void DescribeColor(const QString& Text, QTextStream& Out);
// A transform list: the matrix and its text form.
void DescribeTransform(const QString& Text, QTextStream& Out);
// A length: its unit and its value in user units at the given resolution.
void DescribeLength(const QString& Text, double Dpi, QTextStream& Out);

// The value commands as a family: "path", "color", "transform" and "length"
// with their operands, and "demo". Returns false when Args is none of them;
// raises EUsageError for one of them used wrongly.
bool RunValueCommand(const QStringList& Args, QTextStream& Out);

} // namespace zor::tools
