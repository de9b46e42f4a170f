#pragma once

#include "JournalFormat.h"

// The recovery journal of one data window. From the first operation after a load or a save on,
// every operation is appended and on the disk before the operation returns, so a crash, a kill
// or a power cut loses none. The file lies in the journal folder, named after the window, the
// process and a random number, and this program holds an exclusive lock on it for as long as it
// has it open: another program that can take the lock knows its writer has ended.
class RecordJournal
{
public:
    explicit RecordJournal(QString window) : m_window(std::move(window)) {}
    // Closes the file; it stays for a recovery unless it was discarded.
    ~RecordJournal() { close(); }
    RecordJournal(const RecordJournal&) = delete;
    RecordJournal& operator=(const RecordJournal&) = delete;

    // Where the journals are kept; empty, as before the program sets it, keeps none.
    static QString folder();
    static void setFolder(const QString& folder);
    // $XDG_STATE_HOME/sapwright, or ~/.local/state/sapwright.
    static QString defaultFolder();
    static QString suffix() { return QStringLiteral(".journal"); }
    // Locks the open file for this program when no other holds it and it still has that name.
    static bool lock(int fd, const QString& path);

    // A journal is kept: a folder is set, the window has a name, and writing has not failed
    // since the last restart.
    bool isOn() const { return !folder().isEmpty() && !m_window.isEmpty() && !m_failed; }
    const QString& path() const { return m_path; }

    // A new base, after a load or a save: the journal of the old one goes.
    void restart(JournalFormat::Base base);
    // A new name for the display; a problem as append gives it.
    QString rename(const QString& name, qint64 time);
    // Appends a record, creating the file with the first. When it cannot be written the journal
    // is off until the next restart, and the reason is given, once in a run, to tell the user.
    QString append(const QByteArray& record);
    // While a journal is replayed, its records are synced together when this is set again.
    void setSyncEach(bool sync);
    // The changes are saved or dropped: the file goes.
    void discard();

private:
    QString create(const QByteArray& first);
    QString write(const QByteArray& bytes, bool sync);
    void close();

    QString m_window;
    JournalFormat::Base m_base;
    QString m_path;
    int m_fd = -1;
    bool m_failed = false;
    bool m_syncEach = true;
};
