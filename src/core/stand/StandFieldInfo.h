#pragma once

#include "base/TypingCheck.h"

// A stand box of the stand window: its label, the label's tooltip, the typing check it runs
// and how many characters it takes.
struct StandFieldInfo
{
    const char* label;
    const char* tooltip;
    TypingClass typing;
    int maxLength; // 0: no limit
};

// The entry boxes of one stand: 1 (stand ID) to 29 are the stand boxes, in B line order,
// followed by the other boxes the record set is built from.
namespace StandBox {
inline constexpr int StandId = 1;
inline constexpr int TreeFile = 30;
inline constexpr int Variant = 31;
inline constexpr int Groups = 32;
inline constexpr int Addfile = 33;
inline constexpr int Last = Addfile;
} // namespace StandBox

// Boxes 1 to 33; any other index gives an empty entry with no check and no limit.
const StandFieldInfo& standField(int index);
int standFieldMaxLength(int index);
