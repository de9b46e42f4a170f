#include "StandFileCheck.h"

#include "StandFields.h"
#include "StandReadBack.h"
#include "StandSet.h"
#include "base/NumberTest.h"
#include "base/RecordText.h"
#include "species/VariantList.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Kind = CheckFinding::Kind;

const QString None = RecordText::placeholder();
// Token index where the A line's list of variant codes begins.
constexpr qsizetype VariantsFrom = 3;

QString fieldName(int box)
{
    return box == StandBox::TreeFile ? QStringLiteral("Tree data file")
                                     : QString::fromLatin1(standField(box).name);
}

// Whether a B line's value is of its field's kind: a number, or a growth code, where the field
// holds one.
bool fitsField(int position, const QString& token)
{
    switch (standField(position).typing) {
    case TypingClass::Integer:
    case TypingClass::Decimal:
    case TypingClass::SignedDecimal:
        return readsAsNumber(token);
    case TypingClass::GrowthCode:
        return token.size() == 1 && token[0] >= u'0' && token[0] <= u'3';
    default:
        return true;
    }
}

// The window writes all 29 fields of a B line, "@" for an empty one. When a value of blanks only
// went missing, or one with a blank in it split, every value after it stands in another field:
// it shows as a value out of kind, or as a line short of fields that still ends in "@".
std::optional<CheckFinding> shiftedValues(const QString& line, int lineNumber)
{
    if (standRecordType(line) != 'B')
        return std::nullopt;
    const QStringList tokens = splitStandTokens(line);
    const QString shifted = QStringLiteral(
        "when a value before it held a blank, or only blanks, every value after it stands in "
        "the wrong field");
    for (int n = StandSet::FirstAttribute; n <= qMin(StandSet::LastAttribute, int(tokens.size()));
         ++n) {
        const QString& token = tokens[n - 1];
        if (token == None || fitsField(n, token))
            continue;
        const bool growthCode = standField(n).typing == TypingClass::GrowthCode;
        return CheckFinding{lineNumber, Kind::ShiftedValues, fieldName(n), visibleText(token),
                            QStringLiteral("not %1, so the simulator cannot read it here (%2)")
                                .arg(growthCode ? QStringLiteral("a growth code (0 to 3)")
                                                : QStringLiteral("a number"),
                                     shifted)};
    }
    if (tokens.size() > 1 && tokens.size() < StandSet::LastAttribute && tokens.last() == None) {
        return CheckFinding{
            lineNumber, Kind::ShiftedValues, QString(), QString(),
            QStringLiteral("a B line of %1 fields that ends in \"@\", where a whole one has 29: "
                           "when a value of blanks only went missing, every value after it "
                           "stands one field too early")
                .arg(tokens.size())};
    }
    return std::nullopt;
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
            out.append({lineNumber, Kind::MissingTreeFile, fieldName(StandBox::TreeFile), tokens[1],
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Stand List File): the simulator finds no "
                                       "trees for this stand")});
        }
        for (qsizetype n = VariantsFrom; n < tokens.size(); ++n) {
            if (tokens[n] != None && !isVariantCode(tokens[n])) {
                out.append({lineNumber, Kind::UnknownVariant, fieldName(StandBox::Variant),
                            tokens[n],
                            QStringLiteral("not one of the 22 variant codes: the stand cannot "
                                           "be run in that variant")});
            }
        }
    } else if (standRecordType(line) == 'D') {
        for (qsizetype n = 1; n < tokens.size(); ++n) {
            if (tokens[n] != None && !fileIsThere(folder, tokens[n])) {
                out.append({lineNumber, Kind::MissingAddfile, fieldName(StandBox::Addfile),
                            tokens[n],
                            QStringLiteral("there is no such file (a name without a folder is "
                                           "looked for beside the Stand List File): the addfile "
                                           "cannot be included when this stand is run")});
            }
        }
    }
}

} // namespace

namespace StandFileCheck {

QList<CheckFinding> check(const QStringList& lines, const QString& folder)
{
    QList<CheckFinding> out;
    bool seenA = false, reportedOrphans = false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        const int lineNumber = int(index) + 1;
        if (line.isEmpty())
            continue;
        const char type = standRecordType(line);
        seenA = seenA || type == 'A';
        if (type == 0) {
            out.append({lineNumber, Kind::UnknownLine, QString(), QString(),
                        QStringLiteral("a line of unknown type \"%1\": it is no A, B, C or D "
                                       "line, so it cannot be read as part of a stand")
                            .arg(visibleText(QStringView(line).left(1)))});
        } else if (!seenA) {
            if (!reportedOrphans) {
                out.append({lineNumber, Kind::SetWithoutA, QString(), QString(),
                            QStringLiteral("a %1 line before the first A line: a stand without "
                                           "an A line has no stand ID, tree data file or "
                                           "variant, so it cannot be read")
                                .arg(QChar(type))});
            }
            reportedOrphans = true;
        } else if (const std::optional<ReadBack::Problem> found = findUnreadableValue(line)) {
            out.append(ReadBack::finding(lineNumber, fieldName(found->field), *found));
        } else if (std::optional<CheckFinding> shift = shiftedValues(line, lineNumber)) {
            out.append(*shift);
        }
        checkNames(line, lineNumber, folder, out);
    }
    return out;
}

} // namespace StandFileCheck
