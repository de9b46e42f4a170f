#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The simulator's regional variants in their fixed order. A variant is known by its
// position 1..count(); the dialogs list them in that order.
class VariantList
{
public:
    struct Entry
    {
        QString code;        // two lowercase letters
        QString description; // region name
        QString displayText; // code + " = " + description
    };

    static constexpr int count() { return 22; }

    // An empty entry for a position outside 1..count().
    static Entry entry(int position);
    static QStringList displayTexts();

    // The variant code a display text starts with: its first two characters.
    static QString codeOf(QStringView displayText);

    // The position whose code equals the first two characters of the text, letter case
    // included; 0 when there is none.
    static int positionOf(QStringView text);
};
