#pragma once

#include "FileKind.h"
#include "recordfile/CheckFinding.h"

#include <QStringList>

// The check of a record file of any of the three kinds; None is checked as a tree data file.
namespace FileCheck {

using FileKind = ::FileKind;

// Names in the file are looked for beside `fileName`; `variantPosition` (1..22, 0 for none)
// adds the species check of a tree data file, `lastLineEnded` is as in TreeFileCheck.
QList<CheckFinding> check(FileKind kind, const QStringList& lines, const QString& fileName,
                          int variantPosition = 0, bool lastLineEnded = true);

} // namespace FileCheck
