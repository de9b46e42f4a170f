#include "StandFileCheck.h"

#include "StandFields.h"
#include "StandReadBack.h"
#include "StandSet.h"
#include "base/NumberTest.h"
#include "base/RecordText.h"
#include "recordfile/FileExistence.h"
#include "species/VariantList.h"

#include <array>

namespace {

using Kind = CheckFinding::Kind;

using RecordText::isPlaceholder;
// Token index where the A line's list of variant codes begins.
constexpr qsizetype VariantsFrom = 3;

QString fieldName(int box)
{
    return box == StandBox::TreeFile ? QStringLiteral("Tree data file")
                                     : QString::fromLatin1(standField(box).name);
}

// The kind of value each field of a B line holds, by its position.
using FieldKinds = std::array<TypingClass, StandSet::LastAttribute + 1>;

FieldKinds fieldKinds()
{
    FieldKinds kinds{};
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        kinds[size_t(n)] = standField(n).typing;
    return kinds;
}

// Whether a B line's value is of its field's kind: a number, or a growth code, where the field
// holds one. `number`: whether the value reads as one.
bool fitsField(TypingClass kind, QStringView token, bool number)
{
    switch (kind) {
    case TypingClass::Integer:
    case TypingClass::Decimal:
    case TypingClass::SignedDecimal:
        return number;
    case TypingClass::GrowthCode:
        return token.size() == 1 && token[0] >= u'0' && token[0] <= u'3';
    default:
        return true;
    }
}

// The window writes all 29 fields of a B line, "@" for an empty one. When a value of blanks only
// went missing, or one with a blank in it split, every value after it stands in another field:
// it shows as a value out of kind, or as a line short of fields that still ends in "@".
struct BValues
{
    qsizetype count = 0;
    int misfit = 0; // the first field whose value is out of kind; 0: none
    QStringView misfitValue;
    QStringView last;
};

// One pass over a B line, without keeping its values: each character is looked at once, and
// whether a value reads as a number comes with its end.
BValues readBValues(QStringView line, const FieldKinds& kinds)
{
    BValues values;
    const char16_t* c = line.utf16();
    const char16_t* const end = c + line.size();
    if (c != end)
        ++c; // the type letter
    for (;;) {
        while (c != end && (*c == u' ' || *c == u'\t'))
            ++c;
        if (c == end)
            return values;
        const char16_t* const begin = c;
        if (*c == u'+' || *c == u'-')
            ++c;
        NumberDigits digits;
        for (; c != end && *c != u' ' && *c != u'\t'; ++c)
            digits.take(*c);
        const QStringView token(begin, c);
        const int n = int(++values.count);
        if (values.misfit == 0 && n >= StandSet::FirstAttribute && n <= StandSet::LastAttribute &&
            !isPlaceholder(token)) {
            if (!fitsField(kinds[size_t(n)], token, digits.readsAsNumber())) {
                values.misfit = n;
                values.misfitValue = token;
            }
        }
        values.last = token;
    }
}

std::optional<CheckFinding> shiftedValues(const BValues& values, int lineNumber)
{
    if (const int n = values.misfit) {
        const bool growthCode = standField(n).typing == TypingClass::GrowthCode;
        return CheckFinding{
            lineNumber, Kind::ShiftedValues, fieldName(n), visibleText(values.misfitValue),
            QStringLiteral("not %1, so the simulator cannot read it here (when a value before it "
                           "held a blank, or only blanks, every value after it stands in the "
                           "wrong field)")
                .arg(growthCode ? QStringLiteral("a growth code (0 to 3)")
                                : QStringLiteral("a number"))};
    }
    if (values.count > 1 && values.count < StandSet::LastAttribute && isPlaceholder(values.last)) {
        return CheckFinding{
            lineNumber, Kind::ShiftedValues, QString(), QString(),
            QStringLiteral("a B line of %1 fields that ends in \"@\", where a whole one has 29: "
                           "when a value of blanks only went missing, every value after it "
                           "stands one field too early")
                .arg(values.count)};
    }
    return std::nullopt;
}

bool isVariantCode(QStringView token)
{
    return token.size() == 2 && VariantList::positionOf(token) != 0;
}

// The A line names a tree data file and variants; D lines name addfiles.
void checkNames(char type, const StandTokens& tokens, int lineNumber, FileExistence& files,
                QList<CheckFinding>& out)
{
    if (type == 'A') {
        if (tokens.size() > 1 && !isPlaceholder(tokens[1]) && !files.isFile(tokens[1])) {
            out.append({lineNumber, Kind::MissingTreeFile, fieldName(StandBox::TreeFile),
                        tokens[1].toString(),
                        QStringLiteral("there is no such file (a name without a folder is looked "
                                       "for beside the Stand List File): the simulator finds no "
                                       "trees for this stand")});
        }
        for (qsizetype n = VariantsFrom; n < tokens.size(); ++n) {
            if (!isPlaceholder(tokens[n]) && !isVariantCode(tokens[n])) {
                out.append({lineNumber, Kind::UnknownVariant, fieldName(StandBox::Variant),
                            tokens[n].toString(),
                            QStringLiteral("not one of the 22 variant codes: the stand cannot "
                                           "be run in that variant")});
            }
        }
    } else if (type == 'D') {
        for (qsizetype n = 1; n < tokens.size(); ++n) {
            if (!isPlaceholder(tokens[n]) && !files.isFile(tokens[n])) {
                out.append({lineNumber, Kind::MissingAddfile, fieldName(StandBox::Addfile),
                            tokens[n].toString(),
                            QStringLiteral("there is no such file (a name without a folder is "
                                           "looked for beside the Stand List File): the addfile "
                                           "cannot be included when this stand is run")});
            }
        }
    }
}

// Lines from .. to - 1 of the file; `seenA`: an A line stands before them.
QList<CheckFinding> checkLines(std::span<const QString> lines, size_t from, size_t to,
                               const QString& folder, bool seenA)
{
    QList<CheckFinding> out;
    FileExistence files(folder);
    const FieldKinds kinds = fieldKinds();
    bool reportedOrphans = false;
    forEachLine(lines, from, to, [&](int lineNumber, const QString& line) {
        const char type = standRecordType(line);
        seenA = seenA || type == 'A';
        if (type == 0) {
            out.append({lineNumber, Kind::UnknownLine, QString(), QString(),
                        QStringLiteral("a line of unknown type \"%1\": it is no A, B, C or D "
                                       "line, so it cannot be read as part of a stand")
                            .arg(visibleText(QStringView(line).left(1)))});
            return;
        }
        if (!seenA) {
            if (!reportedOrphans) {
                out.append({lineNumber, Kind::SetWithoutA, QString(), QString(),
                            QStringLiteral("a %1 line before the first A line: a stand without "
                                           "an A line has no stand ID, tree data file or "
                                           "variant, so it cannot be read")
                                .arg(QChar(type))});
            }
            reportedOrphans = true;
            if (type == 'D')
                checkNames(type, standTokens(line), lineNumber, files, out);
            return;
        }
        const auto readBack = [&](const StandTokens& tokens) {
            const std::optional<ReadBack::Problem> found = findUnreadableValue(line, tokens);
            if (found)
                out.append(ReadBack::finding(lineNumber, fieldName(found->field), *found));
            return found.has_value();
        };
        // The B lines are most of a file's text: each is read once, its values not kept. In a
        // plain one the reader can skip only values past the 29th.
        if (type == 'B') {
            const BValues values = readBValues(line, kinds);
            const bool mayNotReadBack =
                values.count > StandSet::LastAttribute || !ReadBack::isPlainText(line);
            if (!(mayNotReadBack && readBack(standTokens(line))))
                if (std::optional<CheckFinding> shift = shiftedValues(values, lineNumber))
                    out.append(*shift);
            return;
        }
        // A plain C line has nothing to find.
        if (type == 'C' && ReadBack::isPlainText(line))
            return;
        const StandTokens tokens = standTokens(line);
        readBack(tokens);
        checkNames(type, tokens, lineNumber, files, out);
    });
    return out;
}

} // namespace

namespace StandFileCheck {

QList<CheckFinding> check(std::span<const QString> lines, const QString& folder,
                          qsizetype halvesFrom)
{
    // A line's findings are its own once an A line stands before it: a second half begins after
    // the first A line.
    const auto firstA = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return standRecordType(line) == 'A';
    });
    return findInHalves(
        lines.size(), halvesFrom,
        [&](size_t from, size_t to) { return checkLines(lines, from, to, folder, from > 0); },
        size_t(firstA - lines.begin()) + 1);
}

} // namespace StandFileCheck
