#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ModGlobal;

// The file named on the command line: the window it belongs to and its full path, or why it
// cannot be opened.
class StartFile
{
public:
    enum class Kind
    {
        None,
        Tree,
        StandList,
        Locations
    };

    // By extension, ignoring case (.velk/.tre, .slf, .loc); for any other name by the first
    // non-empty line of head: A "... is a Locations File, A to D and a blank a Stand List File,
    // four digits or blanks (the plot number) a tree data file.
    static Kind kindOf(const QString& fileName, const QByteArray& head);

    // The arguments as the program got them, its own name first; only the first file counts.
    // A relative name is taken from the working directory.
    static StartFile fromArguments(const QStringList& arguments, const QString& workingDirectory);

    Kind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    // Why the named file cannot be opened; empty when it can or when none was named.
    const QString& problem() const { return m_problem; }

    // Names the file in the shared value that its window opens on.
    void applyTo(ModGlobal& values) const;

private:
    Kind m_kind = Kind::None;
    QString m_path;
    QString m_problem;
};
