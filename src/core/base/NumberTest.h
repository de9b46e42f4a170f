#pragma once

#include <QStringView>

// Whether a text reads as a number: leading blanks, one optional sign, then digits with at
// most one decimal point and at least one digit, and nothing after them. A blank after the
// sign or among the digits, or a sign after them, would split or garble the value where a
// file reads it. Inline: a check asks it for every value of a file.
inline bool readsAsNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0;
}
