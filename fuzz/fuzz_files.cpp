// Whole files; the first byte picks the reader or the file checks.
// Reader: reading what was written gives the same lines, and writing what was read keeps every
// byte but the line ends, which become CR LF. Checks: findings in line order, on lines that
// exist, each saying what happens; a tree line's own findings do not depend on its neighbours.

#include "FuzzSupport.h"
#include "app/FileCheck.h"
#include "recordfile/RecordFileIO.h"

#include <QBuffer>

namespace {

QByteArray writeBytes(const QStringList& lines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::WriteOnly));
    FUZZ_CHECK(RecordFileIO::writeLines(buffer, lines).ok);
    return bytes;
}

QStringList readAll(QByteArray bytes, RecordFileIO::ReadOptions options = {},
                    RecordFileIO::Result* result = nullptr)
{
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    QStringList lines;
    const RecordFileIO::Result read = RecordFileIO::readLines(buffer, &lines, options);
    FUZZ_CHECK(result || read.ok);
    if (result)
        *result = read;
    return lines;
}

// Each line ended by CR LF, where a line ends at LF and one CR just before it is the line end.
QByteArray expectedWrite(const QByteArray& bytes)
{
    QByteArray out;
    for (qsizetype from = 0; from < bytes.size();) {
        qsizetype lf = bytes.indexOf('\n', from);
        if (lf < 0)
            lf = bytes.size();
        QByteArray line = bytes.mid(from, lf - from);
        if (line.endsWith('\r') && lf < bytes.size())
            line.chop(1);
        out += line + "\r\n";
        from = lf + 1;
    }
    return out;
}

void reader(const uint8_t* raw, size_t size)
{
    // The first byte may push the rest across the reader's 64 KiB chunk boundary.
    QByteArray bytes;
    if ((raw[0] & 0xF0) == 0xF0)
        bytes = QByteArray((1 << 16) - (raw[0] & 0x0F), 'x');
    bytes += QByteArray(reinterpret_cast<const char*>(raw + 1), qsizetype(size - 1));

    const QStringList lines = readAll(bytes);
    const QByteArray written = writeBytes(lines);
    FUZZ_CHECK(written == expectedWrite(bytes));
    FUZZ_CHECK(readAll(written) == lines && writeBytes(readAll(written)) == written);

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
    if (lines.size() > limited.maxLines)
        FUZZ_CHECK(!result.ok && result.tooManyLines);
    else
        FUZZ_CHECK(result.ok && !result.tooManyLines && some == lines);
}

void checks(const uint8_t* raw, size_t size)
{
    FuzzedDataProvider data(raw, size);
    const int variant = data.ConsumeIntegralInRange(0, 23);
    QStringList lines;
    while (data.remaining_bytes() > 0 && lines.size() < 12)
        lines.append(Fuzz::consumeText(data, 60));

    using Kind = FileCheck::FileKind;
    for (const Kind kind : {Kind::Tree, Kind::Stand, Kind::Locations}) {
        int previous = 1;
        for (const CheckFinding& f : FileCheck::check(kind, lines, "/nonexistent/x", variant)) {
            FUZZ_CHECK(f.line >= previous && f.line <= lines.size());
            FUZZ_CHECK(!f.what.isEmpty() && !f.describe().isEmpty());
            previous = f.line;
        }
    }
    fileKindOf(QStringLiteral("x"), lines);

    // A line's findings but those that compare it with other lines, as on a line 1.
    const auto own = [](const QList<CheckFinding>& findings, int line) {
        QList<CheckFinding> result;
        for (CheckFinding f : findings) {
            if (f.line == line && f.kind != CheckFinding::Kind::DuplicateTree &&
                f.kind != CheckFinding::Kind::MergedTreeId) {
                f.line = 1;
                result.append(f);
            }
        }
        return result;
    };
    const QList<CheckFinding> all = FileCheck::check(Kind::Tree, lines, {}, variant);
    for (int i = 0; i < lines.size(); ++i)
        FUZZ_CHECK(own(all, i + 1) == FileCheck::check(Kind::Tree, {lines[i]}, {}, variant));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* raw, size_t size)
{
    if (size < 2)
        return 0;
    (raw[0] & 1 ? checks : reader)(raw + 1, size - 1);
    return 0;
}
