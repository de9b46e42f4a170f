#pragma once

#include "base/UserInterface.h"
#include "recordfile/OrphanJournal.h"

#include <QTextStream>
#include <optional>

class RecordFileLogic;

// The changes a program that ended without saving left in its recovery journals: offered one
// journal at a time when the program starts, and listed by `sapwright --recover-list`.
namespace StartupRecovery {

// "Tree Data", "Stand Data" or "Location Data" for a journal's window; empty for another.
QString windowName(const QString& window);

// One question for every journal in the journal folder, newest change first: Recover, Discard
// (the journal goes) or Later (it stays for the next start). Recover returns the journal, still
// held, to be opened in its window; only one window can open, so the journals after it stay
// for the next start, as their question says. A journal whose file has changed since cannot be
// replayed: its Recover writes the records it added or changed to a new file beside the file.
std::optional<OrphanJournal> ask(UserInterface& ui);

// Replays the journal in the window's logic; it goes once everything came back, else the user
// is told and it stays.
void recover(RecordFileLogic& logic, OrphanJournal& journal, UserInterface& ui);

// One line for every journal a start would offer: window, file, time, operations. Exit status 0.
int list(const QString& folder, QTextStream& out);

} // namespace StartupRecovery
