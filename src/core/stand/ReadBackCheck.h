#pragma once

#include "StandSet.h"

#include <QString>
#include <optional>

// A value of a stand that the Stand List File would not give back as it was typed: the file
// splits its fields at blanks and tabs, so such a value would come back cut, dropped, or
// shifted into the fields after it.
struct UnreadableValue
{
    enum class Why
    {
        Separator,   // a blank or tab inside a value that must stay one field
        BlanksOnly,  // nothing but blanks: no field at all on reading
        LeadingQuote // read as the start of a quoted text
    };

    int box = 0; // the field, as a StandBox index
    QString value;
    Why why = Why::Separator;

    bool operator==(const UnreadableValue&) const = default;
};

// The first such value of the set, in the order the A to D lines write them; none when every
// value reads back as it stands. Variant codes and addfiles are lists separated by blanks
// (and commas for variants), grouping codes one per line.
std::optional<UnreadableValue> findUnreadableValue(const StandSet& set);

// "holds a blank or a tab" and the like, to follow the field's name and value.
QString unreadableReason(UnreadableValue::Why why);
