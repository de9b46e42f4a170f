#include "LocationsFileCheck.h"

#include "LocRecord.h"
#include "recordfile/ReadBack.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Kind = CheckFinding::Kind;

// Token index where the B record's list of addfiles begins; the A record has no list.
constexpr qsizetype AddfilesFrom = 1;

QString fieldName(LocRecord::Kind kind, qsizetype index)
{
    if (kind == LocRecord::Kind::B)
        return index == 0 ? QStringLiteral("Grouping code") : QStringLiteral("Addfiles");
    switch (index) {
    case 0:
        return QStringLiteral("Location");
    case 1:
        return QStringLiteral("Access field");
    case 2:
        return QStringLiteral("Stand List File");
    default:
        return QStringLiteral("Placeholder");
    }
}

} // namespace

namespace LocationsFileCheck {

std::optional<CheckFinding> readBack(const QString& line)
{
    const LocRecord record = ParseLocRecord(line);
    if (record.kind == LocRecord::Kind::Invalid)
        return std::nullopt;
    const QString again = FormatLocRecord(record);
    const auto difference = ReadBack::firstDifference(
        splitLocTokens(line), splitLocTokens(again),
        record.kind == LocRecord::Kind::B ? AddfilesFrom : ReadBack::NoList);
    if (!difference)
        return std::nullopt;
    return CheckFinding{0, Kind::ReadBack, fieldName(record.kind, difference->index),
                        visibleText(difference->token),
                        QStringLiteral("the line reads back as \"%1\" (a value with a blank in it "
                                       "splits in two and moves the values after it)")
                            .arg(visibleText(again))};
}

QList<CheckFinding> check(const QStringList& lines, const QString& folder,
                          const ReadBackRule& readBackRule)
{
    QList<CheckFinding> out;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        const int lineNumber = int(index) + 1;
        if (line.isEmpty())
            continue;
        const LocRecord::Kind kind = locRecordKind(line);
        if (kind == LocRecord::Kind::Invalid) {
            out.append({lineNumber, Kind::UnknownLine, QString(), QString(),
                        QStringLiteral("a line of unknown type \"%1\": it is no A or B line, so "
                                       "Vorlin cannot read it")
                            .arg(visibleText(QStringView(line).left(1)))});
            continue;
        }
        if (std::optional<CheckFinding> finding = readBackRule(line)) {
            finding->line = lineNumber;
            out.append(*finding);
        }
        if (kind != LocRecord::Kind::A)
            continue;
        const QString slf = ParseLocRecord(line).slfFileName;
        if (slf.isEmpty() || slf == QStringLiteral("@")) {
            out.append({lineNumber, Kind::MissingStandListFile, fieldName(kind, 2), slf,
                        QStringLiteral("no Stand List File is named: Vorlin finds no stands for "
                                       "this location")});
        } else if (!QFileInfo(QDir(folder), slf).isFile()) {
            out.append({lineNumber, Kind::MissingStandListFile, fieldName(kind, 2),
                        visibleText(slf),
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Locations File): Vorlin finds no stands "
                                       "for this location")});
        }
    }
    return out;
}

} // namespace LocationsFileCheck
