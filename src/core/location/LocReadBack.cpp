#include "LocReadBack.h"

#include "base/RecordText.h"

using Field = LocRecord::Field;

QList<ReadBack::Problem> valuesThatWouldNotReadBack(const LocRecord& record)
{
    ReadBack::Finder finder;
    switch (record.kind) {
    case LocRecord::Kind::A:
        finder.text(int(Field::LocationName), record.locationName);
        finder.token(int(Field::Access), record.access);
        finder.token(int(Field::SlfFileName), record.slfFileName, true);
        break;
    case LocRecord::Kind::B:
        finder.token(int(Field::GroupingCode), record.groupingCode, true);
        finder.list(int(Field::Addfiles), record.addfiles, true);
        break;
    default:
        break;
    }
    return finder.found();
}

QList<ReadBack::Problem> valuesThatWouldNotReadBack(const QString& line)
{
    QList<ReadBack::Problem> problems = valuesThatWouldNotReadBack(ParseLocRecord(line));
    const QStringList tokens = splitLocTokens(line);
    const LocRecord::Kind kind = locRecordKind(line);
    ReadBack::Finder finder;
    if (kind == LocRecord::Kind::A) {
        for (qsizetype n = 3; n < tokens.size(); ++n) {
            if (tokens[n] != RecordText::placeholder()) {
                finder.dropped(int(Field::SlfFileName), tokens[n]);
                break;
            }
        }
    }
    const bool addfilesFlagged =
        !problems.isEmpty() && problems.back().field == int(Field::Addfiles);
    if (kind == LocRecord::Kind::B && !addfilesFlagged) {
        for (qsizetype n = 1; n < tokens.size() && finder.found().isEmpty(); ++n)
            finder.unquoted(int(Field::Addfiles), tokens[n]);
    }
    return problems + finder.found();
}
