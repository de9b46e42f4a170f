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

LocTokens locTokens(QStringView line)
{
    LocTokens tokens;
    const QChar* c = line.begin();
    const QChar* const end = line.end();
    if (c != end)
        ++c; // the type letter
    for (;;) {
        while (c != end && isSeparator(*c))
            ++c;
        if (c == end)
            return tokens;
        if (*c == u'"') {
            const QChar* const begin = ++c;
            while (c != end && *c != u'"')
                ++c;
            tokens.append(QStringView(begin, c));
            if (c != end)
                ++c; // the closing quote
        } else {
            const QChar* const begin = c;
            while (c != end && !isSeparator(*c))
                ++c;
            tokens.append(QStringView(begin, c));
        }
    }
}

QString locAddfiles(const LocTokens& tokens)
{
    QString addfiles;
    for (qsizetype n = 1; n < tokens.size(); ++n) {
        if (RecordText::isPlaceholder(tokens[n]))
            continue;
        if (!addfiles.isEmpty())
            addfiles += u' ';
        addfiles += tokens[n];
    }
    return addfiles;
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
    const LocTokens tokens = locTokens(line);
    if (record.kind == LocRecord::Kind::A) {
        if (tokens.size() > 0)
            record.locationName = tokens[0].toString();
        if (tokens.size() > 1)
            record.access = tokens[1].toString();
        if (tokens.size() > 2)
            record.slfFileName = tokens[2].toString();
        return record;
    }
    if (tokens.size() > 0)
        record.groupingCode = tokens[0].toString();
    record.addfiles = locAddfiles(tokens);
    return record;
}
