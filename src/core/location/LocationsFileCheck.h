#pragma once

#include "recordfile/CheckFinding.h"

#include <QString>
#include <span>

// What Vorlin will make of a Locations File's lines: lines of unknown type, values that do not
// read back as written (the rule the location window warns by), and Stand List Files that are
// not there. Empty lines are skipped, as on loading.
namespace LocationsFileCheck {

// Stand List File names are looked for relative to `folder`, the Locations File's folder. A file
// of `halvesFrom` lines or more is checked in two halves at once, with the same findings.
QList<CheckFinding> check(std::span<const QString> lines, const QString& folder,
                          qsizetype halvesFrom = CheckHalvesFrom);

} // namespace LocationsFileCheck
