#pragma once

#include "LocRecord.h"
#include "recordfile/ReadBack.h"

// Where the read-back rule meets the Locations File. A problem's field is a LocRecord::Field;
// for a dropped value, the field it follows.

// The values of an A or B record that would not read back, in field order. The location name
// is kept whole in quotes, and its double quotes do not count: the writer turns them into
// apostrophes. An empty access field is written as "@", which means the same. The addfiles are
// one text of names joined by single blanks.
QList<ReadBack::Problem> valuesThatWouldNotReadBack(const LocRecord& record);

// The same rule for a line of the file, on the values the reader takes from it. An addfile
// read from a quoted token that holds a blank counts too: the addfile field joins names with
// blanks, so that name would come back as two. An A line's value past the Stand List File name
// other than "@" is skipped by the reader: the trace of a name with a blank in it.
QList<ReadBack::Problem> valuesThatWouldNotReadBack(const QString& line);
// The same on the line's tokens, for a caller that has them.
QList<ReadBack::Problem> valuesThatWouldNotReadBack(QStringView line, const LocTokens& tokens);
