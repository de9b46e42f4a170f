#pragma once

#include "recordfile/CheckFinding.h"

#include <QString>
#include <span>

// What the simulator will make of a tree data file's lines. A lone CR ends a line for it, as LF
// and CR LF do; it skips a line with "*" in column 1 and stops at the first line that holds the
// text "-999" in its first 250 columns. It reads each line in fixed columns: plot as a whole
// number in 1-4 and the tree ID as one whole number in 1-7, whole numbers in 14, 35, 36-47, 48
// and 49, numbers in the other columns (Dbh, Dbh increment and height increment with an implied
// tenth when there is no point), the species as text in 15-17, upper-cased and moved left, and
// plot data in 50-62: whole numbers in 50-59, a number in 60-62. Blanks inside a number are
// ignored; an all-blank number, a lone sign or a lone point is zero.
namespace TreeFileCheck {

// `variantPosition` 1..22 also checks the species codes against that variant's list; 0 skips
// that check. `lastLineEnded` false: the last line has no line end, so a lone CR that ends it
// makes no empty record after it. Findings come in line order, on the lines as split at LF. A
// file of `halvesFrom` lines or more is checked in two halves at once, with the same findings.
QList<CheckFinding> check(std::span<const QString> lines, int variantPosition = 0,
                          bool lastLineEnded = true, qsizetype halvesFrom = CheckHalvesFrom);

} // namespace TreeFileCheck
