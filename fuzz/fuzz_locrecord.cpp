// The Locations File record and the read-back rule the window warns by: a record the rule
// passes reads back as typed (the writer's own changes aside), and any line settles after a
// few rounds of reading and writing.

#include "FuzzSupport.h"
#include "location/LocRecord.h"
#include "location/LocValueProblem.h"
#include "recordfile/RecordText.h"

namespace {

QString normalised(const QString& line)
{
    return FormatLocRecord(ParseLocRecord(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    if (data.ConsumeBool()) {
        // A record as a user could type it.
        LocRecord record;
        record.kind = data.ConsumeBool() ? LocRecord::Kind::A : LocRecord::Kind::B;
        for (const LocRecord::Field field :
             {LocRecord::Field::LocationName, LocRecord::Field::Access,
              LocRecord::Field::SlfFileName, LocRecord::Field::GroupingCode,
              LocRecord::Field::Addfiles})
            record.field(field) = Fuzz::consumeText(data, 12);
        // The fields of the other kind are not written.
        if (record.kind == LocRecord::Kind::A) {
            record.groupingCode.clear();
            record.addfiles.clear();
        } else {
            record.locationName.clear();
            record.slfFileName.clear();
            record.access = QStringLiteral("@");
        }
        if (!valuesThatWouldNotReadBack(record).isEmpty())
            return 0;
        const QString line = FormatLocRecord(record);
        LocRecord expected = record;
        expected.locationName = RecordText::oneLine(record.locationName).replace(u'"', u'\'');
        if (expected.access.isEmpty())
            expected.access = QStringLiteral("@");
        FUZZ_CHECK(ParseLocRecord(line) == expected);
        FUZZ_CHECK(normalised(line) == line && valuesThatWouldNotReadBack(line).isEmpty());
        return 0;
    }

    const QString line = Fuzz::consumeText(data, 80);
    const LocRecord parsed = ParseLocRecord(line);
    FUZZ_CHECK(parsed.kind == locRecordKind(line));
    if (parsed.kind == LocRecord::Kind::Invalid) {
        FUZZ_CHECK(parsed == LocRecord() && FormatLocRecord(parsed).isEmpty());
        return 0;
    }
    // Quoted tokens are written bare and may fall apart on the next reading; once apart they
    // stay apart. A line break turned into a blank can start one more such round.
    const QString once = normalised(line);
    const QString twice = normalised(once);
    const QString thrice = normalised(twice);
    const bool hadBreak = line.contains(u'\r') || line.contains(u'\n');
    FUZZ_CHECK((hadBreak ? normalised(thrice) : thrice) == (hadBreak ? thrice : twice));
    FUZZ_CHECK(!once.contains(u'\n') && !once.contains(u'\r'));
    FUZZ_CHECK(once.startsWith(parsed.kind == LocRecord::Kind::A ? u'A' : u'B'));
    if (parsed.kind == LocRecord::Kind::A)
        FUZZ_CHECK(once.endsWith(QStringLiteral(" @ @")));
    return 0;
}
