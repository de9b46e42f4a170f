#include "OrphanJournal.h"

#include "RecordJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

std::vector<OrphanJournal> OrphanJournal::claimAll(const QString& folder)
{
    std::vector<OrphanJournal> found;
    const QString making = RecordJournal::suffix() + QStringLiteral(".new");
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (!name.endsWith(RecordJournal::suffix()) && !name.endsWith(making))
            continue;
        const QString path = dir.filePath(name);
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (!RecordJournal::lock(fd, path)) { // its program still runs
            ::close(fd);
            continue;
        }
        QFile file;
        JournalFormat::Content content;
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            content = JournalFormat::parse(file.readAll());
        else
            content.problem = file.errorString();
        OrphanJournal journal(path, fd, std::move(content));
        if (name.endsWith(making) ||
            (journal.m_content.problem.isEmpty() && journal.m_content.operations() == 0))
            journal.remove();
        else
            found.push_back(std::move(journal));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const OrphanJournal& a, const OrphanJournal& b) {
                         return a.m_content.lastChange() > b.m_content.lastChange();
                     });
    return found;
}

OrphanJournal::OrphanJournal(QString path, int fd, JournalFormat::Content content)
    : m_path(std::move(path)), m_fd(fd), m_content(std::move(content))
{
}

OrphanJournal::OrphanJournal(OrphanJournal&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)),
      m_content(std::move(other.m_content))
{
}

OrphanJournal& OrphanJournal::operator=(OrphanJournal&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
        m_content = std::move(other.m_content);
    }
    return *this;
}

OrphanJournal::~OrphanJournal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool OrphanJournal::sourceChanged() const
{
    const JournalFormat::Base& base = m_content.base;
    return !JournalFormat::unchanged(base.state,
                                     RecordFileIO::fileState(m_content.resolved(base.source)));
}

QString OrphanJournal::recoveredName() const
{
    QString file = fileName();
    if (file.isEmpty())
        file = m_content.resolved(m_content.base.source);
    const QString first = file + QStringLiteral(".recovered");
    QString name = first;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = first + u'.' + QString::number(n);
    return name;
}

bool OrphanJournal::remove()
{
    const bool removed = QFile::remove(m_path);
    RecordFileIO::syncFolder(QFileInfo(m_path).absolutePath());
    return removed;
}
