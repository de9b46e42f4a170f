#pragma once

#include "recordfile/CheckFinding.h"

#include <QStringList>
#include <functional>

// What the simulator and Vorlin will make of a Stand List File's lines: lines of unknown type,
// lines before the first A line, values that do not read back as written, variant codes that
// are none of the 22, and tree data files and addfiles that are not there. Empty lines are
// skipped, as on loading.
namespace StandFileCheck {

// The values of one record set (its A line first) that do not read back as the lines show
// them; the `line` of each finding is the index of its line in `setLines`.
using ReadBackRule = std::function<QList<CheckFinding>(const QStringList& setLines)>;

// Reads the set, writes it again and compares the A and B lines token by token.
QList<CheckFinding> readBack(const QStringList& setLines);

// File names are looked for relative to `folder`, the Stand List File's folder.
QList<CheckFinding> check(const QStringList& lines, const QString& folder,
                          const ReadBackRule& readBackRule = readBack);

} // namespace StandFileCheck
