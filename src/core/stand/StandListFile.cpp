#include "StandListFile.h"

#include "StandSet.h"

namespace StandListFile {

RecordFileIO::RecordFormat format()
{
    return {true, QStringLiteral("ABCD")};
}

bool isValidLine(QStringView line)
{
    return standRecordType(line) != 0;
}

} // namespace StandListFile
