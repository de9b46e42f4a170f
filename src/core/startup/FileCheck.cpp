#include "FileCheck.h"

#include "location/LocationsFileCheck.h"
#include "stand/StandFileCheck.h"
#include "tree/TreeFileCheck.h"

#include <QFileInfo>

namespace FileCheck {

QList<CheckFinding> check(FileKind kind, const QStringList& lines, const QString& fileName,
                          int variantPosition, bool lastLineEnded)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    switch (kind) {
    case FileKind::Stand:
        return StandFileCheck::check(lines, folder);
    case FileKind::Locations:
        return LocationsFileCheck::check(lines, folder);
    default:
        return TreeFileCheck::check(lines, variantPosition, lastLineEnded);
    }
}

} // namespace FileCheck
