#pragma once

#include "TreeFields.h"

#include <QString>
#include <array>

// The tree data file's fixed 49-column record.
inline constexpr int TreeRecordLength = 49;

// Field texts by field number: index 0 is unused so numbers match the window's fields 1..19.
using TreeFieldTexts = std::array<QString, TreeFieldCount + 1>;

QString FormatTreeRecord(const TreeFieldTexts& fields);
// The line that replaces `replaced` on an update: its 49 columns rebuilt from the fields, then
// whatever stood past column 49, unchanged. Other tools keep plot data there (slope, aspect,
// habitat type) that the simulator reads.
QString ReplaceTreeRecord(const QString& replaced, const TreeFieldTexts& fields);
TreeFieldTexts ParseTreeRecord(const QString& line);

// The Dbh number format "#.0". Never fails: exact halves round away from zero, a lone point
// (the only non-number the entry rules let through) counts as 0, and any other text that does
// not read as a number is written as it stands.
QString formatDbh(const QString& text);
