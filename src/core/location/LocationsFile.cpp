#include "LocationsFile.h"

#include "LocRecord.h"

namespace LocationsFile {

RecordFileIO::RecordFormat format()
{
    return {true, QStringLiteral("AB")};
}

bool isValidLine(QStringView line)
{
    return locRecordKind(line) != LocRecord::Kind::Invalid;
}

} // namespace LocationsFile
