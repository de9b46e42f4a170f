// The Locations File record: a record written by the program reads back unchanged, and any
// line settles after a few rounds of reading and writing.

#include "FuzzSupport.h"
#include "location/LocRecord.h"

namespace {

// A single-token field: no separator, no line break, and no opening quote.
QString token(FuzzedDataProvider& data, size_t maxLength)
{
    QString text = Fuzz::consumeToken(data, maxLength);
    while (text.startsWith(u'"'))
        text.remove(0, 1);
    if (text.isEmpty() || text == QStringLiteral("@"))
        text.append(u'y');
    return text;
}

LocRecord writtenRecord(FuzzedDataProvider& data)
{
    LocRecord record;
    if (data.ConsumeBool()) {
        record.kind = LocRecord::Kind::A;
        record.locationName = Fuzz::consumeText(data, 20);
        record.locationName.remove(u'\r');
        record.locationName.remove(u'\n');
        if (data.ConsumeBool())
            record.access = token(data, 4);
        record.slfFileName = token(data, 16);
    } else {
        record.kind = LocRecord::Kind::B;
        record.groupingCode = token(data, 8);
        QStringList names;
        const int count = data.ConsumeIntegralInRange(1, 4);
        for (int i = 0; i < count; ++i)
            names.append(token(data, 8));
        record.addfiles = names.join(u' ');
    }
    return record;
}

QString normalised(const QString& line)
{
    return FormatLocRecord(ParseLocRecord(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    if (data.ConsumeBool()) {
        const LocRecord record = writtenRecord(data);
        const QString line = FormatLocRecord(record);
        LocRecord expected = record;
        expected.locationName.replace(u'"', u'\'');
        FUZZ_CHECK(ParseLocRecord(line) == expected);
        FUZZ_CHECK(normalised(line) == line);
        return 0;
    }

    const QString line = Fuzz::consumeText(data, 80);
    const LocRecord parsed = ParseLocRecord(line);
    FUZZ_CHECK(parsed.kind == locRecordKind(line));
    if (parsed.kind == LocRecord::Kind::Invalid) {
        FUZZ_CHECK(parsed == LocRecord());
        FUZZ_CHECK(FormatLocRecord(parsed).isEmpty());
        return 0;
    }
    // Quoted tokens are written bare and may fall apart on the next reading; once apart they
    // stay apart. A line break turned into a blank can start one more such round.
    const QString once = normalised(line);
    const QString twice = normalised(once);
    const QString thrice = normalised(twice);
    const bool hadBreak = line.contains(u'\r') || line.contains(u'\n');
    const QString last = hadBreak ? normalised(thrice) : thrice;
    const QString before = hadBreak ? thrice : twice;
    FUZZ_CHECK(last == before);
    FUZZ_CHECK(!once.contains(u'\n') && !once.contains(u'\r'));
    FUZZ_CHECK(once.startsWith(parsed.kind == LocRecord::Kind::A ? u'A' : u'B'));
    if (parsed.kind == LocRecord::Kind::A)
        FUZZ_CHECK(once.endsWith(QStringLiteral(" @ @")));
    return 0;
}
