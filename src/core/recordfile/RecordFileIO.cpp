#include "RecordFileIO.h"

#include "Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace RecordFileIO {

Result readLines(QIODevice& device, QStringList* lines, ReadOptions options)
{
    lines->clear();
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
    while (!device.atEnd()) {
        const QByteArray chunk = device.read(ChunkSize);
        if (chunk.isEmpty()) {
            if (device.atEnd())
                break;
            return {false, device.errorString(), false};
        }
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

Result writeLines(QIODevice& device, const QStringList& lines)
{
    QByteArray buffer;
    for (const QString& line : lines) {
        buffer += Cp1252::encode(line);
        buffer += "\r\n";
        if (buffer.size() >= (1 << 16)) {
            if (device.write(buffer) != buffer.size())
                return {false, device.errorString(), false};
            buffer.clear();
        }
    }
    if (!buffer.isEmpty() && device.write(buffer) != buffer.size())
        return {false, device.errorString(), false};
    return {};
}

Result writeLines(const QString& fileName, const QStringList& lines)
{
    if (QFileInfo(fileName).isDir())
        return {false, QStringLiteral("It is a folder, not a file."), false};
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString(), false};
    Result result = writeLines(file, lines);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return {false, file.errorString(), false};
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

} // namespace RecordFileIO
