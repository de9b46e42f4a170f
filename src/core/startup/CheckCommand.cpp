#include "CheckCommand.h"

#include "FileCheck.h"
#include "recordfile/RecordFileIO.h"

#include <QFile>
#include <cstdio>

namespace {

enum Status
{
    Clean = 0,
    Findings = 1,
    Trouble = 2
};

// "-" is standard input.
RecordFileIO::Result readInput(const QString& fileName, QStringList* lines)
{
    if (fileName != QStringLiteral("-"))
        return RecordFileIO::readLines(fileName, lines);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {false, input.errorString(), false};
    return RecordFileIO::readLines(input, lines);
}

int checkFile(const QString& fileName, FileKind givenKind, int variantPosition, QTextStream& out,
              QTextStream& err)
{
    QStringList lines;
    const RecordFileIO::Result read = readInput(fileName, &lines);
    if (!read.ok) {
        err << "sapwright: " << fileName << ": cannot be read: " << read.reason << '\n';
        return Trouble;
    }
    const FileKind kind = givenKind != FileKind::None ? givenKind : fileKindOf(fileName, lines);
    if (kind == FileKind::None) {
        err << "sapwright: " << fileName
            << ": not a tree data file (.velk, .tre), a Stand List File (.slf) or a Locations "
               "File (.loc)\n";
        return Trouble;
    }
    const QList<CheckFinding> findings =
        FileCheck::check(kind, lines, fileName, variantPosition, read.lastLineEnded);
    for (const CheckFinding& finding : findings) {
        out << fileName << ':' << finding.line << ": "
            << CheckKinds::severityName(finding.severity()) << ": " << finding.describe() << '\n';
    }
    return needsAttention(findings) ? Findings : Clean;
}

} // namespace

namespace CheckCommand {

int run(const QStringList& files, FileKind kind, int variantPosition, QTextStream& out,
        QTextStream& err)
{
    int status = Clean;
    for (const QString& file : files)
        status = qMax(status, checkFile(file, kind, variantPosition, out, err));
    out.flush();
    err.flush();
    return status;
}

} // namespace CheckCommand
