#include "StartFile.h"

#include "app/ModGlobal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace {

// Enough for the first line of any of the three files.
constexpr qint64 headSize = 4096;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray firstNonEmptyLine(const QByteArray& head)
{
    for (const QByteArray& line : head.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (!text.isEmpty())
            return text;
    }
    return {};
}

StartFile::Kind kindByName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("velk") || suffix == QLatin1String("tre"))
        return StartFile::Kind::Tree;
    if (suffix == QLatin1String("slf"))
        return StartFile::Kind::StandList;
    if (suffix == QLatin1String("loc"))
        return StartFile::Kind::Locations;
    return StartFile::Kind::None;
}

} // namespace

StartFile::Kind StartFile::kindOf(const QString& fileName, const QByteArray& head)
{
    if (const Kind byName = kindByName(fileName); byName != Kind::None)
        return byName;
    // Binary files are none of ours, whatever their first letters.
    if (head.contains('\0'))
        return Kind::None;
    const QByteArray line = firstNonEmptyLine(head);
    if (line.size() >= 2 && isBlank(line[1])) {
        const char letter = line[0] >= 'a' && line[0] <= 'z' ? char(line[0] - 'a' + 'A') : line[0];
        if (letter == 'A' && line.size() >= 3 && line[2] == '"')
            return Kind::Locations;
        if (letter >= 'A' && letter <= 'D')
            return Kind::StandList;
    }
    if (line.size() >= 4 && std::all_of(line.begin(), line.begin() + 4,
                                        [](char c) { return c == ' ' || (c >= '0' && c <= '9'); }))
        return Kind::Tree;
    return Kind::None;
}

StartFile StartFile::fromArguments(const QStringList& arguments, const QString& workingDirectory)
{
    StartFile start;
    if (arguments.size() < 2 || arguments[1].isEmpty())
        return start;
    // A launcher may hand over a file URL instead of a name.
    const QUrl url(arguments[1]);
    const QString name = url.isLocalFile() ? url.toLocalFile() : arguments[1];
    start.m_path = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(name));
    const QFileInfo info(start.m_path);
    if (!info.exists()) {
        start.m_problem = QStringLiteral("The file %1 does not exist.").arg(start.m_path);
        return start;
    }
    if (info.isDir()) {
        start.m_problem = QStringLiteral("%1 is a folder, not a file.").arg(start.m_path);
        return start;
    }
    QByteArray head;
    // Only a name without a known extension needs a look inside; a known one is read by its
    // window, which reports what goes wrong.
    if (kindByName(start.m_path) == Kind::None) {
        QFile file(start.m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            start.m_problem = QStringLiteral("The file %1 cannot be read: %2.")
                                  .arg(start.m_path, file.errorString());
            return start;
        }
        head = file.read(headSize);
    }
    start.m_kind = kindOf(start.m_path, head);
    if (start.m_kind == Kind::None)
        start.m_problem = QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                                         "Stand List File (.slf) or a Locations File (.loc).")
                              .arg(start.m_path);
    return start;
}

void StartFile::applyTo(ModGlobal& values) const
{
    switch (m_kind) {
    case Kind::Tree:
        values.TreeFileName = m_path;
        break;
    case Kind::StandList:
        values.StandListFileName = m_path;
        break;
    case Kind::Locations:
        values.LocationsFileName = m_path;
        break;
    case Kind::None:
        break;
    }
}
