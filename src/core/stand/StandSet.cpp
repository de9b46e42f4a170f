#include "StandSet.h"

#include "base/RecordText.h"

#include <limits>

namespace {

using RecordText::isSeparator;
using RecordText::oneLine;

const QString Placeholder = RecordText::placeholder();

QString orPlaceholder(const QString& text)
{
    return text.isEmpty() ? Placeholder : text;
}

void readLine(StandSet& set, const QString& line)
{
    const StandTokens tokens = standTokens(line);
    const auto token = [&](qsizetype n) {
        return n <= tokens.size() ? tokens[n - 1].toString() : QString();
    };
    const auto value = [&](qsizetype n) {
        const QString text = token(n);
        return text == Placeholder ? QString() : text;
    };
    switch (standRecordType(line)) {
    case 'A':
        set.standId = token(1);
        set.treeFileName = value(2);
        for (qsizetype n = 4; n <= tokens.size(); ++n) {
            if (tokens[n - 1] != Placeholder) {
                set.variantCodes += tokens[n - 1];
                set.variantCodes += u' ';
            }
        }
        break;
    case 'B':
        for (int n = StandSet::FirstAttribute; n <= StandSet::MaxToken; ++n)
            set.attributes[n] = value(n);
        break;
    case 'C':
        for (qsizetype n = 2; n <= tokens.size(); ++n) {
            if (tokens[n - 1] == Placeholder)
                continue;
            if (!set.groupingCodes.isEmpty())
                set.groupingCodes += QStringLiteral("\r\n");
            set.groupingCodes += tokens[n - 1];
        }
        break;
    case 'D':
        for (qsizetype n = 2; n <= tokens.size(); ++n) {
            if (tokens[n - 1] == Placeholder)
                continue;
            if (!set.addfiles.isEmpty())
                set.addfiles += u' ';
            set.addfiles += tokens[n - 1];
        }
        break;
    default:
        break;
    }
}

} // namespace

char standRecordType(QStringView line)
{
    if (line.isEmpty())
        return 0;
    switch (line.front().unicode()) {
    case u'A':
    case u'a':
        return 'A';
    case u'B':
    case u'b':
        return 'B';
    case u'C':
    case u'c':
        return 'C';
    case u'D':
    case u'd':
        return 'D';
    default:
        return 0;
    }
}

StandTokens standTokens(QStringView line)
{
    StandTokens tokens;
    forEachStandToken(line, [&tokens](QStringView token) {
        tokens.append(token);
        return true;
    });
    return tokens;
}

QString variantCodesAsWritten(const QString& codes)
{
    QString written = codes;
    written.replace(u',', u' ');
    return written;
}

QStringList FormatStandSet(const StandSet& set)
{
    const QString id = oneLine(set.standId);
    QStringList lines;
    lines.append(QStringLiteral("A ") + id + u' ' + orPlaceholder(oneLine(set.treeFileName)) +
                 QStringLiteral(" @ ") + oneLine(variantCodesAsWritten(set.variantCodes)));
    QString b = QStringLiteral("B ") + id;
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        b += u' ' + orPlaceholder(oneLine(set.attributes[n]));
    lines.append(b);
    if (!set.groupingCodes.isEmpty())
        lines.append(QStringLiteral("C ") + id + u' ' + oneLine(set.groupingCodes));
    if (!set.addfiles.isEmpty())
        lines.append(QStringLiteral("D ") + id + u' ' + oneLine(set.addfiles));
    return lines;
}

StandSet::Bounds walkStandSet(const QStringList& list, int start)
{
    const int size = int(qMin<qsizetype>(list.size(), std::numeric_limits<int>::max()));
    StandSet::Bounds bounds;
    auto take = [&](int at) {
        const char type = standRecordType(list[at]);
        bounds.cCount += type == 'C';
        bounds.dCount += type == 'D';
    };
    int i = 0;
    if (start >= 0) {
        bounds.start = start;
        bounds.first = qMin(start, size);
        i = bounds.first;
        if (i < size)
            take(i++); // the A line itself
    }
    for (; i < size && !list[i].isEmpty() && standRecordType(list[i]) != 'A'; ++i)
        take(i);
    bounds.end = i;
    return bounds;
}

StandSet ParseStandSet(const QStringList& list, int start, StandSet::Bounds* bounds)
{
    const StandSet::Bounds walked = walkStandSet(list, start);
    StandSet set;
    for (int i = walked.first; i < walked.end; ++i)
        readLine(set, list[i]);
    if (bounds)
        *bounds = walked;
    return set;
}

int FindSetStart(const QStringList& list, int index)
{
    if (index < 0 || list.isEmpty())
        return -1;
    for (qsizetype i = qMin<qsizetype>(index, list.size() - 1); i >= 0; --i) {
        if (standRecordType(list[i]) == 'A')
            return int(i);
    }
    return -1;
}
