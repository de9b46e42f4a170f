#pragma once

#include "StandSet.h"

#include <QList>
#include <QString>
#include <optional>

// A value of a stand that the Stand List File would not give back as it stands: the file
// splits its fields at blanks and tabs, so such a value would come back cut, dropped, or
// shifted into the fields after it. One rule for the values typed in the window and for the
// lines of a file.
struct UnreadableValue
{
    enum class Why
    {
        Separator,    // a blank or tab inside a value that must stay one field
        BlanksOnly,   // nothing but blanks: no field at all on reading
        LeadingQuote, // read as the start of a quoted text
        Dropped       // a line's value that has no field, so the reader skips it
    };

    int box = 0; // the field, as a StandBox index; 0 for a dropped value
    QString value;
    Why why = Why::Separator;

    bool operator==(const UnreadableValue&) const = default;
};

// Every such value of the set, in the order the A to D lines write them. Variant codes and
// addfiles are lists separated by blanks (and commas for variants), grouping codes one per line.
QList<UnreadableValue> findUnreadableValues(const StandSet& set);

// The same rule for one line of a file, on the values the reader takes from it, and a value
// the reader skips (an A line's placeholder that is not "@", a B line's values past the 29th):
// the trace a value with a blank in it leaves once written.
std::optional<UnreadableValue> findUnreadableValue(QStringView line);

// "holds a blank, ..." and the like, to follow the field's name and value.
QString unreadableReason(const UnreadableValue& found);
