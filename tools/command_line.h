#pragma once
// The command line of zorsvg: its usage errors, the reading of options and
// the dispatch to the command families.

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

#include "platform/exceptions.h"

namespace zor::tools {

// A command line that zorsvg cannot follow; exit status 2.
class EUsageError : public Exception {
public:
    using Exception::Exception;
};

// Options and operands of one command: "-o FILE", "--name VALUE" or
// "--name=VALUE"; "-" alone is an operand (standard input or output).
class TArguments {
public:
    explicit TArguments(const QStringList& Args);

    // The value of an option given by any of Names; empty when absent. An
    // option given without its value is a usage error.
    std::optional<QString> Take(std::initializer_list<const char*> Names);
    // Whether a flag given by any of Names is present; takes every copy.
    bool TakeFlag(std::initializer_list<const char*> Names);
    // A positive whole number option.
    std::optional<int> TakePositive(std::initializer_list<const char*> Names);
    // The operands left once the options are taken; anything that still
    // looks like an option is a usage error.
    QStringList Operands() const;

private:
    QStringList FArgs;
};

// Runs one zorsvg command line; returns the exit status: 0 done, 1 the input
// could not be read or drawn, 2 a usage error. Messages go to Err.
int RunZorsvg(const QStringList& Args, QTextStream& Out, QTextStream& Err);

} // namespace zor::tools
