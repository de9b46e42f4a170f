#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// For every variant position, the ordered species entries as display texts
// "code = common name"; a one-letter code is not padded ("L = Western larch").
class SpeciesLists
{
public:
    // 0 for a position outside the variant list.
    static int entryCount(int position);
    // Empty for a position outside the variant list.
    static QStringList forPosition(int position);

    // The list of the variant whose code the text starts with, letter case significant;
    // empty when it starts with none (the dialog's placeholder, a text under two characters).
    static QStringList forText(QStringView text);

    // The code handed on from a display text: its first two characters as they stand, so a
    // one-letter code keeps its trailing blank.
    static QString speciesCodeOf(QStringView displayText);
};
