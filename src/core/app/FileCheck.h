#pragma once

#include "recordfile/CheckFinding.h"

#include <QStringList>

// The check of a record file of any of the three kinds.
namespace FileCheck {

enum class FileKind
{
    Tree,
    Stand,
    Locations
};

// By extension (.velk, .tre, .slf, .loc, in any letter case), else by the lines as the windows
// tell them apart: a Locations File's A lines quote the location name, every line of a Stand
// List File begins with A to D, and anything else is a tree data file.
FileKind kindOf(const QString& fileName, const QStringList& lines);

// Names in the file are looked for beside `fileName`; `variantPosition` (1..22, 0 for none)
// adds the species check of a tree data file.
QList<CheckFinding> check(FileKind kind, const QStringList& lines, const QString& fileName,
                          int variantPosition = 0);

} // namespace FileCheck
