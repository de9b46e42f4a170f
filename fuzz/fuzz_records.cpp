// The three record formats and the typing checks of their boxes; the first byte picks one.
// Tree record: 49 characters, and one parse brings any line to a form formatting keeps.
// Stand set and Locations File record: what the read-back rule passes reads back as typed, and
// any input settles after a few rounds of writing and reading. Typing: a keystroke into an
// accepted text leaves an accepted (or empty) text, only characters just before the caret go,
// and a text the program sets (caret at 0) is never made worse.

#include "FuzzSupport.h"
#include "location/LocRecord.h"
#include "location/LocValueProblem.h"
#include "recordfile/RecordText.h"
#include "stand/CheckStandField.h"
#include "stand/ReadBackCheck.h"
#include "stand/StandSet.h"
#include "tree/TreeRecord.h"

#include <QRegularExpression>

namespace {

using Fuzz::consumeText;

void treeRecord(FuzzedDataProvider& data)
{
    TreeFieldTexts fields;
    const int source = data.ConsumeIntegralInRange(0, 2); // box-sized, too long, a line
    for (int i = 1; i <= TreeFieldCount && source < 2; ++i)
        fields[i] = consumeText(data, size_t(treeField(i).maxLength) + (source ? 4 : 0));
    if (source == 2)
        fields = ParseTreeRecord(consumeText(data, 60));
    const QString line = FormatTreeRecord(fields);
    FUZZ_CHECK(line.size() == TreeRecordLength);
    const TreeFieldTexts once = ParseTreeRecord(line);
    // A cut Dbh can read as a number, so too-long fields take one round more.
    const TreeFieldTexts settled = source == 1 ? ParseTreeRecord(FormatTreeRecord(once)) : once;
    const QString written = FormatTreeRecord(settled);
    FUZZ_CHECK(written.size() == TreeRecordLength && ParseTreeRecord(written) == settled);
    FUZZ_CHECK(source == 1 || written == line);
    for (int i = 1; i <= TreeFieldCount; ++i)
        FUZZ_CHECK(once[i].size() <= treeField(i).width);
}

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

void checkWrittenSet(const QStringList& lines)
{
    FUZZ_CHECK(lines.size() >= 2 && lines.size() <= 4);
    FUZZ_CHECK(lines[0].startsWith(QStringLiteral("A ")) &&
               lines[1].startsWith(QStringLiteral("B ")));
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r') && standRecordType(line) != 0);
    const StandSet::Bounds bounds = walkStandSet(lines, 0); // one set inside a list too
    FUZZ_CHECK(bounds.first == 0 && bounds.end == lines.size());
}

void standSet(FuzzedDataProvider& data)
{
    StandSet set; // any characters, blanks and line breaks included
    set.standId = consumeText(data, 30);
    set.treeFileName = consumeText(data, 12);
    set.variantCodes = consumeText(data, 12);
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        set.attributes[n] = consumeText(data, 3);
    set.groupingCodes = consumeText(data, 16);
    set.addfiles = consumeText(data, 16);

    const QStringList first = FormatStandSet(set);
    checkWrittenSet(first);
    // The window asks for a stand ID before it asks the rule.
    if (!set.standId.isEmpty() && !findUnreadableValue(set)) {
        // Read back up to what the file means: "@" is no value, lists joined by single blanks.
        StandSet expected = set;
        expected.treeFileName = noPlaceholder(set.treeFileName);
        expected.variantCodes.clear();
        for (const QString& code : items(variantCodesAsWritten(set.variantCodes)))
            expected.variantCodes += code + u' ';
        for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
            expected.attributes[n] = noPlaceholder(set.attributes[n]);
        expected.groupingCodes = items(set.groupingCodes).join(QStringLiteral("\r\n"));
        expected.addfiles = items(set.addfiles).join(u' ');
        FUZZ_CHECK(ParseStandSet(first) == expected);
        for (const QString& line : first)
            FUZZ_CHECK(!findUnreadableValue(QStringView(line)));
    }
    // Settled after two readings: the first may keep a comma in the variant codes.
    const StandSet twice = ParseStandSet(FormatStandSet(ParseStandSet(first)));
    const QStringList third = FormatStandSet(twice);
    checkWrittenSet(third);
    FUZZ_CHECK(ParseStandSet(third) == twice && FormatStandSet(ParseStandSet(third)) == third);
}

QString normalised(const QString& line)
{
    return FormatLocRecord(ParseLocRecord(line));
}

void locRecord(FuzzedDataProvider& data)
{
    if (data.ConsumeBool()) { // a record as a user could type it
        LocRecord record;
        record.kind = data.ConsumeBool() ? LocRecord::Kind::A : LocRecord::Kind::B;
        const bool a = record.kind == LocRecord::Kind::A; // the other kind's fields are not written
        record.locationName = a ? consumeText(data, 12) : QString();
        record.access = a ? consumeText(data, 12) : QStringLiteral("@");
        record.slfFileName = a ? consumeText(data, 12) : QString();
        record.groupingCode = a ? QString() : consumeText(data, 12);
        record.addfiles = a ? QString() : consumeText(data, 12);
        if (!valuesThatWouldNotReadBack(record).isEmpty())
            return;
        const QString line = FormatLocRecord(record);
        LocRecord expected = record;
        expected.locationName = RecordText::oneLine(record.locationName).replace(u'"', u'\'');
        if (expected.access.isEmpty())
            expected.access = QStringLiteral("@");
        FUZZ_CHECK(ParseLocRecord(line) == expected);
        FUZZ_CHECK(normalised(line) == line && valuesThatWouldNotReadBack(line).isEmpty());
        return;
    }
    const QString line = consumeText(data, 80);
    const LocRecord parsed = ParseLocRecord(line);
    FUZZ_CHECK(parsed.kind == locRecordKind(line));
    if (parsed.kind == LocRecord::Kind::Invalid) {
        FUZZ_CHECK(parsed == LocRecord() && FormatLocRecord(parsed).isEmpty());
        return;
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
    FUZZ_CHECK(parsed.kind != LocRecord::Kind::A || once.endsWith(QStringLiteral(" @ @")));
}

struct Box
{
    bool stand = false;
    int index = 0;
    TypingClass typing = TypingClass::None;
    int maxLength = 0;

    TypingResult check(const QString& text, int caret) const
    {
        return stand ? CheckStandField(index, text, caret) : checkTyping(typing, text, caret);
    }
    bool good(const QString& text, int caret) const { return check(text, caret).accepted; }
    bool emptiesWhenBad() const
    {
        return typing == TypingClass::ValueClass || typing == TypingClass::GrowthCode;
    }
    void checkResult(const QString& text, int caret, const TypingResult& result) const
    {
        FUZZ_CHECK(result.caret >= 0 && result.caret <= result.text.size());
        FUZZ_CHECK(result.accepted ? result.text == text && !result.beep : result.beep);
        if (result.accepted)
            return;
        if (emptiesWhenBad()) {
            FUZZ_CHECK(result.text.isEmpty() && result.caret == 0);
            return;
        }
        // Only the characters just before the caret go.
        FUZZ_CHECK(result.caret < caret);
        FUZZ_CHECK(result.text == text.left(result.caret) + text.mid(caret));
        FUZZ_CHECK(result.text.isEmpty() || result.caret == 0 || good(result.text, result.caret));
    }
};

void typing(FuzzedDataProvider& data)
{
    Box box;
    box.stand = data.ConsumeBool();
    box.index = box.stand ? data.ConsumeIntegralInRange(0, 31)
                          : data.ConsumeIntegralInRange(1, TreeFieldCount);
    box.typing = box.stand ? standField(box.index).typing : treeField(box.index).typing;
    box.maxLength = box.stand ? standFieldMaxLength(box.index) : treeField(box.index).maxLength;

    // A text the program sets: the caret stands at 0 and nothing can be taken out.
    const QString set = consumeText(data, 8);
    const TypingResult setResult = box.check(set, 0);
    box.checkResult(set, 0, setResult);
    FUZZ_CHECK(box.emptiesWhenBad() || (setResult.accepted && setResult.text == set));

    QString text;
    int caret = 0;
    if (data.ConsumeBool() && setResult.accepted) {
        text = set;
        caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
    while (data.remaining_bytes() > 0) {
        const bool paste = data.ConsumeIntegralInRange(0, 7) == 0;
        const QString typed = paste ? consumeText(data, 4) : QString(Fuzz::consumeChar(data));
        if (box.maxLength > 0 && text.size() + typed.size() > box.maxLength)
            continue; // the box takes no more
        const bool wasGood = text.isEmpty() || box.good(text, caret);
        const QString changed = text.left(caret) + typed + text.mid(caret);
        const int changedCaret = caret + int(typed.size());
        const TypingResult result = box.check(changed, changedCaret);
        box.checkResult(changed, changedCaret, result);
        if (wasGood && typed.size() == 1)
            FUZZ_CHECK(result.text.isEmpty() || box.good(result.text, result.caret));
        text = result.text;
        caret = result.caret;
        if (data.ConsumeIntegralInRange(0, 3) == 0) // the user moves the caret
            caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    FuzzedDataProvider data(bytes + 1, size - 1);
    void (*const targets[])(FuzzedDataProvider&) = {treeRecord, standSet, locRecord, typing};
    targets[bytes[0] % 4](data);
    return 0;
}
