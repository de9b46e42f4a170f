#pragma once

#include "base/RecordText.h"

#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <array>

// One stand as the Stand List File holds it: the A, B, C and D lines of its record set.
// Every member is text kept as typed; "@" in the file stands for an empty value.
struct StandSet
{
    static constexpr int FirstAttribute = 2;
    static constexpr int LastAttribute = 29;
    static constexpr int MaxToken = LastAttribute; // B line tokens beyond it are ignored

    // Where a record set lies in a list of lines.
    struct Bounds
    {
        int start = -1; // the A line, or -1 when the set has none
        int first = 0;  // first line read; 0 when there is no A line
        int end = 0;    // one past the last line of the set
        int cCount = 0;
        int dCount = 0;
    };

    QString standId;
    QString treeFileName; // empty: a bareground stand
    QString variantCodes;
    std::array<QString, LastAttribute + 1> attributes; // by B line position; 0 and 1 unused
    QString groupingCodes;                             // one code per line, lines joined by CR LF
    QString addfiles;

    bool operator==(const StandSet&) const = default;
};

// The record type letter of a line in upper case, 'A' to 'D'; 0 for any other line.
char standRecordType(QStringView line);

// The fields of a record line as views into it: blank and tab separate, the type letter is not
// scanned. A line that the window wrote has at most 29.
using StandTokens = QVarLengthArray<QStringView, 32>;
StandTokens standTokens(QStringView line);

// The same fields one by one to `take`, until it returns false: a check reads the long B lines
// of a full file this way, without keeping them.
template <typename Take> void forEachStandToken(QStringView line, Take&& take)
{
    const char16_t* c = line.utf16();
    const char16_t* const end = c + line.size();
    if (c != end)
        ++c; // the type letter
    const auto separates = [](char16_t u) { return u == u' ' || u == u'\t'; };
    for (;;) {
        while (c != end && separates(*c))
            ++c;
        if (c == end)
            return;
        const char16_t* const begin = c;
        while (++c != end && !separates(*c)) {
        }
        if (!take(QStringView(begin, c)))
            return;
    }
}

// The variant codes as the A line writes them: every comma becomes one blank.
QString variantCodesAsWritten(const QString& codes);

// Two to four lines: A and B always, C with grouping codes, D with addfiles.
QStringList FormatStandSet(const StandSet& set);

// Reads the set whose A line is list[start]; a negative start reads the lines above the first
// A line, as for a selected line that has no A line above it. Lines outside the set, and
// lines of other types inside it, are not read.
StandSet ParseStandSet(const QStringList& list, int start = 0, StandSet::Bounds* bounds = nullptr);

// The set beginning at list[start] (negative: at the top, with no A line): it runs up to the
// next A line, the next empty line or the end of the list.
StandSet::Bounds walkStandSet(const QStringList& list, int start);

// The nearest A line at or above `index`; -1 when there is none. An index past the end
// walks up from the last line.
int FindSetStart(const QStringList& list, int index);
