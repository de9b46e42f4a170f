#pragma once

#include "JournalFormat.h"

#include <vector>

// A recovery journal whose program has ended without saving or dropping its changes. This
// program holds the journal's lock while it has it, so no other starting program offers it too.
class OrphanJournal
{
public:
    // Every journal in the folder whose program has ended, newest change first. Half-made files
    // and journals without a whole operation go on the way: they hold nothing completed.
    static std::vector<OrphanJournal> claimAll(const QString& folder);

    OrphanJournal(OrphanJournal&& other) noexcept;
    OrphanJournal& operator=(OrphanJournal&& other) noexcept;
    ~OrphanJournal();

    const QString& path() const { return m_path; }
    const JournalFormat::Content& content() const { return m_content; }
    // The name the window had, from where the journal's program ran.
    QString fileName() const { return m_content.resolved(m_content.finalName()); }
    // The file the display began from is no longer as it was, so the operations cannot be put
    // onto it.
    bool sourceChanged() const;
    // Where the records the journal added or changed go when it did: beside the window's file,
    // NAME.recovered, or NAME.recovered.2 and on when that exists.
    QString recoveredName() const;
    bool remove();

private:
    OrphanJournal(QString path, int fd, JournalFormat::Content content);

    QString m_path;
    int m_fd = -1;
    JournalFormat::Content m_content;
};
