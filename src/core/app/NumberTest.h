#pragma once

#include <QStringView>

// Whether a text reads as a number: blanks, one optional sign (before or after the digits),
// digits with at most one decimal point, at least one digit.
bool readsAsNumber(QStringView text);
