#include "TreeRecord.h"

#include "base/Cp1252.h"
#include "base/NumberTest.h"

namespace {

QString fit(const QString& text, int width, TreeAlign align)
{
    if (text.size() >= width)
        return text.left(width);
    return align == TreeAlign::Right ? text.rightJustified(width, u' ')
                                     : text.leftJustified(width, u' ');
}

// Adds one to a string of decimal digits.
void incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

} // namespace

QString formatDbh(const QString& text)
{
    if (text.trimmed() == QStringLiteral("."))
        return QStringLiteral(".0");
    if (!readsAsNumber(text))
        return text;
    // Decimal arithmetic on the text itself: no binary rounding surprises, no overflow.
    bool negative = false;
    QString whole, fraction;
    bool inFraction = false;
    for (const QChar c : text) {
        if (c == u'-')
            negative = true;
        else if (c == u'.')
            inFraction = true;
        else if (c.isDigit())
            (inFraction ? fraction : whole).append(c);
    }
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    QString tenths = fraction.isEmpty() ? QStringLiteral("0") : fraction.left(1);
    if (fraction.size() > 1 && fraction[1] >= u'5') {
        QString digits = whole + tenths;
        incrementDigits(digits);
        whole = digits.left(digits.size() - 1);
        tenths = digits.right(1);
    }
    const bool zero = whole == QStringLiteral("0") && tenths == QStringLiteral("0");
    QString result = (whole == QStringLiteral("0") ? QString() : whole) + u'.' + tenths;
    if (negative && !zero)
        result.prepend(u'-');
    return result;
}

QString FormatTreeRecord(const TreeFieldTexts& fields)
{
    QString line;
    line.reserve(TreeRecordLength);
    for (int i = 1; i <= TreeFieldCount; ++i) {
        QString text = fields[i];
        if (i == TreeFields::Species)
            text = Cp1252::toUpper(text);
        else if (i == TreeFields::Dbh && !text.isEmpty())
            text = formatDbh(text);
        line += fit(text, treeField(i).width, treeField(i).align);
    }
    return line;
}

QString ReplaceTreeRecord(const QString& replaced, const TreeFieldTexts& fields)
{
    return FormatTreeRecord(fields) + replaced.mid(TreeRecordLength);
}

TreeFieldTexts ParseTreeRecord(const QString& line)
{
    TreeFieldTexts fields;
    for (int i = 1; i <= TreeFieldCount; ++i) {
        QString text = line.mid(treeField(i).column - 1, treeField(i).width);
        if (i == TreeFields::Species) {
            while (!text.isEmpty() && text.back() == u' ')
                text.chop(1);
        } else {
            qsizetype start = 0;
            while (start < text.size() && text[start] == u' ')
                ++start;
            text.remove(0, start);
        }
        fields[i] = text;
    }
    return fields;
}
