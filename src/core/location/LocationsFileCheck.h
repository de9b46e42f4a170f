#pragma once

#include "recordfile/CheckFinding.h"

#include <QStringList>
#include <functional>
#include <optional>

// What Vorlin will make of a Locations File's lines: lines of unknown type, values that do not
// read back as written, and Stand List Files that are not there. Empty lines are skipped, as on
// loading.
namespace LocationsFileCheck {

// The first value of one record line that does not read back as the line shows it; the
// finding's `line` is left 0.
using ReadBackRule = std::function<std::optional<CheckFinding>(const QString& line)>;

// Reads the record, writes it again and compares the two lines token by token.
std::optional<CheckFinding> readBack(const QString& line);

// Stand List File names are looked for relative to `folder`, the Locations File's folder.
QList<CheckFinding> check(const QStringList& lines, const QString& folder,
                          const ReadBackRule& readBackRule = readBack);

} // namespace LocationsFileCheck
