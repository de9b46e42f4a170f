#include "LocationsFileCheck.h"

#include "LocReadBack.h"
#include "LocRecord.h"
#include "base/RecordText.h"
#include "recordfile/FileExistence.h"

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
std::optional<CheckFinding> readBack(QStringView line, const LocTokens& tokens, int lineNumber)
{
    // Const: an empty list that is not must allocate to be read.
    const QList<ReadBack::Problem> problems = valuesThatWouldNotReadBack(line, tokens);
    for (const ReadBack::Problem& p : problems) {
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

// Whether a B line's addfiles, the names after its grouping code but "@" joined by blanks, hold
// anything.
bool hasAddfiles(const LocTokens& tokens)
{
    qsizetype names = 0;
    bool text = false;
    for (qsizetype n = 1; n < tokens.size(); ++n) {
        if (!RecordText::isPlaceholder(tokens[n])) {
            ++names;
            text = text || !tokens[n].isEmpty();
        }
    }
    return names > 1 || text;
}

// Lines from .. to - 1 of the file.
QList<CheckFinding> checkLines(std::span<const QString> lines, size_t from, size_t to,
                               const QString& folder)
{
    QList<CheckFinding> out;
    FileExistence files(folder);
    forEachLine(lines, from, to, [&](int lineNumber, const QString& line) {
        const LocRecord::Kind kind = locRecordKind(line);
        if (kind == LocRecord::Kind::Invalid) {
            out.append({lineNumber, Kind::UnknownLine, QString(), QString(),
                        QStringLiteral("a line of unknown type \"%1\": it is no A or B line, so "
                                       "Vorlin cannot read it")
                            .arg(visibleText(QStringView(line).left(1)))});
            return;
        }
        const LocTokens tokens = locTokens(line);
        const QStringView first = tokens.isEmpty() ? QStringView() : tokens[0];
        if (std::optional<CheckFinding> finding = readBack(line, tokens, lineNumber)) {
            out.append(*finding);
        } else if (kind == LocRecord::Kind::B && !hasAddfiles(tokens)) {
            // The window writes a B line only with an addfile after its grouping code.
            out.append({lineNumber, Kind::ShiftedValues, fieldName(LocRecord::Field::GroupingCode),
                        visibleText(first),
                        QStringLiteral("a B line without an addfile: Vorlin attaches nothing to "
                                       "this grouping code (when the grouping code was only "
                                       "blanks, the addfile stands in its place)")});
        }
        if (kind != LocRecord::Kind::A)
            return;
        const QStringView slf = tokens.size() > 2 ? tokens[2] : QStringView();
        const QString field = fieldName(LocRecord::Field::SlfFileName);
        if (slf.isEmpty() || RecordText::isPlaceholder(slf)) {
            out.append({lineNumber, Kind::MissingStandListFile, field, slf.toString(),
                        QStringLiteral("no Stand List File is named: Vorlin finds no stands for "
                                       "this location")});
        } else if (!files.isFile(slf)) {
            out.append({lineNumber, Kind::MissingStandListFile, field, visibleText(slf),
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Locations File): Vorlin finds no stands "
                                       "for this location")});
        }
    });
    return out;
}

} // namespace

namespace LocationsFileCheck {

QList<CheckFinding> check(std::span<const QString> lines, const QString& folder,
                          qsizetype halvesFrom)
{
    // Each line's findings are its own.
    return findInHalves(lines.size(), halvesFrom, [&](size_t from, size_t to) {
        return checkLines(lines, from, to, folder);
    });
}

} // namespace LocationsFileCheck
