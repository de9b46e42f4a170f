#include "NumberTest.h"

bool readsAsNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i] == u' ')
            ++i;
    };
    auto isSign = [&](qsizetype at) { return at < n && (text[at] == u'+' || text[at] == u'-'); };

    skipBlanks();
    bool signed_ = false;
    if (isSign(i)) {
        signed_ = true;
        ++i;
        skipBlanks();
    }
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    skipBlanks();
    // A sign after the digits only as a minus: "5+" is no number a simulator would read.
    if (!signed_ && i < n && text[i] == u'-') {
        ++i;
        skipBlanks();
    }
    return i == n;
}
