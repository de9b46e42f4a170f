// Reading and writing record files as bytes: reading what was written gives the same lines,
// and writing what was read keeps every byte but the line ends, which become CR LF.

#include "FuzzSupport.h"
#include "recordfile/RecordFileIO.h"

#include <QBuffer>

namespace {

template <typename Read> auto readBytes(const QByteArray& bytes, Read read)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    return read(buffer);
}

QByteArray writeBytes(const QStringList& lines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::WriteOnly));
    FUZZ_CHECK(RecordFileIO::writeLines(buffer, lines).ok);
    return bytes;
}

QStringList readAll(const QByteArray& bytes, RecordFileIO::ReadOptions options = {},
                    RecordFileIO::Result* result = nullptr)
{
    return readBytes(bytes, [&](QIODevice& device) {
        QStringList lines;
        const RecordFileIO::Result read = RecordFileIO::readLines(device, &lines, options);
        if (result)
            *result = read;
        else
            FUZZ_CHECK(read.ok);
        return lines;
    });
}

// The bytes as they should come back: each line ended by CR LF, where a line ends at LF and
// one CR just before that LF belongs to the line end.
QByteArray expectedWrite(const QByteArray& bytes)
{
    QByteArray out;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', from);
        if (lf < 0) {
            out += bytes.mid(from) + "\r\n";
            break;
        }
        QByteArray line = bytes.mid(from, lf - from);
        if (line.endsWith('\r'))
            line.chop(1);
        out += line + "\r\n";
        from = lf + 1;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* raw, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte may push the rest across the reader's 64 KiB chunk boundary.
    QByteArray bytes;
    if ((raw[0] & 0xF0) == 0xF0)
        bytes = QByteArray((1 << 16) - (raw[0] & 0x0F), 'x');
    bytes += QByteArray(reinterpret_cast<const char*>(raw + 1), qsizetype(size - 1));

    const QStringList lines = readAll(bytes);
    const QByteArray written = writeBytes(lines);
    FUZZ_CHECK(written == expectedWrite(bytes));
    FUZZ_CHECK(readAll(written) == lines);
    FUZZ_CHECK(writeBytes(readAll(written)) == written);

    QStringList nonEmpty = lines;
    nonEmpty.removeAll(QString());
    RecordFileIO::ReadOptions skip;
    skip.skipEmptyLines = true;
    FUZZ_CHECK(readAll(bytes, skip) == nonEmpty);

    // A line limit refuses a longer file and reads a shorter one whole.
    RecordFileIO::ReadOptions limited;
    limited.maxLines = raw[0] & 0x0F;
    RecordFileIO::Result result;
    const QStringList some = readAll(bytes, limited, &result);
    if (lines.size() > limited.maxLines) {
        FUZZ_CHECK(!result.ok && result.tooManyLines);
    } else {
        FUZZ_CHECK(result.ok && !result.tooManyLines && some == lines);
    }
    return 0;
}
