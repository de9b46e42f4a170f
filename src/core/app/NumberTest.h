#pragma once

#include <QStringView>

// Whether a text reads as a number: blanks, one optional sign (before the digits, or a minus
// after them), digits with at most one decimal point, at least one digit.
bool readsAsNumber(QStringView text);
