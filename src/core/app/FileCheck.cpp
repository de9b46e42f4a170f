#include "FileCheck.h"

#include "location/LocRecord.h"
#include "location/LocationsFileCheck.h"
#include "stand/StandFileCheck.h"
#include "stand/StandSet.h"
#include "tree/TreeFileCheck.h"

#include <QFileInfo>

namespace FileCheck {

FileKind kindOf(const QString& fileName, const QStringList& lines)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("velk") || suffix == QStringLiteral("tre"))
        return FileKind::Tree;
    if (suffix == QStringLiteral("slf"))
        return FileKind::Stand;
    if (suffix == QStringLiteral("loc"))
        return FileKind::Locations;
    bool anyLine = false, allStand = true;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        if (locRecordKind(line) == LocRecord::Kind::A &&
            QStringView(line).mid(1).trimmed().startsWith(u'"'))
            return FileKind::Locations;
        anyLine = true;
        allStand = allStand && standRecordType(line) != 0;
    }
    return anyLine && allStand ? FileKind::Stand : FileKind::Tree;
}

QList<CheckFinding> check(FileKind kind, const QStringList& lines, const QString& fileName,
                          int variantPosition)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    switch (kind) {
    case FileKind::Stand:
        return StandFileCheck::check(lines, folder);
    case FileKind::Locations:
        return LocationsFileCheck::check(lines, folder);
    default:
        return TreeFileCheck::check(lines, variantPosition);
    }
}

} // namespace FileCheck
