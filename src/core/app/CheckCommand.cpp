#include "CheckCommand.h"

#include "FileCheck.h"
#include "Version.h"
#include "recordfile/RecordFileIO.h"
#include "species/VariantList.h"

namespace {

enum Status
{
    Clean = 0,
    Findings = 1,
    Trouble = 2
};

QString versionText()
{
    return QStringLiteral("sapwright %1.%2.%3")
        .arg(Version::Major)
        .arg(Version::Minor)
        .arg(Version::Revision);
}

QString variantCodes()
{
    QStringList codes;
    for (int position = 1; position <= VariantList::count(); ++position)
        codes.append(VariantList::entry(position).code);
    return codes.join(u' ');
}

QString helpText()
{
    return QStringLiteral(
               "Usage: sapwright\n"
               "       sapwright --check [--variant CODE] FILE...\n"
               "       sapwright --help | --version\n"
               "\n"
               "Without options, opens the data windows.\n"
               "\n"
               "  --check FILE...  check tree data files (.velk, .tre), Stand List Files (.slf)\n"
               "                   and Locations Files (.loc) for what the simulator or Vorlin\n"
               "                   will read differently from what the file shows; prints\n"
               "                   FILE:LINE: error|warning|note: message for each finding.\n"
               "                   A file with another extension is told by its first lines\n"
               "  --variant CODE   also check the species codes of tree data files against\n"
               "                   that variant's species list; CODE is one of\n"
               "                   %1\n"
               "  --help           show this help and exit\n"
               "  --version        show the version and exit\n"
               "\n"
               "Exit status: 0 no errors or warnings (notes only, or nothing), 1 errors or\n"
               "warnings, 2 a file could not be read or is of none of the three kinds, or the\n"
               "arguments are wrong.\n")
        .arg(variantCodes());
}

int usageError(QTextStream& err, const QString& problem)
{
    err << "sapwright: " << problem << "\nTry 'sapwright --help'.\n";
    err.flush();
    return Trouble;
}

int checkFile(const QString& fileName, int variantPosition, QTextStream& out, QTextStream& err)
{
    QStringList lines;
    const RecordFileIO::Result read = RecordFileIO::readLines(fileName, &lines);
    if (!read.ok) {
        err << "sapwright: " << fileName << ": cannot be read: " << read.reason << '\n';
        return Trouble;
    }
    const FileKind kind = fileKindOf(fileName, lines);
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

bool handles(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString& first = arguments.front();
    return first == QStringLiteral("--check") || first == QStringLiteral("--help") ||
           first == QStringLiteral("-h") || first == QStringLiteral("--version") ||
           first.startsWith(QStringLiteral("--variant"));
}

int run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    bool check = false, optionsDone = false;
    int variantPosition = 0;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsDone || !argument.startsWith(u'-') || argument == QStringLiteral("-")) {
            files.append(argument);
        } else if (argument == QStringLiteral("--")) {
            optionsDone = true;
        } else if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            out << helpText();
            return Clean;
        } else if (argument == QStringLiteral("--version")) {
            out << versionText() << '\n';
            return Clean;
        } else if (argument == QStringLiteral("--check")) {
            check = true;
        } else if (argument == QStringLiteral("--variant") ||
                   argument.startsWith(QStringLiteral("--variant="))) {
            QString code;
            if (argument.contains(u'='))
                code = argument.section(u'=', 1);
            else if (i + 1 < arguments.size())
                code = arguments[++i];
            else
                return usageError(err, QStringLiteral("--variant needs a variant code"));
            variantPosition = VariantList::positionOf(code.toLower());
            if (variantPosition == 0 || code.size() != 2) {
                return usageError(err, QStringLiteral("unknown variant code '%1' (one of: %2)")
                                           .arg(code, variantCodes()));
            }
        } else {
            return usageError(err, QStringLiteral("unknown option '%1'").arg(argument));
        }
    }
    if (!check)
        return usageError(err, QStringLiteral("--check is missing"));
    if (files.isEmpty())
        return usageError(err, QStringLiteral("--check needs at least one file"));
    int status = Clean;
    for (const QString& file : std::as_const(files))
        status = qMax(status, checkFile(file, variantPosition, out, err));
    out.flush();
    err.flush();
    return status;
}

} // namespace CheckCommand
