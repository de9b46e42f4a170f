#include "RecordFileIO.h"

#include "base/Cp1252.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace RecordFileIO {

QByteArray FileState::hash() const
{
    if (m_hashPending) {
        m_hash = QCryptographicHash::hash(m_bytes, Hash);
        m_bytes = QByteArray();
        m_hashPending = false;
    }
    return m_hash;
}

void FileState::setHash(const QByteArray& hash)
{
    m_hash = hash;
    m_bytes = QByteArray();
    m_hashPending = false;
}

void FileState::setBytes(const QByteArray& bytes)
{
    size = bytes.size();
    m_bytes = bytes;
    m_hashPending = true;
}

namespace {

// Up to this size the bytes read stay in one buffer, and the hash is taken when asked; beyond,
// as in a file of only empty lines, the lines taken are hashed and dropped as reading goes on.
constexpr qsizetype KeptBytes = qsizetype(16) << 20;
constexpr qsizetype ChunkSize = qsizetype(1) << 16;

// Whether the line's first letter, upper case, is one of `letters`; a plain ASCII letter, as
// nearly every line has, needs no look into the Unicode tables.
bool hasLetter(const QString& line, const QString& letters)
{
    if (line.isEmpty())
        return false;
    const QChar first = line.front();
    const char16_t c = first.unicode();
    const QChar upper =
        c >= 0x80 ? first.toUpper() : QChar(c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c);
    return std::find(letters.begin(), letters.end(), upper) != letters.end();
}

// Decodes the line straight from the buffer into `lines`; false when they are full.
bool takeLine(const char* data, qsizetype size, QStringList* lines, const ReadOptions& options,
              Result& result)
{
    if (options.maxLines >= 0 && lines->size() >= options.maxLines)
        return false;
    lines->append(Cp1252::decode(data, size));
    // While the line is at hand.
    if (!options.letters.isEmpty() && !hasLetter(lines->back(), options.letters))
        result.otherLetterSeen = true;
    return true;
}

// Takes the lines that end in data[from, end); returns where the line without its end begins,
// or -1 when there are too many lines.
qsizetype takeLines(const char* data, qsizetype from, qsizetype end, QStringList* lines,
                    const ReadOptions& options, Result& result)
{
    for (;;) {
        const auto* lf =
            static_cast<const char*>(std::memchr(data + from, '\n', size_t(end - from)));
        if (!lf)
            return from;
        qsizetype lineEnd = lf - data;
        if (lineEnd > from && data[lineEnd - 1] == '\r')
            --lineEnd;
        if ((lineEnd > from || !options.skipEmptyLines) &&
            !takeLine(data + from, lineEnd - from, lines, options, result))
            return -1;
        from = lf - data + 1;
    }
}

} // namespace

Result readLines(QIODevice& device, QStringList* lines, ReadOptions options)
{
    lines->clear();
    if (options.state)
        *options.state = FileState();
    // Bytes kept for their hash are read in one go (a byte more than the file holds shows that
    // it grew meanwhile); without a hash wanted, a chunk at a time will do.
    const qint64 known = device.isSequential() ? -1 : device.size() - device.pos();
    const qsizetype kept = options.state ? KeptBytes : ChunkSize;
    QByteArray buffer(known >= 0 && known < kept ? known + 1 : ChunkSize, Qt::Uninitialized);
    qsizetype filled = 0;
    qsizetype taken = 0; // the lines before it are in `lines`
    QCryptographicHash hash(Hash);
    bool dropped = false; // bytes before the buffer's, hashed as they went
    Result result;
    // Until a read finds nothing: a pipe does not know its end before it has been read.
    for (;;) {
        if (filled == buffer.size() && buffer.size() >= kept && taken > 0) {
            if (options.state)
                hash.addData(QByteArrayView(buffer.constData(), taken));
            dropped = true;
            std::memmove(buffer.data(), buffer.constData() + taken, size_t(filled - taken));
            filled -= taken;
            taken = 0;
        }
        if (filled == buffer.size())
            buffer.resize(buffer.size() * 2);
        const qint64 got = device.read(buffer.data() + filled, buffer.size() - filled);
        if (got < 0)
            return {false, device.errorString(), false};
        if (got == 0)
            break;
        filled += got;
        if (options.state)
            options.state->size += got;
        taken = takeLines(buffer.constData(), taken, filled, lines, options, result);
        if (taken < 0)
            return {false, QString(), true};
    }
    if (taken < filled) {
        // A last line without a line end; a lone CR there belongs to the line.
        if (!takeLine(buffer.constData() + taken, filled - taken, lines, options, result))
            return {false, QString(), true};
        result.lastLineEnded = false;
    }
    if (FileState* state = options.state) {
        state->exists = true;
        if (dropped) {
            hash.addData(QByteArrayView(buffer.constData(), filled));
            state->setHash(hash.result());
        } else {
            buffer.truncate(filled);
            state->setBytes(buffer);
        }
    }
    return result;
}

Result readLines(const QString& fileName, QStringList* lines, ReadOptions options)
{
    lines->clear();
    QFile file(fileName);
    if (QFileInfo(fileName).isDir())
        return {false, QStringLiteral("It is a folder, not a file."), false};
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {false, file.errorString(), false};
    Result result = readLines(file, lines, options);
    if (!result.ok)
        lines->clear();
    return result;
}

Result writeLines(QIODevice& device, std::span<const QString> lines, FileState* written)
{
    if (written)
        *written = FileState();
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QString& line : lines) {
        out = Cp1252::encode(line, out);
        *out++ = '\r';
        *out++ = '\n';
    }
    if (device.write(bytes) != bytes.size())
        return {false, device.errorString(), false};
    if (written) {
        written->exists = true;
        written->setBytes(bytes);
    }
    return {};
}

Result writeLines(const QString& fileName, std::span<const QString> lines, FileState* written,
                  bool durableName, const std::function<bool()>& mayReplace)
{
    if (QFileInfo(fileName).isDir())
        return {false, QStringLiteral("It is a folder, not a file."), false};
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString(), false};
    Result result = writeLines(file, lines, written);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    // The bytes go to the disk while the caller's work beside the write ends; the commit then
    // finds little left to sync.
    if (mayReplace)
        ::fdatasync(file.handle());
    if (mayReplace && !mayReplace()) {
        file.cancelWriting();
        if (written)
            *written = FileState();
        return {};
    }
    if (!file.commit())
        return {false, file.errorString(), false};
    if (durableName)
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
    options.letters = format.letters;
    records.result = readLines(source, &records.lines, options);
    records.invalidLineSeen = records.result.otherLetterSeen;
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
