#include "FileKind.h"

#include "base/RecordText.h"
#include "location/LocRecord.h"
#include "stand/StandSet.h"

#include <QFileInfo>
#include <algorithm>

FileKind fileKindByName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("velk") || suffix == QLatin1String("tre"))
        return FileKind::Tree;
    if (suffix == QLatin1String("slf"))
        return FileKind::Stand;
    if (suffix == QLatin1String("loc"))
        return FileKind::Locations;
    return FileKind::None;
}

FileKind fileKindOf(const QString& fileName, const QStringList& lines)
{
    if (const FileKind byName = fileKindByName(fileName); byName != FileKind::None)
        return byName;
    const auto isText = [](const QString& line) { return !line.contains(QChar(0)); };
    if (!std::all_of(lines.begin(), lines.end(), isText))
        return FileKind::None;
    for (const QString& line : lines) {
        if (locRecordKind(line) == LocRecord::Kind::A &&
            QStringView(line).mid(1).trimmed().startsWith(u'"'))
            return FileKind::Locations;
    }
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const QString& line) { return !line.isEmpty(); });
    if (first == lines.end())
        return FileKind::None;
    const QStringView line = *first;
    if (line.size() >= 2 && standRecordType(line) != 0 && RecordText::isSeparator(line[1]))
        return FileKind::Stand;
    const auto plotColumn = [](QChar c) { return c == u' ' || (c >= u'0' && c <= u'9'); };
    if (line.size() >= 4 && std::all_of(line.begin(), line.begin() + 4, plotColumn))
        return FileKind::Tree;
    return FileKind::None;
}
