#include "TreeRecord.h"

#include "base/NumberTest.h"
#include "base/Cp1252.h"

namespace {

using T = TypingClass;
using A = TreeAlign;

const std::array<TreeFieldInfo, TreeFieldCount + 1> Fields = {{
    {0, 0, A::Left, T::None, 0, "", ""},
    {1, 4, A::Right, T::Integer, 4, "Plot number", "Integer (up to 4 digits) to identify plot"},
    {5, 3, A::Right, T::Integer, 3, "Tree number",
     "Integer (up to 3 digits) to identify the tree on the plot"},
    {8, 6, A::Right, T::Decimal, 6, "Tree count",
     "Number of stems the record represents on the plot"},
    {14, 1, A::Left, T::Integer, 1, "Status",
     "Integer (1-5 = live, 6,7 = recent mort, 8,9 = older dead)"},
    {15, 3, A::Left, T::None, 3, "Species", "2-character VELK code or 3-digit KTI code"},
    {18, 4, A::Right, T::Decimal, 4, "Dbh", "Diameter at breast height in inches"},
    {22, 3, A::Right, T::Decimal, 3, "Dbh increment",
     "DBH growth in tenths of inches (for large trees)"},
    {25, 3, A::Right, T::Decimal, 3, "Total height", "Height in feet to top of tree"},
    {28, 3, A::Right, T::Decimal, 3, "Height to topkill",
     "Height in feet to point of breakage or topkill"},
    {31, 4, A::Right, T::Decimal, 4, "Height increment",
     "Height growth in tenths of feet (for small trees)"},
    {35, 1, A::Left, T::Integer, 1, "Crown ratio",
     "Ratio of live crown to tree height (1 = 0-10%, 2=11-20%, ... 9 = 81-100%)"},
    {36, 2, A::Right, T::Integer, 2, "Damage 1", "VELK damage code (integer)"},
    {38, 2, A::Right, T::Integer, 2, "Severity 1", "Severity code for Damage Code 1"},
    {40, 2, A::Right, T::Integer, 2, "Damage 2", "VELK damage code (integer)"},
    {42, 2, A::Right, T::Integer, 2, "Severity 2", "Severity code for Damage Code 2"},
    {44, 2, A::Right, T::Integer, 2, "Damage 3", "VELK damage code (integer)"},
    {46, 2, A::Right, T::Integer, 2, "Severity 3", "Severity code for Damage Code 3"},
    {48, 1, A::Left, T::ValueClass, 1, "Value class",
     "Merchantability value (1 = desirable, 2 = acceptable, 3 = undesirable)"},
    {49, 1, A::Left, T::Integer, 1, "Prescription code",
     "Integer code for use with the VELK ThinPrsc keyword"},
}};

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

const TreeFieldInfo& treeField(int number)
{
    return Fields.at(number);
}

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
        line += fit(text, Fields[i].width, Fields[i].align);
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
        QString text = line.mid(Fields[i].column - 1, Fields[i].width);
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
