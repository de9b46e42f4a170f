#include "CheckStandField.h"

#include "base/RecordText.h"

TypingResult CheckStandField(int index, const QString& text, int caret)
{
    return checkTyping(standField(index).typing, text, caret, RecordText::placeholder());
}
