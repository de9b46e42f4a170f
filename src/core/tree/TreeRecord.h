#pragma once

#include "base/TypingCheck.h"

#include <QString>
#include <array>

// The tree data file's fixed 49-column record.
inline constexpr int TreeFieldCount = 19;
inline constexpr int TreeRecordLength = 49;

// Field texts by field number: index 0 is unused so numbers match the window's fields 1..19.
using TreeFieldTexts = std::array<QString, TreeFieldCount + 1>;

enum class TreeAlign
{
    Right,
    Left
};

struct TreeFieldInfo
{
    int column; // first column, 1-based
    int width;
    TreeAlign align;
    TypingClass typing;
    int maxLength; // characters the entry box takes
    const char* name;
    const char* hint;
};

const TreeFieldInfo& treeField(int number); // 1..19

namespace TreeFields {
inline constexpr int PlotNumber = 1;
inline constexpr int TreeNumber = 2;
inline constexpr int TreeCount = 3;
inline constexpr int Status = 4;
inline constexpr int Species = 5;
inline constexpr int Dbh = 6;
inline constexpr int CrownRatio = 11;
inline constexpr int Damage1 = 12;
inline constexpr int ValueClass = 18;
} // namespace TreeFields

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
