#pragma once

#include "app/TypingCheck.h"

// A stand box of the stand window: its label, the label's tooltip, the typing check it runs
// and how many characters it takes.
struct StandFieldSpec
{
    const char* label;
    const char* tooltip;
    TypingClass typing;
    int maxLength; // 0: no limit
};

// Boxes 1 (stand ID) to 29; any other index gives an empty spec with no check and no limit.
const StandFieldSpec& standField(int index);
int standFieldMaxLength(int index);
