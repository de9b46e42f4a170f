#include "CheckStandField.h"

TypingResult CheckStandField(int index, const QString& text, int caret)
{
    return checkTyping(standField(index).typing, text, caret, QStringLiteral("@"));
}
