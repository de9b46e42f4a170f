#pragma once

#include "StandFieldInfo.h"
#include "base/TypingCheck.h"

#include <QString>

// The typing check of stand box `index` after a change of its text; `caret` is the number of
// characters before the caret. "@" (no value) passes every check. A bad text the program set
// (caret at 0) stays as it is.
TypingResult CheckStandField(int index, const QString& text, int caret);
