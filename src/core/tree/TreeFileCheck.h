#pragma once

#include "recordfile/CheckFinding.h"

#include <QStringList>

// What the simulator will make of a tree data file's lines. It reads each line in fixed
// columns: plot as a whole number in 1-4 and the tree ID as one whole number in 1-7, whole
// numbers in 14, 35, 36-47, 48 and 49, numbers in the other columns (Dbh, Dbh increment and
// height increment with an implied tenth when there is no point), the species as text in 15-17.
// Blanks inside a number are ignored and an all-blank number is zero.
namespace TreeFileCheck {

// `variantPosition` 1..22 also checks the species codes against that variant's list; 0 skips
// that check. Findings come in line order.
QList<CheckFinding> check(const QStringList& lines, int variantPosition = 0);

} // namespace TreeFileCheck
