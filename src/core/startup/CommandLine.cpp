#include "CommandLine.h"

#include "CheckCommand.h"
#include "StartupRecovery.h"
#include "Version.h"
#include "recordfile/RecordJournal.h"
#include "species/VariantList.h"

#include <QCommandLineParser>
#include <QIODevice>

namespace {

constexpr int UsageStatus = 2;
constexpr int NoDisplayStatus = 1;

const char* const KindNames[] = {"tree", "stand", "location"};
constexpr FileKind Kinds[] = {FileKind::Tree, FileKind::Stand, FileKind::Locations};

QString variantCodes()
{
    QStringList codes;
    for (int position = 1; position <= VariantList::count(); ++position)
        codes.append(VariantList::entry(position).code);
    return codes.join(u' ');
}

// Every option, in the order --help lists them; a new option is one more line here and its
// meaning in CommandLine::parse.
const QList<QCommandLineOption>& options()
{
    static const QList<QCommandLineOption> all{
        {"check", "check each FILE instead of opening windows and print FILE:LINE: SEVERITY: "
                  "message for every finding (SEVERITY is error, warning or note); - is standard "
                  "input"},
        {"variant",
         QStringLiteral("with --check, also check the species codes of tree data files against "
                        "the species list of variant CODE, one of: %1")
             .arg(variantCodes()),
         "CODE"},
        {"kind",
         "with --check, read every FILE as KIND (tree, stand or location) instead of telling its "
         "kind by its extension or its lines",
         "KIND"},
        {"recover-list", "list, without opening windows, the unsaved changes of programs that "
                         "ended without saving them, which the next start offers to recover: "
                         "window, file, time of the last change, operations"},
        {QStringList{"h", "help"}, "show this help and exit"},
        {"version", "show the version and exit"},
    };
    return all;
}

// Qt's own options for the windows (-platform offscreen, -style Fusion, -display :1): taken
// here so that the application, which reads them itself, gets them.
QList<QCommandLineOption> qtOptions()
{
    QList<QCommandLineOption> taken;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                             "style", "stylesheet", "geometry", "qwindowgeometry", "qwindowicon",
                             "qwindowtitle", "title", "name", "session"})
        taken.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("V")));
    taken.append(QCommandLineOption(QStringLiteral("reverse")));
    return taken;
}

