#pragma once

#include "FileKind.h"

#include <QStringList>
#include <QTextStream>

// `sapwright --check`: checks record files without a display; it only reads files and writes
// text.
namespace CheckCommand {

// Prints `FILE:LINE: SEVERITY: message` for every finding, as compilers do; "-" is standard
// input. A kind other than None reads every file as that kind. Exit status: 0 without errors or
// warnings (notes alone pass), 1 with them, 2 when a file cannot be read or is of none of the
// three kinds.
int run(const QStringList& files, FileKind kind, int variantPosition, QTextStream& out,
        QTextStream& err);

} // namespace CheckCommand
