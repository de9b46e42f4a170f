#pragma once

#include "FileKind.h"

#include <QStringList>
#include <QTextStream>

// `sapwright --check`: checks record files without a display; it only reads files and writes
// text.
namespace CheckCommand {

// Prints `FILE:LINE: message` for every finding; "-" is standard input. A kind other than None
// reads every file as that kind. Exit status: 0 without findings, 1 with findings, 2 when a
// file cannot be read or is of none of the three kinds.
int run(const QStringList& files, FileKind kind, int variantPosition, QTextStream& out,
        QTextStream& err);

} // namespace CheckCommand
