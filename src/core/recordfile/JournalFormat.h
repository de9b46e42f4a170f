#pragma once

#include "RecordFileIO.h"
#include "UndoHistory.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The recovery journal's bytes. A journal begins with a magic line; then come records, each
// framed as length (4 bytes), type (1 byte), payload, and a checksum of the three, so a record
// torn by a power cut is found and everything before it is still read. The first record is the
// base: where the display began. Then one record per operation: a step as the undo history holds
// it (but the removed lines only by their number and a hash: a replay has them on screen), an
// undo or a redo, or a new file name.
namespace JournalFormat {

// Where the display began when the journal was started.
struct Base
{
    QString window; // the window's journal name
    qint64 pid = 0;
    QString workingDirectory; // relative names are relative to it
    // The file whose lines the display holds (loaded == true: its lines and the new-record slot,
    // `lines` of them records), or, with an empty display, the file it is named after.
    QString source;
    bool loaded = false;
    qint32 lines = 0;
    RecordFileIO::FileState state; // of the source then; without a hash only existence counts
    bool askOverwrite = false;
    QString name; // the name the display belongs to
};

enum class OpKind : char
{
    Step = 'S',
    Undo = 'U',
    Redo = 'R',
    Name = 'N'
};

struct Op
{
    OpKind kind = OpKind::Step;
    qint64 time = 0;        // ms since the epoch
    UndoHistory::Step step; // its removed lines are not kept, only:
    qint32 removedCount = 0;
    QByteArray removedHash;
    QString name;
};

struct Content
{
    Base base;
    QList<Op> ops;
    bool cutShort = false; // the last record was torn and is not among the ops
    QString problem;       // why the journal cannot be read; then nothing else counts

    int operations() const; // steps, undos and redos
    qint64 lastChange() const;
    // The name the display belonged to at the end, as the base and the name records give it.
    QString finalName() const;
    // A name as the program that wrote the journal meant it: a relative one from its working
    // directory, unless that is the current one.
    QString resolved(const QString& name) const;
};

QByteArray magic();
QByteArray baseRecord(const Base& base);
QByteArray stepRecord(const UndoHistory::Step& step, qint64 time);
// Undo or redo.
QByteArray markRecord(OpKind kind, qint64 time);
QByteArray nameRecord(const QString& name, qint64 time);

QByteArray linesHash(const QStringList& lines);
// Entry fields as one text and back; each text keeps its exact characters.
QString packFields(const QStringList& fields);
QStringList unpackFields(const QString& packed);

Content parse(const QByteArray& bytes);

// Whether a file is still as `then` describes it.
bool unchanged(const RecordFileIO::FileState& then, const RecordFileIO::FileState& now);

// The records the operations added or changed, in the order they end up in the file: what can be
// saved of a journal whose file changed under it.
QStringList recordsAdded(const Content& content);

} // namespace JournalFormat
