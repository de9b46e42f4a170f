#include "TypingCheck.h"

#include "NumberTest.h"
#include "Cp1252.h"

#include <algorithm>

namespace {

bool endsWith(const QString& t, QChar c)
{
    return !t.isEmpty() && t.back() == c;
}

bool isBad(TypingClass typingClass, const QString& t, const QString& placeholder)
{
    if (!placeholder.isEmpty() && t == placeholder)
        return false;
    // A trailing sign or blank never reads as a number, so the rules need not name them.
    switch (typingClass) {
    case TypingClass::Integer:
        return !readsAsNumber(t) || endsWith(t, u'.');
    case TypingClass::Decimal:
        return t != QStringLiteral(".") && !readsAsNumber(t);
    case TypingClass::SignedDecimal:
        return t != QStringLiteral("-") && t != QStringLiteral(".") && !readsAsNumber(t);
    default:
        return false;
    }
}

qsizetype withoutByte(const QString& t)
{
    return std::count_if(t.begin(), t.end(), [](QChar c) { return !Cp1252::canEncode(c); });
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
           isBad(typingClass, result.text, placeholder)) {
        result.text.remove(result.caret - 1, 1);
        result.caret -= 1;
        result.accepted = false;
        result.beep = true;
    }
    return result;
}

bool isUnfinishedNumber(TypingClass typingClass, QStringView text)
{
    if (typingClass != TypingClass::Integer && typingClass != TypingClass::Decimal &&
        typingClass != TypingClass::SignedDecimal)
        return false;
    bool mark = false;
    for (const QChar c : text) {
        if (c == u'+' || c == u'-' || c == u'.')
            mark = true;
        else if (c != u' ')
            return false;
    }
    return mark;
}

TypingResult checkEdit(TypingClass typingClass, const QString& previous, const QString& text,
                       int caret, int maxLength, const QString& placeholder)
{
    int p = qBound(0, caret, int(text.size()));
    // A value the program put there may hold such characters; only new ones are refused.
    if (withoutByte(text) > withoutByte(previous)) {
        // The caret where the change began, as far as a text can tell.
        const int before = qBound(0, p - int(text.size() - previous.size()), int(previous.size()));
        return TypingResult{false, previous, before, true};
    }
    QString t = text;
    bool refused = false;
    if (maxLength > 0) {
        const int allowed = qMax(maxLength, int(previous.size()));
        while (t.size() > allowed && p > 0) {
            t.remove(p - 1, 1);
            --p;
            refused = true;
        }
    }
    TypingResult result = checkTyping(typingClass, t, p, placeholder);
    if (refused) {
        result.accepted = false;
        result.beep = true;
    }
    return result;
}
