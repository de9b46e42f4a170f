#pragma once

#include "base/TypingCheck.h"

// One entry box of a data window, as the window's table describes it: the one place where a
// field is named, typed and required.
struct EntryField
{
    const char* box;     // object name of its entry box
    const char* name;    // how labels and messages name it
    const char* hint;    // tooltip of its label or box; empty: none
    TypingClass typing;  // the check of every change
    int maxLength;       // characters the box takes; 0: no limit
    const char* missing; // "Missing Data" text when it is left empty; nullptr: it may be
};
