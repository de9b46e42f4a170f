#include "RecordJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString& journalFolder()
{
    static QString folder;
    return folder;
}

// The user hears once in a run that no journal can be kept.
bool told = false;

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

QString RecordJournal::folder()
{
    return journalFolder();
}

void RecordJournal::setFolder(const QString& folder)
{
    journalFolder() = folder;
}

QString RecordJournal::defaultFolder()
{
    // A relative XDG path is invalid and is ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/sapwright");
}

bool RecordJournal::lock(int fd, const QString& path)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    // Its writer may have removed it just before giving up the lock.
    struct stat open = {}, named = {};
    return ::fstat(fd, &open) == 0 && ::stat(encoded(path).constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void RecordJournal::restart(JournalFormat::Base base)
{
    discard();
    m_failed = false;
    m_base = std::move(base);
    m_base.window = m_window;
    m_base.pid = QCoreApplication::applicationPid();
    m_base.workingDirectory = QDir::currentPath();
}

QString RecordJournal::rename(const QString& name, qint64 time)
{
    if (m_fd < 0) {
        m_base.name = name;
        return {};
    }
    return append(JournalFormat::nameRecord(name, time));
}

QString RecordJournal::append(const QByteArray& record)
{
    if (!isOn())
        return {};
    const QString problem = m_fd < 0 ? create(record) : write(record, m_syncEach);
    if (problem.isEmpty())
        return {};
    m_failed = true;
    close();
    return std::exchange(told, true) ? QString() : problem;
}

void RecordJournal::setSyncEach(bool sync)
{
    m_syncEach = sync;
    if (sync && m_fd >= 0)
        ::fdatasync(m_fd);
}

void RecordJournal::discard()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so no starting program takes it for one left behind.
    ::unlink(encoded(m_path).constData());
    RecordFileIO::syncFolder(folder());
    close();
}

QString RecordJournal::create(const QByteArray& first)
{
    const QString dir = folder();
    if (!QDir().mkpath(dir))
        return QStringLiteral("The folder cannot be made.");
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Made under a name no program looks for, and given its own once the base and the first
    // operation are on the disk, so a journal is never seen half made.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString path = QStringLiteral("%1/%2-%3-%4%5")
                                 .arg(dir, m_window)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'))
                                 .arg(suffix());
        const QString making = path + QStringLiteral(".new");
        const int fd = ::open(encoded(making).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return systemReason();
        if (fd < 0)
            continue;
        if (!lock(fd, making)) {
            ::close(fd);
            continue;
        }
        m_fd = fd;
        QString problem =
            write(JournalFormat::magic() + JournalFormat::baseRecord(m_base) + first, true);
        if (problem.isEmpty() && ::rename(encoded(making).constData(), encoded(path).constData()))
            problem = systemReason();
        if (!problem.isEmpty()) {
            ::unlink(encoded(making).constData());
            close();
            return problem;
        }
        RecordFileIO::syncFolder(dir);
        m_path = path;
        return {};
    }
    return QStringLiteral("No journal file could be made.");
}

QString RecordJournal::write(const QByteArray& bytes, bool sync)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? systemReason() : QStringLiteral("Nothing could be written.");
        data += written;
        left -= written;
    }
    if (sync && ::fdatasync(m_fd) != 0)
        return systemReason();
    return {};
}

void RecordJournal::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}
