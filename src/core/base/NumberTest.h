#pragma once

#include <QStringView>

// Whether a text reads as a number: leading blanks, one optional sign, then digits with at
// most one decimal point and at least one digit, and nothing after them. A blank after the
// sign or among the digits, or a sign after them, would split or garble the value where a
// file reads it.
bool readsAsNumber(QStringView text);
