#pragma once
// Reading SVG path text into a path.

#include <QStringView>

namespace zor {

class TZorPathData;

// Appends the commands of Text to Path. Every command with its implicit
// repetitions is read; a command whose numbers are missing, malformed or not
// finite is dropped alone, and an unknown character ends reading. A path left
// ending with a move gets a close. Never raises.
void ReadPathText(QStringView Text, TZorPathData& Path);

// True when Text is exactly one number as path text writes numbers.
bool IsPathNumber(QStringView Text);

} // namespace zor
