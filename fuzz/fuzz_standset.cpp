// The stand record set: a set written by the program reads back unchanged, and any set is
// brought by a few writes and reads to a form that stays.

#include "FuzzSupport.h"
#include "stand/StandSet.h"

namespace {

using Fuzz::consumeText;
using Fuzz::consumeToken;

// A set as a user could type it: any characters, blanks and line breaks included.
StandSet anySet(FuzzedDataProvider& data)
{
    StandSet set;
    set.standId = consumeText(data, 30);
    set.treeFileName = consumeText(data, 12);
    set.variantCodes = consumeText(data, 12);
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        set.attributes[n] = consumeText(data, 6);
    set.groupingCodes = consumeText(data, 16);
    set.addfiles = consumeText(data, 16);
    return set;
}

// A set in the form reading gives: single tokens, codes joined as the reader joins them.
StandSet readableSet(FuzzedDataProvider& data)
{
    StandSet set;
    set.standId = consumeToken(data, 26);
    if (data.ConsumeBool())
        set.treeFileName = consumeToken(data, 12);
    const int variants = data.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < variants; ++i)
        set.variantCodes += consumeToken(data, 3).replace(u',', u'x') + u' ';
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n) {
        if (data.ConsumeBool())
            set.attributes[n] = consumeToken(data, 6);
    }
    QStringList groups;
    const int groupCount = data.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < groupCount; ++i)
        groups.append(consumeToken(data, 6));
    set.groupingCodes = groups.join(QStringLiteral("\r\n"));
    QStringList addfiles;
    const int addfileCount = data.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < addfileCount; ++i)
        addfiles.append(consumeToken(data, 8));
    set.addfiles = addfiles.join(u' ');
    return set;
}

void checkWrittenLines(const QStringList& lines)
{
    FUZZ_CHECK(lines.size() >= 2 && lines.size() <= 4);
    FUZZ_CHECK(lines[0].startsWith(QStringLiteral("A ")));
    FUZZ_CHECK(lines[1].startsWith(QStringLiteral("B ")));
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
        FUZZ_CHECK(standRecordType(line) != 0);
    }
    // The whole set is one set when walked inside a list.
    const StandSet::Bounds bounds = walkStandSet(lines, 0);
    FUZZ_CHECK(bounds.first == 0 && bounds.end == lines.size());
}

void roundTrips(FuzzedDataProvider& data)
{
    const StandSet readable = readableSet(data);
    const QStringList written = FormatStandSet(readable);
    checkWrittenLines(written);
    FUZZ_CHECK(ParseStandSet(written) == readable);
    FUZZ_CHECK(FormatStandSet(ParseStandSet(written)) == written);

    // Any set settles after two readings: the first may keep a comma in the variant codes,
    // which the next writing turns into a blank.
    const QStringList first = FormatStandSet(anySet(data));
    checkWrittenLines(first);
    const StandSet twice = ParseStandSet(FormatStandSet(ParseStandSet(first)));
    const QStringList third = FormatStandSet(twice);
    checkWrittenLines(third);
    FUZZ_CHECK(ParseStandSet(third) == twice);
    FUZZ_CHECK(FormatStandSet(ParseStandSet(third)) == third);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    roundTrips(data);
    return 0;
}
