#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <span>

namespace CheckKinds {
Q_NAMESPACE

enum class Kind
{
    // Tree data file
    EmptyLine,
    CommentLine,
    EndOfData,
    ReadError,
    CountReadAsOne,
    NegativeDbh,
    DbhMisread,
    DbhScreened,
    ZeroDbh,
    NonStockable,
    SiteTree,
    DuplicateTree,
    MergedTreeId,
    UnknownSpecies,
    SpeciesLeadingZeros,
    // Stand List File and Locations File
    UnknownLine,
    SetWithoutA,
    ReadBack,
    UnknownVariant,
    MissingTreeFile,
    MissingAddfile,
    MissingStandListFile,
    ShiftedValues, // a value missing or split before: the later ones stand in other fields
};
Q_ENUM_NS(Kind)

// Error: the run stops, or this line and the ones after it are not read. Warning: a tree is
// dropped, changed or read as another value. Note: read as meant, but worth knowing.
enum class Severity
{
    Error,
    Warning,
    Note,
};
Q_ENUM_NS(Severity)

// Every kind has one severity.
Severity severityOf(Kind kind);
QString severityName(Severity severity); // "error", "warning", "note"

} // namespace CheckKinds

// One place in a record file that the simulator or Vorlin will read differently from what the
// file shows, or not at all: which line, which field, the text found there, and what happens.
struct CheckFinding
{
    using Kind = CheckKinds::Kind;
    using Severity = CheckKinds::Severity;

    int line = 0; // 1-based
    Kind kind = Kind::EmptyLine;
    QString field; // empty when the finding is about the whole line
    QString text;  // what the file holds there
    QString what;  // what the simulator or Vorlin will do, in plain words

    Severity severity() const { return CheckKinds::severityOf(kind); }

    // Field and text, then what happens: `Dbh "87": ...`.
    QString describe() const;

    bool operator==(const CheckFinding&) const = default;
};

// A character that is no text: the C0 and C1 controls and DEL.
bool isControlCharacter(QChar c);

// A text as a finding shows it: control characters as their byte in hex, "<09>".
QString visibleText(QStringView text);

// Whether any finding is an error or a warning: only these ask before a save, and only these
// make the command-line check fail. Notes alone let a file pass.
bool needsAttention(const QList<CheckFinding>& findings);

// The text of the question before a save: the first `shown` findings, errors first, and how
// many more.
QString checkQuestionText(const QList<CheckFinding>& findings, int shown = 8);

// Calls `each(lineNumber, line)` for the lines from .. to - 1 that are not empty, fetching the
// characters of lines ahead meanwhile: each line's characters lie elsewhere on the heap.
template <typename Each>
void forEachLine(std::span<const QString> lines, size_t from, size_t to, Each&& each)
{
    for (size_t index = from; index < to; ++index) {
        if (index + 8 < to)
            __builtin_prefetch(lines[index + 8].constData());
        if (!lines[index].isEmpty())
            each(int(index) + 1, lines[index]);
    }
}

// Files of this many lines or more are checked in two halves at once: a save waits for its check.
inline constexpr qsizetype CheckHalvesFrom = 8192;

// The findings of lines 0 .. count - 1, from `part(from, to)` for lines from .. to - 1. A file of
// `halvesFrom` lines or more is checked in two halves at once, the second beginning no earlier
// than line `earliest`; each part's findings must then be its own lines' alone.
QList<CheckFinding> findInHalves(size_t count, qsizetype halvesFrom,
                                 const std::function<QList<CheckFinding>(size_t, size_t)>& part,
                                 size_t earliest = 0);
