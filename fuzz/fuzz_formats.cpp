// Every reader, writer and check of the record files; the first input byte picks one. Each
// property says what a user relies on: what is written reads back as typed and settles, typing
// takes away only what was just typed, checks report lines that exist in order, a journal's
// whole records survive any cut.

#include "base/Cp1252.h"
#include "base/RecordText.h"
#include "location/LocReadBack.h"
#include "location/LocRecord.h"
#include "location/LocationsFileCheck.h"
#include "recordfile/JournalFormat.h"
#include "recordfile/RecordFileIO.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"
#include "stand/StandFields.h"
#include "stand/StandFileCheck.h"
#include "stand/StandReadBack.h"
#include "stand/StandSet.h"
#include "startup/FileCheck.h"
#include "tree/TreeFileCheck.h"
#include "tree/TreeRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QBuffer>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A property failure: says which, then stops so libFuzzer keeps the input.
#define FUZZ_CHECK(c)                                                                              \
    ((c) ? void()                                                                                  \
         : (std::fprintf(stderr, "property failed: %s (%s:%d)\n", #c, __FILE__, __LINE__),         \
            std::abort()))

namespace {

// Characters that matter to the record formats, so most generated texts hit the rules.
constexpr char Alphabet[] = "@ \t.-+*0123456789AaBbCcDd\",\r\nx";

QChar consumeChar(FuzzedDataProvider& data)
{
    const auto byte = data.ConsumeIntegral<unsigned char>();
    if (byte < 0xC0)
        return QChar(Alphabet[byte % (sizeof(Alphabet) - 1)]);
    return Cp1252::decode(QByteArray(1, char(data.ConsumeIntegral<unsigned char>()))).front();
}

// A text of single-byte characters, mostly from the alphabet above.
QString consumeText(FuzzedDataProvider& data, size_t maxLength)
{
    const size_t length = data.ConsumeIntegralInRange<size_t>(0, maxLength);
    QString text;
    for (size_t i = 0; i < length && data.remaining_bytes() > 0; ++i)
        text.append(consumeChar(data));
    return text;
}

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
    if (!set.standId.isEmpty() && findUnreadableValues(set).isEmpty()) {
        // Read back up to what the file means: "@" is no value, lists joined by single blanks.
        StandSet expected = set;
        const auto noPlaceholder = [](const QString& value) {
            return value == u'@' ? QString() : value;
        };
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
    FUZZ_CHECK(ParseStandSet(third) == twice);
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

void typing(FuzzedDataProvider& data)
{
    const bool stand = data.ConsumeBool();
    const int index =
        stand ? data.ConsumeIntegralInRange(0, 31) : data.ConsumeIntegralInRange(1, TreeFieldCount);
    const TypingClass typingClass = stand ? standField(index).typing : treeField(index).typing;
    const int maxLength = stand ? standField(index).maxLength : treeField(index).maxLength;
    const bool emptiesWhenBad =
        typingClass == TypingClass::ValueClass || typingClass == TypingClass::GrowthCode;
    const auto check = [&](const QString& text, int caret) {
        return checkTyping(typingClass, text, caret, stand ? RecordText::placeholder() : QString());
    };
    const auto good = [&](const QString& text, int caret) { return check(text, caret).accepted; };
    const auto checkResult = [&](const QString& text, int caret, const TypingResult& result) {
        FUZZ_CHECK(result.caret >= 0 && result.caret <= result.text.size());
        FUZZ_CHECK(result.accepted ? result.text == text && !result.beep : result.beep);
        if (result.accepted)
            return;
        if (emptiesWhenBad) {
            FUZZ_CHECK(result.text.isEmpty() && result.caret == 0);
            return;
        }
        // Only the characters just before the caret go.
        FUZZ_CHECK(result.caret < caret);
        FUZZ_CHECK(result.text == text.left(result.caret) + text.mid(caret));
        FUZZ_CHECK(result.text.isEmpty() || result.caret == 0 || good(result.text, result.caret));
    };

    // A text the program sets: the caret stands at 0 and nothing can be taken out.
    const QString set = consumeText(data, 8);
    const TypingResult setResult = check(set, 0);
    checkResult(set, 0, setResult);
    FUZZ_CHECK(emptiesWhenBad || (setResult.accepted && setResult.text == set));

    QString text;
    int caret = 0;
    if (data.ConsumeBool() && setResult.accepted) {
        text = set;
        caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
    while (data.remaining_bytes() > 0) {
        const bool paste = data.ConsumeIntegralInRange(0, 7) == 0;
        const QString typed = paste ? consumeText(data, 4) : QString(consumeChar(data));
        if (maxLength > 0 && text.size() + typed.size() > maxLength)
            continue; // the box takes no more
        const bool wasGood = text.isEmpty() || good(text, caret);
        const QString changed = text.left(caret) + typed + text.mid(caret);
        const int changedCaret = caret + int(typed.size());
        const TypingResult result = check(changed, changedCaret);
        checkResult(changed, changedCaret, result);
        if (wasGood && typed.size() == 1)
            FUZZ_CHECK(result.text.isEmpty() || good(result.text, result.caret));
        text = result.text;
        caret = result.caret;
        if (data.ConsumeIntegralInRange(0, 3) == 0) // the user moves the caret
            caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
}

QByteArray writeBytes(const QStringList& lines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::WriteOnly) && RecordFileIO::writeLines(buffer, lines).ok);
    return bytes;
}

// The lines read; a failure only where the caller takes the result.
QStringList readAll(QByteArray bytes, RecordFileIO::ReadOptions options = {},
                    RecordFileIO::Result* result = nullptr)
{
    QBuffer buffer(&bytes);
    QStringList lines;
    RecordFileIO::Result read;
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly) &&
               ((read = RecordFileIO::readLines(buffer, &lines, options)).ok || result));
    if (result)
        *result = read;
    return lines;
}

// Each line ended by CR LF, where a line ends at LF and one CR just before it is the line end.
QByteArray expectedWrite(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    const QByteArray last = lines.takeLast(); // after the last LF: a line only if not empty
    QByteArray out;
    for (const QByteArray& line : lines)
        out += (line.endsWith('\r') ? line.chopped(1) : line) + "\r\n";
    return last.isEmpty() ? out : out + last + "\r\n";
}

void reader(FuzzedDataProvider& data)
{
    // One byte may push the rest across the reader's 64 KiB chunk boundary.
    const auto control = data.ConsumeIntegral<uint8_t>();
    QByteArray bytes;
    if ((control & 0xF0) == 0xF0)
        bytes = QByteArray((1 << 16) - (control & 0x0F), 'x');
    bytes += QByteArray::fromStdString(data.ConsumeRemainingBytesAsString());

    RecordFileIO::Result read;
    const QStringList lines = readAll(bytes, {}, &read);
    FUZZ_CHECK(read.lastLineEnded == (bytes.isEmpty() || bytes.endsWith('\n')));
    const QByteArray written = writeBytes(lines);
    FUZZ_CHECK(written == expectedWrite(bytes));
    FUZZ_CHECK(readAll(written) == lines);

    QStringList nonEmpty = lines;
    nonEmpty.removeAll(QString());
    RecordFileIO::ReadOptions skip;
    skip.skipEmptyLines = true;
    FUZZ_CHECK(readAll(bytes, skip) == nonEmpty);

    // A line limit refuses a longer file and reads a shorter one whole.
    RecordFileIO::ReadOptions limited;
    limited.maxLines = control & 0x0F;
    RecordFileIO::Result result;
    const QStringList some = readAll(bytes, limited, &result);
    if (lines.size() > limited.maxLines)
        FUZZ_CHECK(!result.ok && result.tooManyLines);
    else
        FUZZ_CHECK(result.ok && !result.tooManyLines && some == lines);
}

void checks(FuzzedDataProvider& data)
{
    const int variant = data.ConsumeIntegralInRange(0, 23);
    const bool lastLineEnded = data.ConsumeBool();
    QStringList lines;
    while (data.remaining_bytes() > 0 && lines.size() < 12)
        lines.append(consumeText(data, 60));

    using Kind = FileCheck::FileKind;
    for (const Kind kind : {Kind::Tree, Kind::Stand, Kind::Locations}) {
        int previous = 1;
        for (const CheckFinding& f :
             FileCheck::check(kind, lines, "/nonexistent/x", variant, lastLineEnded)) {
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
    // Up to the end of the data: nothing after it is read.
    const QList<CheckFinding> all = FileCheck::check(Kind::Tree, lines, {}, variant);
    // Checked in two halves at once, a file gives the same findings.
    FUZZ_CHECK(TreeFileCheck::check(lines, variant, true, 2) == all);
    FUZZ_CHECK(StandFileCheck::check(lines, {}, 2) == StandFileCheck::check(lines, {}));
    FUZZ_CHECK(LocationsFileCheck::check(lines, {}, 2) == LocationsFileCheck::check(lines, {}));
    const auto end = std::find_if(all.begin(), all.end(), [](const CheckFinding& f) {
        return f.kind == CheckFinding::Kind::EndOfData;
    });
    const int last = end == all.end() ? int(lines.size()) : end->line;
    const auto kinds = [](const QList<CheckFinding>& findings) {
        QList<CheckFinding::Kind> result;
        for (const CheckFinding& f : findings)
            result.append(f.kind);
        return result;
    };
    for (int i = 0; i < last; ++i) {
        const QList<CheckFinding> alone = FileCheck::check(Kind::Tree, {lines[i]}, {}, variant);
        FUZZ_CHECK(own(all, i + 1) == own(alone, 1));
        // A lone CR that ends the file changes nothing, but takes the line past the quick look.
        FUZZ_CHECK(kinds(alone) ==
                   kinds(FileCheck::check(Kind::Tree, {lines[i] + u'\r'}, {}, variant, false)));
    }
}

void speciesText(FuzzedDataProvider& data)
{
    // Characters from a short set, so that most entries come near the form and some just miss it.
    const auto pick = [&data](const char* from, int min, int max) {
        QString picked;
        for (int n = data.ConsumeIntegralInRange(min, max); n > 0; --n)
            picked += QChar(from[data.ConsumeIntegralInRange<size_t>(0, std::strlen(from) - 1)]);
        return picked;
    };
    QString text;
    while (data.remaining_bytes() > 0) {
        const int kind = data.ConsumeIntegralInRange(0, 3); // positions 0 and 23 give "[]"
        text += kind == 0
                    ? u'[' + VariantList::entry(data.ConsumeIntegralInRange(0, 23)).code + u']'
                : kind == 1 ? pick("ABb", 0, 3) + QStringLiteral(" = ") + pick("Ab -./,1", 2, 29)
                            : consumeText(data, 40);
        text += data.ConsumeBool() ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    const SpeciesLists::Parsed parsed = SpeciesLists::parse(text);
    QString written;
    for (int position = 1; position <= VariantList::count(); ++position)
        written += u'[' + VariantList::entry(position).code + QStringLiteral("]\n") +
                   parsed.lists.value(position - 1).join(u'\n') + u'\n';
    const SpeciesLists::Parsed reread = SpeciesLists::parse(written);
    FUZZ_CHECK(reread.problems.isEmpty() && reread.lists == parsed.lists);
}

void journal(FuzzedDataProvider& data)
{
    QByteArray bytes;
    QList<QStringList> inserted; // of every record written, in order
    const bool written = data.ConsumeBool();
    if (written) {
        JournalFormat::Base base;
        base.loaded = data.ConsumeBool();
        base.lines = data.ConsumeIntegralInRange(0, 4);
        bytes = JournalFormat::magic() + JournalFormat::baseRecord(base);
        while (data.remaining_bytes() > 0 && inserted.size() < 8) {
            UndoHistory::Step step;
            step.index = data.ConsumeIntegralInRange(-1, 6);
            for (int k = data.ConsumeIntegralInRange(0, 2); k > 0; --k)
                step.removed.append(consumeText(data, 8));
            for (int k = data.ConsumeIntegralInRange(0, 3); k > 0; --k)
                step.inserted.append(consumeText(data, 8));
            step.after.recordCount = data.ConsumeIntegral<qint16>();
            const int kind = data.ConsumeIntegralInRange(0, 2);
            bytes += kind == 0 ? JournalFormat::stepRecord(step, 1)
                               : JournalFormat::markRecord(kind == 1 ? JournalFormat::OpKind::Undo
                                                                     : JournalFormat::OpKind::Redo,
                                                           2);
            inserted.append(kind == 0 ? step.inserted : QStringList());
        }
    } else {
        bytes = QByteArray::fromStdString(data.ConsumeRemainingBytesAsString());
    }
    const JournalFormat::Content content = JournalFormat::parse(bytes);
    JournalFormat::recordsAdded(content);
    if (written) {
        FUZZ_CHECK(content.problem.isEmpty() && !content.cutShort);
        FUZZ_CHECK(content.ops.size() == inserted.size());
        for (qsizetype k = 0; k < inserted.size(); ++k)
            FUZZ_CHECK(content.ops[k].step.inserted == inserted[k]);
    }
    for (qsizetype cut = bytes.size() - 1; cut >= 0 && cut >= bytes.size() - 40; --cut) {
        const JournalFormat::Content shorter = JournalFormat::parse(bytes.left(cut));
        JournalFormat::recordsAdded(shorter);
        FUZZ_CHECK(shorter.ops.size() <= content.ops.size());
        for (qsizetype k = 0; k < shorter.ops.size(); ++k)
            FUZZ_CHECK(shorter.ops[k].step.inserted == content.ops[k].step.inserted);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    void (*const targets[])(FuzzedDataProvider&) = {treeRecord, standSet, locRecord,   typing,
                                                    reader,     checks,   speciesText, journal};
    targets[data.ConsumeIntegralInRange<size_t>(0, std::size(targets) - 1)](data);
    return 0;
}
