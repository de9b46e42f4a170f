#pragma once

#include "CheckFinding.h"
#include "EntryField.h"
#include "base/WindowFile.h"

#include <functional>
#include <span>

#include <QString>
#include <QStringList>

// What differs between the data windows in the way they handle their record file; each window
// logic gives its own.
struct RecordFileConfig
{
    // What the simulator would read differently in the lines about to be saved; names in them
    // are looked for in `folder`.
    using SaveCheck =
        std::function<QList<CheckFinding>(std::span<const QString> lines, const QString& folder)>;

    RecordFileConfig(const WindowFile& file, QList<EntryField> fields, SaveCheck saveCheck)
        : fileNameBox(QString::fromLatin1(file.fileNameBox)),
          filter(QString::fromLatin1(file.filter)),
          missingFilename(QString::fromLatin1(file.missingFilename)), sharedName(file.sharedName),
          fields(std::move(fields)), journalWindow(QString::fromLatin1(file.window)),
          saveCheck(std::move(saveCheck))
    {
    }

    enum class UnsavedRule
    {
        NameNotEmpty,
        NameNotDefault
    };

    QString fileNameBox;     // object name of the file-name box
    QString filter;          // file dialog filter, pairs joined by '|'
    QString missingFilename; // text of "Missing Filename"
    // The shared value that holds the window's file name, handed to the next window.
    QString ModGlobal::*sharedName;
    QString defaultFileName; // compared ignoring case under NameNotDefault
    UnsavedRule unsavedRule = UnsavedRule::NameNotEmpty;
    bool keepEmptyLines = false;
    QString recordLetters;     // allowed first letters; empty: no check
    QString invalidFormatText; // shown once after loading lines of other letters
    // The process button's caption by mode. A window with a start caption shows it in add
    // mode until anything is selected; the others start in add mode.
    QString startCaption;
    QString addCaption = QStringLiteral("&Add Record");
    QString addTooltip = QStringLiteral("Add above information as a new record");
    QString editCaption = QStringLiteral("&Update Record");
    QString editTooltip = QStringLiteral("Replace highlighted record with above information");
    // The window's entry fields, numbered from firstField on; `placeholder` passes every typing
    // check.
    QList<EntryField> fields;
    int firstField = 1;
    QString placeholder;
    // Names the window in its recovery journals; empty: none is kept.
    QString journalWindow;
    // Asked about before a save; none: no check.
    SaveCheck saveCheck;
};
