#pragma once

#include <QStringList>
#include <QTextStream>

// The command line: `sapwright --check [--variant CODE] FILE...`, `--help`, `--version`.
// Needs no display: it only reads files and writes text.
namespace CheckCommand {

// Whether the command line (without the program name) is for this command rather than for
// the windows.
bool handles(const QStringList& arguments);

// Prints `FILE:LINE: SEVERITY: message` for every finding, as compilers do. Exit status: 0
// without errors or warnings (notes alone pass), 1 with them, 2 when a file cannot be read or
// is of none of the three kinds, or the arguments are wrong.
int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace CheckCommand
