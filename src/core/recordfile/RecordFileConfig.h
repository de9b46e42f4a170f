#pragma once

#include "CheckFinding.h"

#include <QString>
#include <QStringList>

// What differs between the three data windows in the way they handle their record file.
struct RecordFileConfig
{
    enum class NameStore
    {
        Window,
        StandListFileName,
        LocationsFileName
    };
    enum class UnsavedRule
    {
        NameNotEmpty,
        NameNotDefault
    };

    QString fileNameBox;     // object name of the file-name box
    QString filter;          // file dialog filter, pairs joined by '|'
    QString missingFilename; // text of "Missing Filename"
    NameStore nameStore = NameStore::Window;
    QString defaultFileName; // compared ignoring case under NameNotDefault
    UnsavedRule unsavedRule = UnsavedRule::NameNotEmpty;
    bool keepEmptyLines = false;
    QString recordLetters;     // allowed first letters; empty: no check
    QString invalidFormatText; // shown once after loading lines of other letters
    QString startCaption;      // add-mode caption before anything was selected
    QString addCaption;
    QString addTooltip;
    QString editCaption;
    QString editTooltip;
    // Names the window in its recovery journals; empty: none is kept.
    QString journalWindow;
    // What the simulator would read differently in the lines about to be saved under that
    // name; asked about before a save. None: no check.
    QList<CheckFinding> (*saveCheck)(const QStringList& lines, const QString& fileName) = nullptr;

    static RecordFileConfig tree();
    static RecordFileConfig stand();
    static RecordFileConfig location();
};
