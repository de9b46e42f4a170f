#pragma once

#include "StandSet.h"
#include "recordfile/ReadBack.h"

#include <optional>

// Where the read-back rule meets the Stand List File: which values of a stand are single tokens
// and which are lists. A problem's field is a StandBox index, 0 for a dropped value.

// Every value of the set that would not read back, in the order the A to D lines write them.
// Variant codes and addfiles are lists separated by blanks (and commas for variants), grouping
// codes one per line.
QList<ReadBack::Problem> findUnreadableValues(const StandSet& set);

// The same rule for one line of a file, on the values the reader takes from it, and a value
// the reader skips (an A line's placeholder that is not "@", a B line's values past the 29th):
// the trace a value with a blank in it leaves once written. The first problem only.
std::optional<ReadBack::Problem> findUnreadableValue(QStringView line);
// The same on the line's tokens, for a caller that has them.
std::optional<ReadBack::Problem> findUnreadableValue(QStringView line, const StandTokens& tokens);
