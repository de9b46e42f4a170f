#include "StartupRecovery.h"

#include "recordfile/RecordFileLogic.h"
#include "recordfile/RecordJournal.h"

#include <QDateTime>
#include <QDir>

using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;

namespace {

const QString Title = QStringLiteral("Recovery");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString timeOf(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// How many operations the journal holds, as the question and the list show it.
QString operations(const JournalFormat::Content& content, const char* noun)
{
    QString text = QString::number(content.operations()) + QLatin1String(noun);
    if (content.cutShort)
        text += QStringLiteral(" (one more was cut short by the stop and is lost)");
    return text;
}

QString question(const OrphanJournal& journal, const QString& recovered, int waiting)
{
    const JournalFormat::Content& content = journal.content();
    const QString window = StartupRecovery::windowName(content.base.window);
    const QString file = journal.fileName();
    QString text =
        QStringLiteral("Sapwright ended without saving the changes in the %1 window.\r\n\r\n"
                       "File: %2\r\nLast change: %3\r\nOperations: %4\r\n\r\n")
            .arg(window, file.isEmpty() ? QStringLiteral("(no name)") : native(file),
                 timeOf(content.lastChange()), operations(content, ""));
    if (recovered.isEmpty()) {
        text += QStringLiteral("Recover opens the %1 window with these changes, not yet saved: "
                               "Save writes them to the file.")
                    .arg(window);
    } else {
        text += QStringLiteral("The file is no longer as it was when these changes began, so "
                               "they cannot be put back into it. Recover writes the records they "
                               "added or changed, in file order, to %1; the file itself stays as "
                               "it is.")
                    .arg(native(recovered));
    }
    text += QStringLiteral(" Discard deletes the changes. Later keeps them for the next start.");
    if (recovered.isEmpty() && waiting > 0)
        text += QStringLiteral("\r\n\r\nOnly one window opens at a time: after Recover, the %1 "
                               "other recovery journal%2 will be offered at the next start.")
                    .arg(waiting)
                    .arg(waiting == 1 ? "" : "s");
    return text;
}

// Why a journal cannot be offered; empty when it can.
QString unreadable(const OrphanJournal& journal)
{
    const JournalFormat::Content& content = journal.content();
    if (!content.problem.isEmpty())
        return content.problem;
    if (StartupRecovery::windowName(content.base.window).isEmpty())
        return QStringLiteral("It belongs to no window of this program.");
    return {};
}

void writeRecovered(OrphanJournal& journal, const QString& name, UserInterface& ui)
{
    const QStringList records = JournalFormat::recordsAdded(journal.content());
    QString text;
    if (records.isEmpty()) {
        journal.remove();
        text = QStringLiteral("The changes added or changed no record, so nothing was written.");
    } else if (const RecordFileIO::Result written = RecordFileIO::writeNewFile(name, records);
               written.ok) {
        journal.remove();
        text = QStringLiteral("%1 record%2 written to %3.")
                   .arg(records.size())
                   .arg(records.size() == 1 ? " was" : "s were", native(name));
    } else {
        text = QStringLiteral("The file %1 could not be written.\r\n%2\r\nThe changes are kept "
                              "for the next start.")
                   .arg(native(name), written.reason);
    }
    ui.message(Title, text, Buttons::Ok, Icon::None);
}

} // namespace

namespace StartupRecovery {

QString windowName(const QString& window)
{
    if (window == QStringLiteral("tree"))
        return QStringLiteral("Tree Data");
    if (window == QStringLiteral("stand"))
        return QStringLiteral("Stand Data");
    if (window == QStringLiteral("location"))
        return QStringLiteral("Location Data");
    return QString();
}

std::optional<OrphanJournal> ask(UserInterface& ui)
{
    if (RecordJournal::folder().isEmpty())
        return std::nullopt;
    std::vector<OrphanJournal> journals = OrphanJournal::claimAll(RecordJournal::folder());
    for (size_t i = 0; i < journals.size(); ++i) {
        OrphanJournal& journal = journals[i];
        if (const QString reason = unreadable(journal); !reason.isEmpty()) {
            ui.message(Title,
                       QStringLiteral("The recovery journal %1 cannot be read.\r\n%2\r\nIt is left "
                                      "where it is.")
                           .arg(native(journal.path()), reason),
                       Buttons::Ok, Icon::Critical);
            continue;
        }
        const QString recovered = journal.sourceChanged() ? journal.recoveredName() : QString();
        const auto answer =
            ui.message(Title, question(journal, recovered, int(journals.size() - i - 1)),
                       Buttons::RecoverDiscardLater, Icon::Exclamation);
        if (answer == UserInterface::Answer::Discard)
            journal.remove();
        else if (answer == UserInterface::Answer::Recover && recovered.isEmpty())
            return std::move(journal);
        else if (answer == UserInterface::Answer::Recover)
            writeRecovered(journal, recovered, ui);
    }
    return std::nullopt;
}

void recover(RecordFileLogic& logic, OrphanJournal& journal, UserInterface& ui)
{
    const JournalFormat::Content& content = journal.content();
    const int replayed = logic.recover(content);
    if (replayed == content.operations()) {
        journal.remove();
        return;
    }
    const QString what =
        replayed < 0 ? QStringLiteral("The file %1 changed just now, so nothing was recovered.")
                           .arg(native(content.resolved(content.base.source)))
                     : QStringLiteral("Only the first %1 of the %2 operations could be recovered.")
                           .arg(replayed)
                           .arg(content.operations());
    ui.message(
        Title,
        what + QStringLiteral("\r\nThe recovery journal %1 is kept.").arg(native(journal.path())),
        Buttons::Ok, Icon::Exclamation);
}

int list(const QString& folder, QTextStream& out)
{
    const std::vector<OrphanJournal> journals = OrphanJournal::claimAll(folder);
    if (journals.empty())
        out << "No recovery journals in " << native(folder) << ".\n";
    for (const OrphanJournal& journal : journals) {
        const JournalFormat::Content& content = journal.content();
        if (const QString reason = unreadable(journal); !reason.isEmpty()) {
            out << native(journal.path()) << ": cannot be read: " << reason << '\n';
            continue;
        }
        const QString file = journal.fileName();
        out << windowName(content.base.window) << '\t'
            << (file.isEmpty() ? QStringLiteral("(no name)") : native(file)) << '\t'
            << timeOf(content.lastChange()) << '\t'
            << operations(content, content.operations() == 1 ? " operation" : " operations")
            << (journal.sourceChanged() ? ", the file has changed since" : "") << '\n';
    }
    out.flush();
    return 0;
}

} // namespace StartupRecovery
