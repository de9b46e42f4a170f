#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// For every variant position, the ordered species entries as display texts
// "code = common name"; a one-letter code is not padded ("L = Western larch").
// The entries come from the text resource species.txt.
class SpeciesLists
{
public:
    // A line of the species text that cannot be an entry of a list.
    struct Problem
    {
        QString variant; // the section's variant code; empty before the first section
        int line = 0;    // 1-based
        QString what;

        bool operator==(const Problem&) const = default;
    };

    struct Parsed
    {
        QList<QStringList> lists; // one per variant position, position 1 first
        QList<Problem> problems;  // in line order
    };

    // Reads a species text: "[code]" opens the section of a variant, each further line is one
    // entry "CODE = common name" of that variant; blank lines and lines starting with "#" are
    // skipped. A line that fits no list is left out and reported.
    static Parsed parse(QStringView text);
    // The program's own species text, parsed on first use.
    static const Parsed& loaded();

    // Empty for a position outside the variant list.
    static QStringList forPosition(int position);

    // The list of the variant whose code the text starts with, letter case significant;
    // empty when it starts with none (the dialog's placeholder, a text under two characters).
    static QStringList forText(QStringView text);

    // The code handed on from a display text: its first two characters as they stand, so a
    // one-letter code keeps its trailing blank.
    static QString speciesCodeOf(QStringView displayText);
};