// The words of `text`, in lines that end before column 80, each after `indent` blanks.
QString wrapped(const QString& text, int indent, int firstColumn)
{
    QString result;
    int column = firstColumn;
    for (const QString& word : text.split(u' ')) {
        if (column > indent && column + 1 + word.size() >= 80) {
            result += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (column > indent) {
            result += u' ';
            ++column;
        }
        result += word;
        column += int(word.size());
    }
    return result;
}

QString optionLine(const QString& names, const QString& description)
{
    constexpr int DescriptionColumn = 20;
    const QString start = QStringLiteral("  ") + names + u' ';
    return start.leftJustified(DescriptionColumn) +
           wrapped(description, DescriptionColumn, qMax(DescriptionColumn, int(start.size()))) +
           u'\n';
}

// The argument as typed for an option name the parser did not know.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--"))
            break;
        if (argument.size() < 2 || !argument.startsWith(u'-'))
            continue;
        const qsizetype dashes = argument.startsWith(QStringLiteral("--")) ? 2 : 1;
        if (argument.mid(dashes).section(u'=', 0, 0) == name)
            return argument;
    }
    return QStringLiteral("--") + name;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments, bool hasDisplay)
{
    CommandLine line;
    const auto wrong = [&line](const QString& problem) {
        line.m_mode = Mode::Wrong;
        line.m_problem = problem;
        return line;
    };
    QCommandLineParser parser;
    // `-help` is `--help`, as in many programs, rather than `-h -e -l -p`.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options());
    parser.addOptions(qtOptions());
    if (!parser.parse(QStringList{QStringLiteral("sapwright")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return wrong(
                QStringLiteral("unknown option '%1'").arg(typedOption(arguments, unknown.first())));
        // A value missing or one given to an option that takes none.
        QString problem = parser.errorText();
        if (problem.endsWith(u'.'))
            problem.chop(1);
        return wrong(problem.left(1).toLower() + problem.mid(1));
    }
    line.m_files = parser.positionalArguments();

    if (parser.isSet(QStringLiteral("help"))) {
        line.m_mode = Mode::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.m_mode = Mode::Version;
        return line;
    }
    if (parser.isSet(QStringLiteral("recover-list"))) {
        line.m_mode = Mode::RecoverList;
        return line;
    }
    if (!parser.isSet(QStringLiteral("check"))) {
        for (const char* option : {"variant", "kind"}) {
            if (parser.isSet(QString::fromLatin1(option)))
                return wrong(QStringLiteral("--%1 goes with --check").arg(option));
        }
        // A display or platform named here is Qt's to open.
        if (!hasDisplay && !parser.isSet(QStringLiteral("display")) &&
            !parser.isSet(QStringLiteral("platform"))) {
            line.m_mode = Mode::NoDisplay;
            line.m_problem = QStringLiteral(
                "no display to open the windows on (DISPLAY and WAYLAND_DISPLAY are not set); "
                "start it from a graphical session, or use --check");
        }
        return line;
    }

    line.m_mode = Mode::Check;
    if (line.m_files.isEmpty())
        return wrong(QStringLiteral("--check needs at least one FILE"));
    if (parser.isSet(QStringLiteral("variant"))) {
        const QString code = parser.value(QStringLiteral("variant"));
        line.m_variantPosition = code.size() == 2 ? VariantList::positionOf(code.toLower()) : 0;
        if (line.m_variantPosition == 0)
            return wrong(
                QStringLiteral("unknown variant code '%1' (one of: %2)").arg(code, variantCodes()));
    }
    if (parser.isSet(QStringLiteral("kind"))) {
        const QString kind = parser.value(QStringLiteral("kind"));
        for (std::size_t k = 0; k < std::size(Kinds); ++k) {
            if (kind == QLatin1String(KindNames[k]))
                line.m_kind = Kinds[k];
        }
        if (line.m_kind == FileKind::None)
            return wrong(
                QStringLiteral("unknown file kind '%1' (one of: tree stand location)").arg(kind));
    }
    return line;
}

bool CommandLine::displayNamed()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    // A platform that needs neither (offscreen, vnc, eglfs) is chosen on purpose.
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return !platform.isEmpty() && !platform.startsWith(QStringLiteral("xcb")) &&
           !platform.startsWith(QStringLiteral("wayland"));
}

int CommandLine::run(QTextStream& out, QTextStream& err) const
{
    int status = 0;
    switch (m_mode) {
    case Mode::Windows:
        return 0;
    case Mode::Wrong:
        err << "sapwright: " << m_problem << '\n'
            << usage() << "Try 'sapwright --help' for more information.\n";
        err.flush();
        return UsageStatus;
    case Mode::NoDisplay:
        err << "sapwright: " << m_problem << '\n';
        err.flush();
        return NoDisplayStatus;
    case Mode::Help:
        out << helpText();
        break;
    case Mode::Version:
        out << versionText();
        break;
    case Mode::Check:
        status = CheckCommand::run(m_files, m_kind, m_variantPosition, out, err);
        break;
    case Mode::RecoverList:
        status = StartupRecovery::list(RecordJournal::defaultFolder(), out);
        break;
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        err << "sapwright: cannot write to standard output: "
            << (out.device() ? out.device()->errorString() : QString()) << '\n';
        err.flush();
        return UsageStatus;
    }
    return status;
}

QString CommandLine::usage()
{
    return QStringLiteral("Usage: sapwright [FILE]\n"
                          "       sapwright --check [--variant CODE] [--kind KIND] FILE...\n"
                          "       sapwright --recover-list\n"
                          "       sapwright --help | --version\n");
}

QString CommandLine::helpText()
{
    QString options;
    for (const QCommandLineOption& option : ::options()) {
        QStringList names = option.names();
        for (QString& name : names)
            name.prepend(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
        QString shown = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            shown += u' ' + option.valueName();
        options += optionLine(shown, option.description());
    }
    options += optionLine(QStringLiteral("--"),
                          QStringLiteral("end the options: what follows is a FILE, also when it "
                                         "begins with -"));
    const auto paragraph = [](const char* text) {
        return wrapped(QString::fromLatin1(text), 0, 0) + QStringLiteral("\n\n");
    };
    return usage() + u'\n' +
           paragraph("Without --check, opens the data windows: with a FILE, after the splash "
                     "window the window of the FILE's kind with the FILE loaded. Tree data files "
                     "(.velk, .tre), Stand List Files (.slf) and Locations Files (.loc) are told "
                     "by their extension, any other FILE by its lines.") +
           paragraph("With --check, checks each FILE, without a display, for what the simulator "
                     "or Vorlin will read differently from what the file shows.") +
           QStringLiteral("Options:\n") + options + u'\n' +
           paragraph("Exit status: 0 when no FILE has an error or a warning (notes alone pass), "
                     "1 when one has, 2 when a FILE cannot be read or is of none of the three "
                     "kinds, when the arguments are wrong or when the output cannot be written; 1 "
                     "when windows are asked for without a display.") +
           QStringLiteral("Report bugs to: maintainers@sapwright.org\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("sapwright %1.%2.%3\n"
                          "Copyright (C) %1 The Sapwright developers\n"
                          "License MIT: <https://opensource.org/license/mit>\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(Version::Major)
        .arg(Version::Minor)
        .arg(Version::Revision);
}
