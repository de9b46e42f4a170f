#pragma once

#include "LocRecord.h"

#include <QList>

// A field value that the Locations File would not give back as it stands: the file splits
// records at blanks and tabs, reads a leading double quote as the start of a quoted token
// and drops "@" among the addfiles, and it holds one byte per character.
struct LocValueProblem
{
    enum class Reason
    {
        NoByte,       // a character without a byte in the file's code page
        Empty,        // the next field would slide into its place
        BlanksOnly,   // read back as nothing, and the next field slides into its place
        Separator,    // a blank or tab splits a one-token value
        Tab,          // a tab between addfile names comes back as a blank
        ExtraBlanks,  // addfiles: blanks at the ends or runs of blanks are not kept
        LeadingQuote, // the value would be read as a quoted token
        Placeholder,  // addfiles: a name "@" is dropped on reading
        Dropped,      // a line's value past the Stand List File name: the reader skips it
    };

    LocRecord::Field field; // for Dropped, the field the value follows
    QString value;
    Reason reason;

    // Why, as a sentence part: "holds a blank or tab".
    QString reasonText() const;

    bool operator==(const LocValueProblem&) const = default;
};

// The values of an A or B record that would not read back, at most one per field, in field
// order. Double quotes in the location name do not count: the writer turns them into
// apostrophes. An empty access field is written as "@", which means the same.
QList<LocValueProblem> valuesThatWouldNotReadBack(const LocRecord& record);

// The same rule for a line of the file, on the values the reader takes from it. An addfile
// read from a quoted token that holds a blank counts too: the addfile field joins names with
// blanks, so that name would come back as two. An A line's value past the Stand List File name
// other than "@" is skipped by the reader: the trace of a name with a blank in it.
QList<LocValueProblem> valuesThatWouldNotReadBack(const QString& line);
