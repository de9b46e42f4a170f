// The stand record set and the read-back rule the window warns by: a set the rule passes reads
// back as typed (up to what the file means by it: "@" is no value, lists are joined by single
// blanks), and any set settles after a few writes and reads.

#include "FuzzSupport.h"
#include "stand/ReadBackCheck.h"
#include "stand/StandSet.h"

#include <QRegularExpression>

namespace {

using Fuzz::consumeText;

QStringList items(const QString& list)
{
    static const QRegularExpression separators(QStringLiteral("[ \t\r\n]+"));
    QStringList found = list.split(separators, Qt::SkipEmptyParts);
    found.removeAll(QStringLiteral("@"));
    return found;
}

QString noPlaceholder(const QString& value)
{
    return value == QStringLiteral("@") ? QString() : value;
}

// What reading gives for a set whose values all read back.
StandSet asRead(const StandSet& typed)
{
    StandSet set = typed;
    set.treeFileName = noPlaceholder(typed.treeFileName);
    set.variantCodes.clear();
    for (const QString& code : items(variantCodesAsWritten(typed.variantCodes)))
        set.variantCodes += code + u' ';
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        set.attributes[n] = noPlaceholder(typed.attributes[n]);
    set.groupingCodes = items(typed.groupingCodes).join(QStringLiteral("\r\n"));
    set.addfiles = items(typed.addfiles).join(u' ');
    return set;
}

void checkWrittenLines(const QStringList& lines)
{
    FUZZ_CHECK(lines.size() >= 2 && lines.size() <= 4);
    FUZZ_CHECK(lines[0].startsWith(QStringLiteral("A ")) &&
               lines[1].startsWith(QStringLiteral("B ")));
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r') && standRecordType(line) != 0);
    // The whole set is one set when walked inside a list.
    const StandSet::Bounds bounds = walkStandSet(lines, 0);
    FUZZ_CHECK(bounds.first == 0 && bounds.end == lines.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    // A set as a user could type it: any characters, blanks and line breaks included.
    StandSet set;
    set.standId = consumeText(data, 30);
    set.treeFileName = consumeText(data, 12);
    set.variantCodes = consumeText(data, 12);
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        set.attributes[n] = consumeText(data, 3);
    set.groupingCodes = consumeText(data, 16);
    set.addfiles = consumeText(data, 16);

    const QStringList first = FormatStandSet(set);
    checkWrittenLines(first);
    // The window asks for a stand ID before it asks the rule.
    if (!set.standId.isEmpty() && !findUnreadableValue(set)) {
        FUZZ_CHECK(ParseStandSet(first) == asRead(set));
        for (const QString& line : first)
            FUZZ_CHECK(!findUnreadableValue(QStringView(line)));
    }
    // Any set settles after two readings: the first may keep a comma in the variant codes,
    // which the next writing turns into a blank.
    const StandSet twice = ParseStandSet(FormatStandSet(ParseStandSet(first)));
    const QStringList third = FormatStandSet(twice);
    checkWrittenLines(third);
    FUZZ_CHECK(ParseStandSet(third) == twice);
    FUZZ_CHECK(FormatStandSet(ParseStandSet(third)) == third);
    return 0;
}
