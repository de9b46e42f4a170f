#pragma once

#include "recordfile/CheckFinding.h"

#include <QString>
#include <span>

// What the simulator and Vorlin will make of a Stand List File's lines: lines of unknown type,
// lines before the first A line, values that do not read back as written (the rule the stand
// window warns by), variant codes that are none of the 22, and tree data files and addfiles
// that are not there. Empty lines are skipped, as on loading.
namespace StandFileCheck {

// File names are looked for relative to `folder`, the Stand List File's folder. A file of
// `halvesFrom` lines or more is checked in two halves at once, with the same findings.
QList<CheckFinding> check(std::span<const QString> lines, const QString& folder,
                          qsizetype halvesFrom = CheckHalvesFrom);

} // namespace StandFileCheck
