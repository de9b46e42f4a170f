#pragma once

#include "app/TypingCheck.h"

// A stand box of the stand window: its label, the label's tooltip, the typing check it runs
// and how many characters it takes.
struct StandFieldInfo
{
    const char* label;
    const char* tooltip;
    TypingClass typing;
    int maxLength; // 0: no limit
};

// Boxes 1 (stand ID) to 29; any other index gives an empty entry with no check and no limit.
const StandFieldInfo& standField(int index);
int standFieldMaxLength(int index);
