#pragma once

#include "FileKind.h"

#include <QStringList>
#include <QTextStream>

// The program's command line, read as GNU programs read theirs: options may follow the file
// names, `--` ends the options, and `-` is a file name (standard input for --check). Everything
// but opening the windows is done here, without a display.
class CommandLine
{
public:
    enum class Mode
    {
        Windows,
        Check,
        Help,
        Version,
        RecoverList,
        Wrong,     // the arguments are wrong: usage error, exit status 2
        NoDisplay, // windows asked for where there is no display: exit status 1
    };

    // The arguments without the program's own name. `hasDisplay` tells whether windows can be
    // shown at all.
    static CommandLine parse(const QStringList& arguments, bool hasDisplay);
    // Whether the environment names a display: X11, Wayland, or a platform plugin of Qt's own
    // choice.
    static bool displayNamed();

    Mode mode() const { return m_mode; }
    // The file to open in a window; empty when none was named.
    QString startFile() const { return m_files.value(0); }

    // Carries out every mode but Windows and gives the exit status. Text that cannot be written
    // to `out` (a full disk, a closed pipe) is reported on `err` and gives status 2.
    int run(QTextStream& out, QTextStream& err) const;

    static QString usage();
    static QString helpText();
    static QString versionText();

private:
    Mode m_mode = Mode::Windows;
    QString m_problem;
    QStringList m_files;
    int m_variantPosition = 0;
    FileKind m_kind = FileKind::None;
};
