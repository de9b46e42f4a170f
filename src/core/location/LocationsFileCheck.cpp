#include "LocationsFileCheck.h"

#include "LocReadBack.h"
#include "LocRecord.h"
#include "base/RecordText.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Kind = CheckFinding::Kind;

QString fieldName(LocRecord::Field field)
{
    switch (field) {
    case LocRecord::Field::LocationName:
        return QStringLiteral("Location");
    case LocRecord::Field::Access:
        return QStringLiteral("Access field");
    case LocRecord::Field::SlfFileName:
        return QStringLiteral("Stand List File");
    case LocRecord::Field::GroupingCode:
        return QStringLiteral("Grouping code");
    default:
        return QStringLiteral("Addfiles");
    }
}

// The first value of the line that the read-back rule finds. A field the line leaves empty is
// no read-back matter here: a missing Stand List File has a finding of its own.
std::optional<CheckFinding> readBack(const QString& line, int lineNumber)
{
    for (const ReadBack::Problem& p : valuesThatWouldNotReadBack(line)) {
        if (p.why == ReadBack::Why::Empty)
            continue;
        if (p.why == ReadBack::Why::Dropped)
            return ReadBack::finding(lineNumber, QString(), p);
        // Read from a line, a value can only hold blanks inside quotes.
        return ReadBack::finding(lineNumber, fieldName(LocRecord::Field(p.field)), p,
                                 QStringLiteral(" (kept whole only by its quotes, which are lost "
                                                "when the record is written again)"));
    }
    return std::nullopt;
}

} // namespace

namespace LocationsFileCheck {

QList<CheckFinding> check(const QStringList& lines, const QString& folder)
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
        const LocRecord record = ParseLocRecord(line);
        if (std::optional<CheckFinding> finding = readBack(line, lineNumber)) {
            out.append(*finding);
        } else if (kind == LocRecord::Kind::B && record.addfiles.isEmpty()) {
            // The window writes a B line only with an addfile after its grouping code.
            out.append({lineNumber, Kind::ShiftedValues, fieldName(LocRecord::Field::GroupingCode),
                        visibleText(record.groupingCode),
                        QStringLiteral("a B line without an addfile: Vorlin attaches nothing to "
                                       "this grouping code (when the grouping code was only "
                                       "blanks, the addfile stands in its place)")});
        }
        if (kind != LocRecord::Kind::A)
            continue;
        const QString slf = record.slfFileName;
        const QString field = fieldName(LocRecord::Field::SlfFileName);
        if (slf.isEmpty() || slf == RecordText::placeholder()) {
            out.append({lineNumber, Kind::MissingStandListFile, field, slf,
                        QStringLiteral("no Stand List File is named: Vorlin finds no stands for "
                                       "this location")});
        } else if (!QFileInfo(QDir(folder), slf).isFile()) {
            out.append({lineNumber, Kind::MissingStandListFile, field, visibleText(slf),
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Locations File): Vorlin finds no stands "
                                       "for this location")});
        }
    }
    return out;
}

} // namespace LocationsFileCheck
