#include "JournalFormat.h"

#include "DisplayList.h"
#include "base/Cp1252.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QtEndian>

namespace JournalFormat {

namespace {

constexpr char BaseType = 'B';
constexpr qsizetype LengthSize = 4, TypeSize = 1, ChecksumSize = 8;

QByteArray checksum(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, RecordFileIO::Hash).left(ChecksumSize);
}

QByteArray frame(char type, const QByteArray& payload)
{
    QByteArray record(LengthSize, Qt::Uninitialized);
    qToLittleEndian(quint32(payload.size()), record.data());
    record += type;
    record += payload;
    record += checksum(record);
    return record;
}

// Payloads are written with one fixed stream version, so a later Qt reads them alike.
template <typename F> QByteArray payload(F&& write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    write(out);
    return bytes;
}

// A text of this length or longer gives its length in three characters instead of one.
constexpr char16_t LongText = 0xFFFF;

} // namespace

QString packFields(const QStringList& fields)
{
    QString packed;
    for (const QString& field : fields) {
        const qsizetype length = field.size();
        if (length < LongText) {
            packed += QChar(char16_t(length));
        } else {
            packed += QChar(LongText);
            packed += QChar(char16_t(length & 0xFFFF));
            packed += QChar(char16_t(length >> 16));
        }
        packed += field;
    }
    return packed;
}

QStringList unpackFields(const QString& packed)
{
    QStringList fields;
    qsizetype at = 0;
    while (at < packed.size()) {
        qsizetype length = packed[at++].unicode();
        if (length == LongText && at + 2 <= packed.size()) {
            length = packed[at].unicode() | (qsizetype(packed[at + 1].unicode()) << 16);
            at += 2;
        }
        fields.append(packed.mid(at, length));
        at += length;
    }
    return fields;
}

namespace {

void writeView(QDataStream& out, const UndoHistory::View& view)
{
    out << view.recordCount << view.currentIndex << quint8(view.mode) << view.keepsFields
        << packFields(view.fields);
}

bool readView(QDataStream& in, UndoHistory::View* view)
{
    quint8 mode = 0;
    QString fields;
    in >> view->recordCount >> view->currentIndex >> mode >> view->keepsFields >> fields;
    view->fields = unpackFields(fields);
    view->mode = UndoHistory::Mode(mode);
    return mode <= quint8(UndoHistory::Mode::Edit);
}

bool readBase(const QByteArray& bytes, Base* base)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    QByteArray hash;
    in >> base->window >> base->pid >> base->workingDirectory >> base->source >> base->loaded >>
        base->lines >> base->state.exists >> base->state.size >> hash >> base->askOverwrite >>
        base->name;
    base->state.setHash(hash);
    return in.status() == QDataStream::Ok && base->lines >= 0 &&
           base->lines < DisplayList::MaxLines;
}

