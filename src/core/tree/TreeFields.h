#pragma once

#include "recordfile/EntryField.h"

#include <QList>

// The 19 fields of the tree data window, one per field of the tree record.
inline constexpr int TreeFieldCount = 19;

enum class TreeAlign
{
    Right,
    Left
};

// A field's entry box and where the record holds it.
struct TreeFieldInfo : EntryField
{
    int column; // first column, 1-based
    int width;
    TreeAlign align;
};

// Fields 1 to 19; index 0 holds nothing.
const TreeFieldInfo& treeField(int number);
QList<EntryField> treeEntryFields();

namespace TreeFields {
inline constexpr int PlotNumber = 1;
inline constexpr int TreeNumber = 2;
inline constexpr int TreeCount = 3;
inline constexpr int Status = 4;
inline constexpr int Species = 5;
inline constexpr int Dbh = 6;
inline constexpr int DbhIncrement = 7;
inline constexpr int TotalHeight = 8;
inline constexpr int HeightToTopkill = 9;
inline constexpr int HeightIncrement = 10;
inline constexpr int CrownRatio = 11;
inline constexpr int Damage1 = 12;
inline constexpr int Severity1 = 13;
inline constexpr int Damage2 = 14;
inline constexpr int Severity2 = 15;
inline constexpr int Damage3 = 16;
inline constexpr int Severity3 = 17;
inline constexpr int ValueClass = 18;
inline constexpr int PrescriptionCode = 19;
} // namespace TreeFields
