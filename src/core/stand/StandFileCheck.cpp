#include "StandFileCheck.h"

#include "StandFieldInfo.h"
#include "StandSet.h"
#include "recordfile/ReadBack.h"
#include "species/VariantList.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Kind = CheckFinding::Kind;

const QString None = QStringLiteral("@");
// Token index where the A line's list of variant codes begins.
constexpr qsizetype VariantsFrom = 3;

QString aLineField(qsizetype index)
{
    switch (index) {
    case 0:
        return QString::fromLatin1(standField(1).label);
    case 1:
        return QStringLiteral("Tree data file");
    case 2:
        return QStringLiteral("Placeholder");
    default:
        return QStringLiteral("Variant code(s)");
    }
}

QString bLineField(qsizetype index)
{
    const int position = int(index) + 1;
    return position <= StandSet::LastAttribute ? QString::fromLatin1(standField(position).label)
                                               : QStringLiteral("Value beyond the last field");
}

bool fileIsThere(const QString& folder, const QString& name)
{
    return QFileInfo(QDir(folder), name).isFile();
}

bool isVariantCode(const QString& token)
{
    return token.size() == 2 && VariantList::positionOf(token) != 0;
}

// The A line names a tree data file and variants; D lines name addfiles.
void checkNames(const QString& line, int lineNumber, const QString& folder,
                QList<CheckFinding>& out)
{
    const QStringList tokens = splitStandTokens(line);
    if (standRecordType(line) == 'A') {
        if (tokens.size() > 1 && tokens[1] != None && !fileIsThere(folder, tokens[1])) {
            out.append({lineNumber, Kind::MissingTreeFile, aLineField(1), tokens[1],
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Stand List File): the simulator finds no "
                                       "trees for this stand")});
        }
        for (qsizetype n = VariantsFrom; n < tokens.size(); ++n) {
            if (tokens[n] != None && !isVariantCode(tokens[n])) {
                out.append({lineNumber, Kind::UnknownVariant, aLineField(n), tokens[n],
                            QStringLiteral("not one of the 22 variant codes: the stand cannot "
                                           "be run in that variant")});
            }
        }
    } else if (standRecordType(line) == 'D') {
        for (qsizetype n = 1; n < tokens.size(); ++n) {
            if (tokens[n] != None && !fileIsThere(folder, tokens[n])) {
                out.append({lineNumber, Kind::MissingAddfile, QStringLiteral("Addfiles"), tokens[n],
                            QStringLiteral("there is no such file (a name without a folder is "
                                           "looked for beside the Stand List File): the addfile "
                                           "cannot be included when this stand is run")});
            }
        }
    }
}

} // namespace

namespace StandFileCheck {

QList<CheckFinding> readBack(const QStringList& setLines)
{
    QList<CheckFinding> out;
    if (setLines.isEmpty() || standRecordType(setLines.front()) != 'A')
        return out;
    const QStringList written = FormatStandSet(ParseStandSet(setLines));
    for (qsizetype i = 0; i < setLines.size(); ++i) {
        const char type = standRecordType(setLines[i]);
        if (type != 'A' && type != 'B')
            continue;
        const QString& again = written[type == 'A' ? 0 : 1];
        const auto difference =
            ReadBack::firstDifference(splitStandTokens(setLines[i]), splitStandTokens(again),
                                      type == 'A' ? VariantsFrom : ReadBack::NoList);
        if (!difference)
            continue;
        out.append({int(i), Kind::ReadBack,
                    type == 'A' ? aLineField(difference->index) : bLineField(difference->index),
                    visibleText(difference->token),
                    QStringLiteral("the line reads back as \"%1\" (a value with a blank in it "
                                   "splits in two and moves the values after it)")
                        .arg(visibleText(again))});
    }
    return out;
}

QList<CheckFinding> check(const QStringList& lines, const QString& folder,
                          const ReadBackRule& readBackRule)
{
    QList<CheckFinding> out;
    QStringList set;
    QList<int> setLineNumbers;
    auto finishSet = [&] {
        if (!set.isEmpty()) {
            for (CheckFinding finding : readBackRule(set)) {
                finding.line = setLineNumbers.value(finding.line);
                out.append(finding);
            }
        }
        set.clear();
        setLineNumbers.clear();
    };
    bool seenA = false, reportedOrphans = false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        const int lineNumber = int(index) + 1;
        if (line.isEmpty())
            continue;
        const char type = standRecordType(line);
        if (type == 0) {
            out.append({lineNumber, Kind::UnknownLine, QString(), QString(),
                        QStringLiteral("a line of unknown type \"%1\": it is no A, B, C or D "
                                       "line, so it cannot be read as part of a stand")
                            .arg(visibleText(QStringView(line).left(1)))});
        } else if (type == 'A') {
            finishSet();
            seenA = true;
        } else if (!seenA && !reportedOrphans) {
            reportedOrphans = true;
            out.append({lineNumber, Kind::SetWithoutA, QString(), QString(),
                        QStringLiteral("a %1 line before the first A line: a stand without an A "
                                       "line has no stand ID, tree data file or variant, so it "
                                       "cannot be read")
                            .arg(QChar(type))});
        }
        if (seenA) {
            set.append(line);
            setLineNumbers.append(lineNumber);
        }
        checkNames(line, lineNumber, folder, out);
    }
    finishSet();
    std::stable_sort(out.begin(), out.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    return out;
}

} // namespace StandFileCheck
