#pragma once

#include "recordfile/RecordFileIO.h"

// The Locations File as a list of lines, read and written with RecordFileIO in this format.
// Reading skips empty lines and keeps every other line as it stands, even one whose record
// letter is not A or B: such a line only sets `invalidLineSeen`, so the caller can report it
// once. The order of records is not checked.
namespace LocationsFile {

inline constexpr char InvalidFormatText[] = "Invalid Locations File format.";

RecordFileIO::RecordFormat format();

// Whether a loaded line has a record letter of the file.
bool isValidLine(QStringView line);

} // namespace LocationsFile
