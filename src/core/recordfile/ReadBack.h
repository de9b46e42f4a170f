#pragma once

#include "CheckFinding.h"

#include <QList>
#include <QString>

// What a blank-separated record file (the Stand List File, the Locations File) would not give
// back as it was written: its reader splits a line at blanks and tabs (a line break is written
// as a blank), reads a value of blanks as no value and a leading double quote as the start of a
// quoted text, and the file holds one byte per character. Each file maps its fields to the
// tokens of its lines; the rule for a value is this one, for values typed and values read.
namespace ReadBack {

enum class Why
{
    NoByte,       // a character without a byte in the file
    Empty,        // a value that must be there: the next one would slide into its place
    BlanksOnly,   // read back as no value
    Separator,    // splits a value that must stay one token
    ExtraBlanks,  // a list kept with single blanks: blanks at its ends or doubled are lost
    LeadingQuote, // read as the start of a quoted text
    Placeholder,  // a list's "@" stands for no value and is dropped
    Dropped       // a line's value without a field: the reader skips it
};

struct Problem
{
    int field = 0; // in the file's own numbering
    QString value;
    Why why = Why::Separator;

    bool operator==(const Problem&) const = default;
};

// Collects the values that would not read back, in the order they are offered.
class Finder
{
public:
    // A value that must stay one token; an empty one passes unless it is required.
    void token(int field, QStringView value, bool required = false);
    // A text the file keeps whole (in quotes): only its characters count.
    void text(int field, QStringView value);
    // Names separated by blanks, every one a token. `exact`: the file keeps the list as one
    // text with single blanks, so it must be there, a tab or line break, a blank at its ends or
    // doubled is lost, and a name "@" is dropped.
    void list(int field, QStringView value, bool exact = false);
    // A value read whole from quotes: it splits when it is written without them.
    void unquoted(int field, QStringView value);
    void dropped(int field, QStringView value);

    const QList<Problem>& found() const { return m_found; }

private:
    void add(int field, QStringView value, Why why)
    {
        m_found.append({field, value.toString(), why});
    }

    QList<Problem> m_found;
};

// Whether a name of a list passes the rule as it stands, as nearly every name a file holds
// does: not empty, not "@", no blank, tab or line break, no character the file cannot hold and
// no double quote to open it. A list of such names, joined by single blanks, has nothing to find.
bool isPlainName(QStringView name);

// Whether a text holds only ASCII characters and no line break or double quote, as nearly every
// line a window wrote does. Split at blanks and tabs, every piece of it passes as a token and as
// a name of a list that is not kept exact.
bool isPlainText(QStringView text);

// Why, to follow the value: "holds a blank, which the file takes as a field separator".
QString reason(const Problem& problem);

// A problem of a file's line as a finding of the check; `field` names the field (none for a
// dropped value) and `note` follows the reason.
CheckFinding finding(int lineNumber, const QString& field, const Problem& problem,
                     const QString& note = QString());

// A typed value as the "Alert" before saving names it.
struct AlertValue
{
    QString field;
    QString value;
    QString why;      // reason()
    QString readBack; // what the file would give back instead; null when that is not known
};

// The "Alert" before such values are written: every one of them with its field and why, then
// the question. Control characters show as their byte, so a line break is seen, not obeyed.
QString alertText(const QString& fileTitle, const QList<AlertValue>& values);

} // namespace ReadBack