bool readOp(char type, const QByteArray& bytes, Op* op)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    op->kind = OpKind(type);
    in >> op->time;
    switch (op->kind) {
    case OpKind::Undo:
    case OpKind::Redo:
        break;
    case OpKind::Name:
        in >> op->name;
        break;
    case OpKind::Step: {
        UndoHistory::Step& step = op->step;
        qint32 index = 0, inserted = 0;
        in >> index >> op->removedCount >> op->removedHash >> inserted;
        if (in.status() != QDataStream::Ok || inserted < 0 || inserted > DisplayList::MaxLines)
            return false;
        step.index = index;
        for (qint32 i = 0; i < inserted && in.status() == QDataStream::Ok; ++i) {
            QByteArray line;
            in >> line;
            step.inserted.append(Cp1252::decode(line));
        }
        if (!readView(in, &step.before) || !readView(in, &step.after))
            return false;
        in >> step.clear;
        break;
    }
    default:
        return false;
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

int Content::operations() const
{
    int count = 0;
    for (const Op& op : ops)
        count += op.kind != OpKind::Name;
    return count;
}

qint64 Content::lastChange() const
{
    return ops.isEmpty() ? 0 : ops.last().time;
}

QString Content::finalName() const
{
    QString name = base.name;
    for (const Op& op : ops) {
        if (op.kind == OpKind::Name)
            name = op.name;
    }
    return name;
}

QString Content::resolved(const QString& name) const
{
    if (name.isEmpty() || QDir::isAbsolutePath(name) || base.workingDirectory.isEmpty() ||
        base.workingDirectory == QDir::currentPath())
        return name;
    return QDir::cleanPath(QDir(base.workingDirectory).absoluteFilePath(name));
}

QByteArray magic()
{
    return QByteArrayLiteral("SAPWRIGHT RECOVERY JOURNAL 1\n");
}

QByteArray baseRecord(const Base& base)
{
    return frame(BaseType, payload([&](QDataStream& out) {
                     out << base.window << base.pid << base.workingDirectory << base.source
                         << base.loaded << base.lines << base.state.exists << base.state.size
                         << base.state.hash() << base.askOverwrite << base.name;
                 }));
}

QByteArray stepRecord(const UndoHistory::Step& step, qint64 time)
{
    return frame(char(OpKind::Step), payload([&](QDataStream& out) {
                     out << time << qint32(step.index) << qint32(step.removed.size())
                         << linesHash(step.removed) << qint32(step.inserted.size());
                     for (const QString& line : step.inserted)
                         out << Cp1252::encode(line);
                     writeView(out, step.before);
                     writeView(out, step.after);
                     out << step.clear;
                 }));
}

QByteArray markRecord(OpKind kind, qint64 time)
{
    return frame(char(kind), payload([&](QDataStream& out) { out << time; }));
}

QByteArray nameRecord(const QString& name, qint64 time)
{
    return frame(char(OpKind::Name), payload([&](QDataStream& out) { out << time << name; }));
}

QByteArray linesHash(const QStringList& lines)
{
    QCryptographicHash hash(RecordFileIO::Hash);
    for (const QString& line : lines) {
        hash.addData(Cp1252::encode(line));
        hash.addData("\n");
    }
    return hash.result().left(16);
}

Content parse(const QByteArray& bytes)
{
    Content content;
    const QByteArray head = magic();
    if (!bytes.startsWith(head)) {
        content.problem = QStringLiteral("It is not a recovery journal of this version.");
        return content;
    }
    bool baseRead = false;
    qsizetype at = head.size();
    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        if (left < LengthSize + TypeSize + ChecksumSize) {
            content.cutShort = true;
            break;
        }
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + at);
        const qsizetype framed = LengthSize + TypeSize + qsizetype(length);
        if (qsizetype(length) > left - LengthSize - TypeSize - ChecksumSize ||
            checksum(QByteArrayView(bytes).sliced(at, framed)) !=
                bytes.mid(at + framed, ChecksumSize)) {
            content.cutShort = true;
            break;
        }
        const char type = bytes[at + LengthSize];
        const QByteArray body = bytes.mid(at + LengthSize + TypeSize, length);
        at += framed + ChecksumSize;
        if (!baseRead) {
            baseRead = type == BaseType && readBase(body, &content.base);
            if (!baseRead)
                break;
            continue;
        }
        Op op;
        // A record that is whole but cannot be understood ends what can be trusted.
        if (!readOp(type, body, &op)) {
            content.cutShort = true;
            break;
        }
        content.ops.append(std::move(op));
    }
    if (!baseRead)
        content.problem = QStringLiteral("Its beginning is damaged.");
    return content;
}

bool unchanged(const RecordFileIO::FileState& then, const RecordFileIO::FileState& now)
{
    return then.exists == now.exists &&
           (then.hash().isEmpty() || (then.size == now.size && then.hash() == now.hash()));
}

QStringList recordsAdded(const Content& content)
{
    // Which line came from where, without knowing the file's lines: those of the base are only
    // counted, those the operations put in are known.
    struct Line
    {
        bool added = false;
        QString text;
    };
    struct Done
    {
        int index = 0;
        QList<Line> removed, inserted;
        qint16 recordsBefore = 0, recordsAfter = 0;
    };
    const Base& base = content.base;
    QList<Line> display(base.loaded ? base.lines + 1 : 0);
    QList<Done> done;
    qsizetype position = 0;
    int records = base.loaded ? base.lines : 0;
    // False when the lines are not where the operation says, which a journal of this program
    // never holds: what follows is left out.
    const auto replace = [&](int index, const QList<Line>& from, const QList<Line>& to) {
        if (index < 0 || index + from.size() > display.size())
            return false;
        display.remove(index, from.size());
        for (qsizetype k = 0; k < to.size(); ++k)
            display.insert(index + k, to[k]);
        return true;
    };
    for (const Op& op : content.ops) {
        if (op.kind == OpKind::Step) {
            const int index = op.step.index;
            if (index < 0 || op.removedCount < 0 || index + op.removedCount > display.size())
                break;
            Done step{index,
                      display.mid(index, op.removedCount),
                      {},
                      op.step.before.recordCount,
                      op.step.after.recordCount};
            for (const QString& line : op.step.inserted)
                step.inserted.append({true, line});
            replace(index, step.removed, step.inserted);
            records = step.recordsAfter;
            done.resize(position);
            done.append(std::move(step));
            ++position;
        } else if (op.kind == OpKind::Undo && position > 0) {
            const Done& step = done[position - 1];
            if (!replace(step.index, step.inserted, step.removed))
                break;
            records = step.recordsBefore;
            --position;
        } else if (op.kind == OpKind::Redo && position < done.size()) {
            const Done& step = done[position];
            if (!replace(step.index, step.removed, step.inserted))
                break;
            records = step.recordsAfter;
            ++position;
        }
    }
    QStringList added;
    for (qsizetype k = 0; k < qMin(qsizetype(records), display.size()); ++k) {
        if (display[k].added)
            added.append(display[k].text);
    }
    return added;
}

} // namespace JournalFormat
