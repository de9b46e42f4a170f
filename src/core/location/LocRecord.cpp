#include "LocRecord.h"

#include "base/RecordText.h"

using RecordText::isSeparator;
using RecordText::oneLine;

const QString& LocRecord::field(Field f) const
{
    switch (f) {
    case Field::LocationName:
        return locationName;
    case Field::Access:
        return access;
    case Field::SlfFileName:
        return slfFileName;
    case Field::GroupingCode:
        return groupingCode;
    default:
        return addfiles;
    }
}

QString& LocRecord::field(Field f)
{
    return const_cast<QString&>(std::as_const(*this).field(f));
}

LocRecord::Kind locRecordKind(QStringView line)
{
    if (line.isEmpty())
        return LocRecord::Kind::Invalid;
    switch (line.front().unicode()) {
    case u'A':
    case u'a':
        return LocRecord::Kind::A;
    case u'B':
    case u'b':
        return LocRecord::Kind::B;
    default:
        return LocRecord::Kind::Invalid;
    }
}

QStringList splitLocTokens(QStringView line)
{
    QStringList tokens;
    const qsizetype n = line.size();
    qsizetype i = 1;
    while (true) {
        while (i < n && isSeparator(line[i]))
            ++i;
        if (i >= n)
            break;
        if (line[i] == u'"') {
            const qsizetype begin = i + 1;
            qsizetype close = line.indexOf(u'"', begin);
            if (close < 0)
                close = n;
            tokens.append(line.mid(begin, close - begin).toString());
            i = close + 1;
        } else {
            const qsizetype begin = i;
            while (i < n && !isSeparator(line[i]))
                ++i;
            tokens.append(line.mid(begin, i - begin).toString());
        }
    }
    return tokens;
}

QString FormatLocRecord(const LocRecord& record)
{
    switch (record.kind) {
    case LocRecord::Kind::A: {
        QString name = oneLine(record.locationName);
        name.replace(u'"', u'\'');
        // An empty access field would let the file name slide into its place on reading.
        const QString access = record.access.isEmpty() ? RecordText::placeholder() : record.access;
        return QStringLiteral("A \"") + name + QStringLiteral("\" ") + oneLine(access) + u' ' +
               oneLine(record.slfFileName) + QStringLiteral(" @ @");
    }
    case LocRecord::Kind::B:
        return QStringLiteral("B ") + oneLine(record.groupingCode) + u' ' +
               oneLine(record.addfiles);
    default:
        return QString();
    }
}

LocRecord ParseLocRecord(const QString& line)
{
    LocRecord record;
    record.kind = locRecordKind(line);
    if (record.kind == LocRecord::Kind::Invalid)
        return record;
    const QStringList tokens = splitLocTokens(line);
    if (record.kind == LocRecord::Kind::A) {
        if (tokens.size() > 0)
            record.locationName = tokens[0];
        if (tokens.size() > 1)
            record.access = tokens[1];
        if (tokens.size() > 2)
            record.slfFileName = tokens[2];
        return record;
    }
    if (tokens.size() > 0)
        record.groupingCode = tokens[0];
    for (qsizetype n = 1; n < tokens.size(); ++n) {
        if (tokens[n] == RecordText::placeholder())
            continue;
        if (!record.addfiles.isEmpty())
            record.addfiles += u' ';
        record.addfiles += tokens[n];
    }
    return record;
}
