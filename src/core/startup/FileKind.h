#pragma once

#include <QString>
#include <QStringList>

// The three record files the program writes. One rule tells them apart, for a file named when
// the program starts and for `sapwright --check`.
enum class FileKind
{
    None,
    Tree,
    Stand,
    Locations
};

// By extension, in any letter case: .velk and .tre a tree data file, .slf a Stand List File,
// .loc a Locations File; None for any other name.
FileKind fileKindByName(const QString& fileName);

// By extension when it is one of those; else by the lines, as the windows read them: an A line
// whose first field is quoted (a location name) makes a Locations File; otherwise the first
// non-empty line decides: a letter A to D followed by a blank or tab begins a Stand List File,
// four digits or blanks (the plot number) a tree data file. Anything else, a NUL character (no
// text file) or no line at all gives None.
FileKind fileKindOf(const QString& fileName, const QStringList& lines);
