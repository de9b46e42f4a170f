#include "TypingCheck.h"

#include "NumberTest.h"

namespace {

bool endsWith(const QString& t, QChar c)
{
    return !t.isEmpty() && t.back() == c;
}

bool isBad(TypingClass typingClass, const QString& t, int caret, const QString& placeholder)
{
    if (!placeholder.isEmpty() && t == placeholder)
        return false;
    switch (typingClass) {
    case TypingClass::Integer:
        return !readsAsNumber(t) || endsWith(t, u'.') || endsWith(t, u'-') || endsWith(t, u' ');
    case TypingClass::Decimal:
        return (t != QStringLiteral(".") && !readsAsNumber(t)) || endsWith(t, u'-') ||
               endsWith(t, u' ');
    case TypingClass::StandWhole:
        return !readsAsNumber(t) || endsWith(t, u'.') || endsWith(t, u' ');
    case TypingClass::StandDecimal:
        return (t != QStringLiteral(".") && !readsAsNumber(t)) || endsWith(t, u' ');
    case TypingClass::SignedDecimal:
        if (endsWith(t, u' '))
            return true;
        if (endsWith(t, u'-') && caret > 1)
            return true;
        return t != QStringLiteral("-") && t != QStringLiteral(".") && !readsAsNumber(t);
    default:
        return false;
    }
}

} // namespace

TypingResult checkTyping(TypingClass typingClass, const QString& text, int caret,
                         const QString& placeholder)
{
    TypingResult result{true, text, qBound(0, caret, int(text.size())), false};
    switch (typingClass) {
    case TypingClass::None:
        return result;
    case TypingClass::ValueClass: {
        const bool good = (text.size() == 1 && text[0] >= u'1' && text[0] <= u'3') ||
                          (!placeholder.isEmpty() && text == placeholder);
        if (good || text.isEmpty())
            return result;
        return TypingResult{false, QString(), 0, true};
    }
    case TypingClass::GrowthCode: {
        // Compared as text, so a longer value the program put there is judged the same way
        // as a keystroke: "25" lies between "0" and "3" and stays, "30" does not.
        const bool good = (text >= QStringLiteral("0") && text <= QStringLiteral("3")) ||
                          (!placeholder.isEmpty() && text == placeholder);
        if (good || text.isEmpty())
            return result;
        return TypingResult{false, QString(), 0, true};
    }
    default:
        break;
    }
    if (text.isEmpty())
        return result;
    while (!result.text.isEmpty() && result.caret >= 1 &&
           isBad(typingClass, result.text, result.caret, placeholder)) {
        result.text.remove(result.caret - 1, 1);
        result.caret -= 1;
        result.accepted = false;
        result.beep = true;
    }
    return result;
}
