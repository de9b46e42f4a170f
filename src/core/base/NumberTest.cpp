#include "NumberTest.h"

bool readsAsNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    NumberDigits digits;
    for (; i < n; ++i)
        digits.take(text[i].unicode());
    return digits.readsAsNumber();
}
