#include "RecordFileIO.h"

#include "base/Cp1252.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace RecordFileIO {

namespace {

// What a FileState holds of the bytes passing through.
void fingerprint(FileState* state, QCryptographicHash& hash, const QByteArray& bytes)
{
    if (state) {
        hash.addData(bytes);
        state->size += bytes.size();
    }
}

void finish(FileState* state, QCryptographicHash& hash)
{
    if (state) {
        state->exists = true;
        state->hash = hash.result();
    }
}

} // namespace

Result readLines(QIODevice& device, QStringList* lines, ReadOptions options)
{
    lines->clear();
    QCryptographicHash hash(Hash);
    if (options.state)
        *options.state = FileState();
    QByteArray pending;
    auto takeLine = [&](QByteArray line) -> bool {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() && options.skipEmptyLines)
            return true;
        if (options.maxLines >= 0 && lines->size() >= options.maxLines)
            return false;
        lines->append(Cp1252::decode(line));
        return true;
    };
    constexpr qint64 ChunkSize = 1 << 16;
    QByteArray chunk;
    // Until a read finds nothing: a pipe does not know its end before it has been read.
    for (;;) {
        chunk.resize(ChunkSize);
        const qint64 got = device.read(chunk.data(), ChunkSize);
        if (got < 0)
            return {false, device.errorString(), false};
        if (got == 0)
            break;
        chunk.resize(got);
        fingerprint(options.state, hash, chunk);
        qsizetype start = 0;
        for (qsizetype at = chunk.indexOf('\n'); at >= 0; at = chunk.indexOf('\n', start)) {
            pending.append(chunk.constData() + start, at - start);
            if (!takeLine(pending))
                return {false, QString(), true};
            pending.clear();
            start = at + 1;
        }
        pending.append(chunk.constData() + start, chunk.size() - start);
    }
    if (!pending.isEmpty()) {
        // A last line without a line end; a lone CR there belongs to the line.
        if (options.maxLines >= 0 && lines->size() >= options.maxLines)
            return {false, QString(), true};
        lines->append(Cp1252::decode(pending));
        return {true, QString(), false, false};
    }
    finish(options.state, hash);
    return {};
}

Result readLines(const QString& fileName, QStringList* lines, ReadOptions options)
{
    lines->clear();
    QFile file(fileName);
    if (QFileInfo(fileName).isDir())
        return {false, QStringLiteral("It is a folder, not a file."), false};
    if (!file.open(QIODevice::ReadOnly))
        return {false, file.errorString(), false};
    Result result = readLines(file, lines, options);
    if (!result.ok)
        lines->clear();
    return result;
}

Result writeLines(QIODevice& device, const QStringList& lines, FileState* written)
{
    QCryptographicHash hash(Hash);
    if (written)
        *written = FileState();
    QByteArray buffer;
    for (const QString& line : lines) {
        buffer += Cp1252::encode(line);
        buffer += "\r\n";
        if (buffer.size() >= (1 << 16)) {
            if (device.write(buffer) != buffer.size())
                return {false, device.errorString(), false};
            fingerprint(written, hash, buffer);
            buffer.clear();
        }
    }
    if (!buffer.isEmpty() && device.write(buffer) != buffer.size())
        return {false, device.errorString(), false};
    fingerprint(written, hash, buffer);
    finish(written, hash);
    return {};
}

Result writeLines(const QString& fileName, const QStringList& lines, FileState* written)
{
    if (QFileInfo(fileName).isDir())
        return {false, QStringLiteral("It is a folder, not a file."), false};
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString(), false};
    Result result = writeLines(file, lines, written);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return {false, file.errorString(), false};
    // The file's data is on the disk; its new name must be too.
    syncFolder(QFileInfo(fileName).absolutePath());
    return {};
}

Result writeNewFile(const QString& fileName, const QStringList& lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {false, file.errorString(), false};
    Result result = writeLines(file, lines);
    if (result.ok && (!file.flush() || ::fsync(file.handle()) != 0))
        result = {false, file.errorString(), false};
    if (!result.ok) {
        file.remove();
        return result;
    }
    file.close();
    syncFolder(QFileInfo(fileName).absolutePath());
    return {};
}

namespace {

template <typename Source>
Records readRecordsFrom(Source& source, const RecordFormat& format, qsizetype maxLines)
{
    Records records;
    ReadOptions options;
    options.skipEmptyLines = format.skipEmptyLines;
    options.maxLines = maxLines;
    options.state = &records.state;
    records.result = readLines(source, &records.lines, options);
    if (!format.letters.isEmpty()) {
        for (const QString& line : std::as_const(records.lines)) {
            if (line.isEmpty() || !format.letters.contains(line.front().toUpper())) {
                records.invalidLineSeen = true;
                break;
            }
        }
    }
    return records;
}

} // namespace

Records readRecords(const QString& fileName, const RecordFormat& format, qsizetype maxLines)
{
    return readRecordsFrom(fileName, format, maxLines);
}

Records readRecords(QIODevice& device, const RecordFormat& format, qsizetype maxLines)
{
    return readRecordsFrom(device, format, maxLines);
}

bool fileExists(const QString& fileName)
{
    return !fileName.isEmpty() && QFileInfo::exists(fileName);
}

bool isFolder(const QString& fileName)
{
    return !fileName.isEmpty() && QFileInfo(fileName).isDir();
}

FileState fileState(const QString& fileName)
{
    FileState state;
    if (!fileExists(fileName))
        return state;
    QStringList lines;
    ReadOptions options;
    options.state = &state;
    readLines(fileName, &lines, options);
    state.exists = fileExists(fileName);
    return state;
}

void syncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace RecordFileIO
