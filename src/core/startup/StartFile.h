#pragma once

#include "FileKind.h"

#include <QString>
#include <QStringList>

// The file named on the command line: the window it belongs to and its full path, or why it
// cannot be opened.
class StartFile
{
public:
    // The file named on the command line (empty: none). A relative name is taken from the
    // working directory.
    static StartFile named(const QString& name, const QString& workingDirectory);

    FileKind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    // Why the named file cannot be opened; empty when it can or when none was named.
    const QString& problem() const { return m_problem; }

    // The file as given, a file URL as its path: its window opens on it as if typed.
    const QString& name() const { return m_name; }

private:
    FileKind m_kind = FileKind::None;
    QString m_name;
    QString m_path;
    QString m_problem;
};
