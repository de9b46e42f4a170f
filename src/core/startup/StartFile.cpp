#include "StartFile.h"

#include "recordfile/RecordFileIO.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

// Enough for the first lines of any of the three files.
constexpr qint64 headSize = 4096;

} // namespace

StartFile StartFile::named(const QString& name, const QString& workingDirectory)
{
    StartFile start;
    if (name.isEmpty())
        return start;
    // A launcher may hand over a file URL instead of a name.
    const QUrl url(name);
    start.m_name = url.isLocalFile() ? url.toLocalFile() : name;
    start.m_path = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(start.m_name));
    const QFileInfo info(start.m_path);
    if (!info.exists()) {
        start.m_problem = QStringLiteral("The file %1 does not exist.").arg(start.m_path);
        return start;
    }
    if (info.isDir()) {
        start.m_problem = QStringLiteral("%1 is a folder, not a file.").arg(start.m_path);
        return start;
    }
    QStringList lines;
    // Only a name without a known extension needs a look inside; a known one is read by its
    // window, which reports what goes wrong.
    if (fileKindByName(start.m_path) == FileKind::None) {
        QFile file(start.m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            start.m_problem = QStringLiteral("The file %1 cannot be read: %2.")
                                  .arg(start.m_path, file.errorString());
            return start;
        }
        QByteArray head = file.read(headSize);
        QBuffer buffer(&head);
        buffer.open(QIODevice::ReadOnly);
        RecordFileIO::readLines(buffer, &lines);
    }
    start.m_kind = fileKindOf(start.m_path, lines);
    if (start.m_kind == FileKind::None)
        start.m_problem = QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                                         "Stand List File (.slf) or a Locations File (.loc).")
                              .arg(start.m_path);
    return start;
}
