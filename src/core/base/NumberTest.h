#pragma once

#include <QStringView>

// Whether a text reads as a number: leading blanks, one optional sign, then digits with at
// most one decimal point and at least one digit, and nothing after them. A blank after the
// sign or among the digits, or a sign after them, would split or garble the value where a
// file reads it.
bool readsAsNumber(QStringView text);

// The characters after the sign, taken one at a time without a branch: a check reads every
// value of a file as it scans its line.
class NumberDigits
{
public:
    void take(char16_t c)
    {
        const bool digit = c >= u'0' && c <= u'9';
        m_digits |= digit;
        m_points += c == u'.';
        m_other |= !digit && c != u'.';
    }
    bool readsAsNumber() const { return m_digits && m_points <= 1 && !m_other; }

private:
    bool m_digits = false;
    bool m_other = false;
    unsigned m_points = 0;
};
