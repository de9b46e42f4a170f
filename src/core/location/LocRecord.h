#pragma once

#include "base/RecordText.h"

#include <QString>
#include <QStringList>
#include <QVarLengthArray>

// One line of the Locations File. An A record ties a location name to a Stand List File,
// a B record attaches addfiles to a grouping code.
struct LocRecord
{
    enum class Kind
    {
        Invalid,
        A,
        B
    };
    // The fields in the order of the window's table.
    enum Field : int
    {
        LocationName,
        Access,
        SlfFileName,
        GroupingCode,
        Addfiles
    };

    Kind kind = Kind::Invalid;
    // A record
    QString locationName;
    QString access = RecordText::placeholder();
    QString slfFileName;
    // B record
    QString groupingCode;
    QString addfiles; // names joined by single blanks

    const QString& field(Field f) const;
    QString& field(Field f);

    bool operator==(const LocRecord&) const = default;
};

// The first character, upper-cased: A or B; anything else (an empty line too) is invalid.
LocRecord::Kind locRecordKind(QStringView line);

// The fields of a line from its second character on, as views into it. Blank and tab separate;
// a token that opens with a double quote runs to the next double quote, blanks and tabs
// included, and without a closing quote takes the rest of the line. A quote inside another
// token is an ordinary character. A line that the window wrote has at most 5.
using LocTokens = QVarLengthArray<QStringView, 8>;
LocTokens locTokens(QStringView line);
// A B line's addfiles as its record holds them: the tokens after the grouping code but "@",
// joined by single blanks.
QString locAddfiles(const LocTokens& tokens);

// The line of an A or B record; an invalid record gives an empty line. An empty access
// field is written as "@".
QString FormatLocRecord(const LocRecord& record);
// An invalid line gives a record of kind Invalid with no fields.
LocRecord ParseLocRecord(const QString& line);
