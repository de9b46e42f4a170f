#pragma once

#include "recordfile/RecordFileIO.h"

// The Stand List File as a list of lines, read and written with RecordFileIO in this format.
// Reading skips empty lines and keeps every other line as it stands, even one whose type
// letter is not A to D: such a line only sets `invalidLineSeen`, so the caller can report it
// once. The order of records is not checked.
namespace StandListFile {

inline constexpr char InvalidFormatText[] = "Invalid Stand List File format.";

RecordFileIO::RecordFormat format();

// Whether a loaded line has a type letter of the file.
bool isValidLine(QStringView line);

} // namespace StandListFile
