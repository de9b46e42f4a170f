#pragma once

#include "base/TypingCheck.h"

#include <functional>

class QLineEdit;
class QWidget;

// An entry box of a data window whose text the window logic checks and keeps.
namespace CheckedBox {

struct Field
{
    std::function<TypingResult(const QString& text, int caret)> edited; // the user's change
    std::function<void(const QString& text)> set;                       // any other change
    std::function<QString()> value;                                     // what the logic holds
};

// Typing goes through `edited` and the box shows what it returns, caret included; other
// changes (a dialog filling the box) go through `set`; the logic's own changes are shown by
// the window. The logic enforces the length, so a longer value the program sets shows whole.
void bind(QLineEdit* box, Field field);

// Enabled: the usual background. Disabled: the grey of a switched-off field, with its text
// still readable, since a disabled box's value still counts.
void showEnabled(QWidget* box, bool enabled);

} // namespace CheckedBox
