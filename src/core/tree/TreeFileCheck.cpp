#include "TreeFileCheck.h"

#include "TreeRecord.h"
#include "base/Cp1252.h"
#include "base/RunBeside.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

using Kind = CheckFinding::Kind;

// The simulator reads this much of a line; the rest is not looked at, not even for -999.
constexpr qsizetype BufferLength = 250;
const QString EndOfDataMark = QStringLiteral("-999");
constexpr double ScreenedDbh = 999;
constexpr double BreastHeight = 4.5;
constexpr int SiteTreeDamage = 28;

enum class Type : char
{
    Whole,
    Number,
    Tenths, // a number whose last digit is tenths when it has no point
};

struct Read
{
    QString name;
    int column; // 1-based
    int width;
    Type type;
};

// What the simulator reads, in its order: the plot number, then the tree ID as one whole
// number over the plot's columns and the tree number's, then the other fields but the species,
// then the plot data that other tools keep past column 49.
enum Slot
{
    Plot,
    TreeId,
    Count,
    Status,
    Dbh,
    DbhIncrement,
    Height,
    Topkill,
    HeightIncrement,
    Crown,
    Damage1, // damage and severity codes alternate up to Severity3
    Severity3 = Damage1 + 5,
    ValueClass,
    Prescription,
    SlotCount = Prescription + 7
};

const std::array<Read, SlotCount> Reads = [] {
    std::array<Read, SlotCount> reads{};
    int n = 0;
    for (int field = 1; field <= TreeFieldCount; ++field) {
        if (field == TreeFields::Species || field == TreeFields::TreeNumber)
            continue;
        const TreeFieldInfo& info = treeField(field);
        const bool tenths = n == Dbh || n == DbhIncrement || n == HeightIncrement;
        const Type type = info.typing != TypingClass::Decimal ? Type::Whole
                          : tenths                            ? Type::Tenths
                                                              : Type::Number;
        reads[n++] = {QString::fromLatin1(info.name), info.column, info.width, type};
        if (field == TreeFields::PlotNumber)
            reads[n++] = {QString::fromLatin1(treeField(TreeFields::TreeNumber).name), 1, 7,
                          Type::Whole};
    }
    for (const auto& [name, width, type] : {std::tuple{"Slope", 2, Type::Whole},
                                            {"Aspect", 3, Type::Whole},
                                            {"Habitat", 3, Type::Whole},
                                            {"Topographic position", 1, Type::Whole},
                                            {"Site preparation", 1, Type::Whole},
                                            {"Tree age", 3, Type::Number}}) {
        reads[n] = {QString::fromLatin1(name), reads[n - 1].column + reads[n - 1].width, width,
                    type};
        ++n;
    }
    return reads;
}();

constexpr int ReadColumns = 62;

// The name of the field that holds each column the simulator reads.
const std::array<QString, ReadColumns> ColumnFields = [] {
    std::array<QString, ReadColumns> names;
    for (int field = 1; field <= TreeFieldCount; ++field) {
        const TreeFieldInfo& info = treeField(field);
        for (int c = info.column - 1; c < info.column - 1 + info.width; ++c)
            names[c] = QString::fromLatin1(info.name);
    }
    for (int slot = Prescription + 1; slot < SlotCount; ++slot) {
        for (int c = Reads[slot].column - 1; c < Reads[slot].column - 1 + Reads[slot].width; ++c)
            names[c] = Reads[slot].name;
    }
    return names;
}();

struct Number
{
    bool ok = true;
    double value = 0;
    qsizetype stop = -1; // where the text stops being a number
    bool point = false;
    bool digits = false;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Blanks are ignored; an all-blank field is 0; a sign needs a digit after it.
Number readWhole(QStringView text)
{
    Number n;
    qint64 value = 0;
    bool sign = false, negative = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ')
            continue;
        if (!sign && !n.digits && (c == u'+' || c == u'-')) {
            sign = true;
            negative = c == u'-';
            n.stop = i;
        } else if (isDigit(c)) {
            n.digits = true;
            value = value * 10 + (c.unicode() - u'0');
        } else {
            return {false, 0, i};
        }
    }
    if (sign && !n.digits)
        return {false, 0, n.stop};
    n.value = double(negative ? -value : value);
    return n;
}

// A number with an optional point and exponent; a lone sign or point is 0. Without a point the
// implied tenth applies.
Number readNumber(QStringView text, bool tenths)
{
    Number n;
    double mantissa = 0;
    int fractionDigits = 0, exponent = 0, exponentDigits = 0;
    bool sign = false, negative = false, inExponent = false, exponentNegative = false,
         exponentSign = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ')
            continue;
        if (inExponent) {
            if (!exponentSign && exponentDigits == 0 && (c == u'+' || c == u'-')) {
                exponentSign = true;
                exponentNegative = c == u'-';
            } else if (isDigit(c) && exponentDigits < 4) {
                exponent = exponent * 10 + (c.unicode() - u'0');
                ++exponentDigits;
            } else {
                return {false, 0, i};
            }
        } else if (!sign && !n.digits && !n.point && (c == u'+' || c == u'-')) {
            sign = true;
            negative = c == u'-';
        } else if (isDigit(c)) {
            mantissa = mantissa * 10 + (c.unicode() - u'0');
            n.digits = true;
            fractionDigits += n.point;
        } else if (c == u'.' && !n.point) {
            n.point = true;
        } else if ((n.digits || n.point) && QStringLiteral("EeDdQq+-").contains(c)) {
            inExponent = true;
            if (c == u'+' || c == u'-') {
                exponentSign = true;
                exponentNegative = c == u'-';
            }
        } else {
            return {false, 0, i};
        }
    }
    if (inExponent && exponentDigits == 0)
        return {false, 0, text.size()};
    // At most 7 digits behind the point fit a field.
    static constexpr double Powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    double value = mantissa / Powers[qMin(fractionDigits + (!n.point && tenths ? 1 : 0), 8)];
    if (exponent != 0)
        value *= std::pow(10.0, exponentNegative ? -exponent : exponent);
    n.value = negative ? -value : value;
    return n;
}

Number read(QStringView record, const Read& r)
{
    const QStringView text = record.mid(r.column - 1, r.width);
    return r.type == Type::Whole ? readWhole(text) : readNumber(text, r.type == Type::Tenths);
}

QString columns(int first, int width)
{
    return width == 1 ? QStringLiteral("column %1").arg(first)
                      : QStringLiteral("columns %1-%2").arg(first).arg(first + width - 1);
}

QString trimmed(QStringView text)
{
    return visibleText(text.trimmed());
}

bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

// The UTF-8 letter whose bytes cover `at`, as it shows in an editor that reads UTF-8; empty when
// there is none.
QString utf8LetterAt(QStringView record, qsizetype at)
{
    const QByteArray bytes = Cp1252::encode(record.mid(qMax<qsizetype>(0, at - 3), 7));
    const qsizetype offset = qMin<qsizetype>(at, 3);
    for (qsizetype start = 0; start <= offset; ++start) {
        const auto lead = static_cast<unsigned char>(bytes[start]);
        const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        if (length == 0 || start + length <= offset || start + length > bytes.size())
            continue;
        const QString letter = QString::fromUtf8(bytes.mid(start, length));
        if (letter.size() <= 2 && !letter.contains(QChar::ReplacementCharacter))
            return letter;
    }
    return QString();
}

QString stopName(QStringView record, qsizetype at)
{
    const QChar c = record[at];
    if (c == u'.')
        return QStringLiteral("the point");
    if (c == u'-')
        return QStringLiteral("the minus sign");
    if (c == u'+')
        return QStringLiteral("the plus sign");
    QString name = QStringLiteral("the character \"%1\"").arg(visibleText(QStringView(&c, 1)));
    const QString letter = c.unicode() >= 0x80 ? utf8LetterAt(record, at) : QString();
    if (!letter.isEmpty())
        name += QStringLiteral(" (a byte of the letter \"%1\" written in UTF-8, whose bytes the "
                               "simulator counts as columns)")
                    .arg(letter);
    return name;
}

// Where a record stands in its line when lone CRs cut the line into several.
struct Place
{
    int crBefore = 0; // column of the lone CR before the record, 0 for none
    int crAfter = 0;  // column of the lone CR that ends it, 0 for none

    QStringView recordOf(QStringView line) const
    {
        return line.sliced(crBefore, (crAfter ? crAfter - 1 : line.size()) - crBefore);
    }

    QString text() const
    {
        if (crBefore == 0 && crAfter == 0)
            return QString();
        if (crBefore == 0)
            return QStringLiteral(" (in the record up to the lone CR in column %1, where the "
                                  "simulator ends a line)")
                .arg(crAfter);
        if (crAfter == 0)
            return QStringLiteral(" (in the record after the lone CR in column %1, which the "
                                  "simulator takes for a line end)")
                .arg(crBefore);
        return QStringLiteral(" (in the record between the lone CRs in columns %1 and %2, "
                              "which the simulator takes for line ends)")
            .arg(crBefore)
            .arg(crAfter);
    }
};

// Species codes packed into a number: up to three ASCII characters, upper case, and the length.
// 0 for a code no variant can have.
quint32 codeKey(QStringView code)
{
    if (code.size() > 3)
        return 0;
    quint32 key = quint32(code.size()) << 24;
    for (qsizetype i = 0; i < code.size(); ++i) {
        char16_t u = code[i].unicode();
        if (u < 0x20 || u >= 0x7F)
            return 0;
        if (u >= u'a' && u <= u'z')
            u -= u'a' - u'A';
        key |= quint32(u) << (8 * i);
    }
    return key;
}

// A variant's codes have one or two characters: their keys below 2^15 mark them.
using SpeciesCodes = std::bitset<0x8000>;

SpeciesCodes speciesCodes(int variantPosition)
{
    SpeciesCodes codes;
    for (const QString& entry : SpeciesLists::forPosition(variantPosition))
        codes.set(codeKey(SpeciesLists::speciesCodeOf(entry).trimmed()) & 0x7FFF);
    return codes;
}

bool isCodeOf(const SpeciesCodes& codes, quint32 key)
{
    return key >> 24 <= 2 && codes.test(key & 0x7FFF);
}

const QString Replaced = QStringLiteral("the simulator replaces it by another species and only "
                                        "notes this in its output");

constexpr qsizetype SpeciesColumn = 14; // 0-based

// The species columns without their trailing blanks, as a finding shows them.
QStringView speciesText(QStringView record)
{
    QStringView shown = record.mid(SpeciesColumn, 3);
    while (!shown.isEmpty() && shown.back() == u' ')
        shown.chop(1);
    return shown;
}

enum class SpeciesRead
{
    Known,
    ShortNumber,
    Unknown,
    NoSuchCode,
};

// The simulator upper-cases the species and moves it to the left before it looks it up.
SpeciesRead readSpecies(QStringView record, int variantPosition, const SpeciesCodes& codes)
{
    QStringView code = speciesText(record);
    while (!code.isEmpty() && code.front() == u' ')
        code = code.sliced(1);
    if (!code.isEmpty() && std::all_of(code.begin(), code.end(), isDigit))
        return code.size() == 3 ? SpeciesRead::Known : SpeciesRead::ShortNumber;
    const quint32 key = codeKey(code);
    if (key == 0)
        return SpeciesRead::NoSuchCode;
    return variantPosition == 0 || isCodeOf(codes, key) ? SpeciesRead::Known : SpeciesRead::Unknown;
}

std::optional<CheckFinding> speciesFinding(QStringView record, int variantPosition,
                                           const SpeciesCodes& codes)
{
    const SpeciesRead read = readSpecies(record, variantPosition, codes);
    if (read == SpeciesRead::Known)
        return std::nullopt;
    const QStringView shown = speciesText(record);
    const QString field = QString::fromLatin1(treeField(TreeFields::Species).name);
    if (read == SpeciesRead::ShortNumber) {
        return CheckFinding{0, Kind::SpeciesLeadingZeros, field, visibleText(shown),
                            QStringLiteral("a numeric species code takes all 3 digits (\"%1\"); ")
                                    .arg(shown.trimmed().toString().rightJustified(3, u'0')) +
                                Replaced};
    }
    QString what = QStringLiteral("no variant has a species code like this; ");
    if (read == SpeciesRead::Unknown) {
        const VariantList::Entry variant = VariantList::entry(variantPosition);
        what = QStringLiteral("not a species code of variant %1 (%2); ")
                   .arg(variant.code, variant.description);
    }
    return CheckFinding{0, Kind::UnknownSpecies, field, visibleText(shown), what + Replaced};
}

struct Tree
{
    qint64 id;
    int line;     // index
    int crBefore; // as in Place: the record's lone CR ends where the next one is
};

Place placeOf(const Tree& tree, QStringView line)
{
    const qsizetype cr = line.indexOf(u'\r', tree.crBefore);
    return {tree.crBefore, cr < 0 ? 0 : int(cr) + 1};
}

void addDuplicates(std::vector<Tree>& ids, std::span<const QString> lines, QList<CheckFinding>& out)
{
    // Most files list their trees in order: then no ID comes twice, and there is nothing to sort.
    if (std::adjacent_find(ids.begin(), ids.end(),
                           [](const Tree& a, const Tree& b) { return a.id >= b.id; }) == ids.end())
        return;
    std::sort(ids.begin(), ids.end(), [](const Tree& a, const Tree& b) {
        return a.id != b.id       ? a.id < b.id
               : a.line != b.line ? a.line < b.line
                                  : a.crBefore < b.crBefore;
    });
    const auto recordOf = [&](const Tree& t) {
        return placeOf(t, lines[t.line]).recordOf(lines[t.line]);
    };
    const auto pair = [&](const Tree& t) {
        const auto number = [](QStringView text) {
            return isBlank(text) ? QStringLiteral("blank") : trimmed(text);
        };
        return QStringLiteral("plot %1, tree %2")
            .arg(number(recordOf(t).mid(0, 4)), number(recordOf(t).mid(4, 3)));
    };
    const QString field = QStringLiteral("Plot and tree number");
    size_t first = 0;
    for (size_t i = 1; i < ids.size(); ++i) {
        if (ids[i].id != ids[first].id) {
            first = i;
            continue;
        }
        const Tree& t = ids[i];
        const Tree& f = ids[first];
        const auto number = [&](const Tree& of, qsizetype from, qsizetype width) {
            return qint64(readWhole(recordOf(of).mid(from, width)).value);
        };
        const qint64 plot = number(t, 0, 4), tree = number(t, 4, 3);
        if (plot == number(f, 0, 4) && tree == number(f, 4, 3)) {
            // Numbers that long may be longer ones cut to their columns.
            QString cut;
            if (tree >= 100)
                cut += QStringLiteral("; a tree number of 1000 or more is written with its "
                                      "first 3 digits");
            if (plot >= 1000)
                cut += QStringLiteral("; a plot number of 10000 or more is written with its "
                                      "first 4 digits");
            out.append({t.line + 1, Kind::DuplicateTree, field, pair(t),
                        QStringLiteral("the same plot and tree number as line %1, so the "
                                       "simulator gets two trees with one ID")
                                .arg(f.line + 1) +
                            cut + placeOf(t, lines[t.line]).text()});
        } else {
            out.append({t.line + 1, Kind::MergedTreeId, field, pair(t),
                        QStringLiteral("reads as the tree ID %1, like %2 on line %3; the "
                                       "simulator reads plot and tree number as one number in "
                                       "columns 1-7, so both trees get one ID")
                                .arg(t.id)
                                .arg(pair(f))
                                .arg(f.line + 1) +
                            placeOf(t, lines[t.line]).text()});
        }
    }
}

class Checker
{
public:
    explicit Checker(int variantPosition)
        : m_variant(variantPosition), m_codes(speciesCodes(m_variant))
    {
    }

    // Findings of one record; false when the data end there.
    bool record(QStringView record, int lineIndex, Place place);
    // A quick look that most lines pass: digits, blanks, a point where a number is read and a
    // species code, with no value the simulator reads otherwise than it shows. Such a line
    // has no finding of its own and only gives its tree ID; false sends it to record().
    bool quickLook(QStringView line, int lineIndex);

    QList<CheckFinding> out;
    std::vector<Tree> ids;

private:
    bool readFields(QStringView record, std::array<Number, SlotCount>& values);
    // Whether the record is dropped or kept out of the tree list.
    bool dropped(QStringView record, const std::array<Number, SlotCount>& values);

    void add(Kind kind, const QString& field, const QString& text, const QString& what)
    {
        out.append({m_line, kind, field, text, what + m_place.text()});
    }
    void add(Slot slot, Kind kind, QStringView record, const QString& what)
    {
        const Read& r = Reads[slot];
        add(kind, r.name, trimmed(record.mid(r.column - 1, r.width)), what);
    }

    int m_variant;
    SpeciesCodes m_codes;
    int m_line = 0;
    Place m_place;
};

bool Checker::record(QStringView record, int lineIndex, Place place)
{
    m_line = lineIndex + 1;
    m_place = place;
    record = record.left(BufferLength);
    if (record.startsWith(u'*')) {
        add(Kind::CommentLine, QString(), QString(),
            QStringLiteral("the line begins with \"*\"; the simulator skips it as a comment"));
        return true;
    }
    if (const qsizetype at = record.indexOf(EndOfDataMark); at >= 0) {
        QStringList fields;
        for (qsizetype c = at; c < qMin<qsizetype>(at + 4, ReadColumns); ++c) {
            if (!fields.contains(ColumnFields[c]))
                fields.append(ColumnFields[c]);
        }
        add(Kind::EndOfData, QString(), QString(),
            QStringLiteral("\"-999\" in %1 (%2); the simulator takes it for the end of the "
                           "data, so this line and every line after it are not read")
                .arg(columns(int(at) + 1, 4), fields.isEmpty()
                                                  ? QStringLiteral("past the plot data")
                                                  : fields.join(QStringLiteral(" and "))));
        return false;
    }
    std::array<Number, SlotCount> values;
    if (!readFields(record, values))
        return true;
    if (isBlank(record.left(TreeRecordLength))) {
        const QString unit =
            place.crBefore || place.crAfter ? QStringLiteral("record") : QStringLiteral("line");
        add(Kind::EmptyLine, QString(), QString(),
            (record.size() > TreeRecordLength ? QStringLiteral("columns 1-49 are blank")
             : record.isEmpty()               ? QStringLiteral("an empty ") + unit
                                              : QStringLiteral("a %1 of blanks").arg(unit)) +
                QStringLiteral("; the simulator reads it as a tree on plot 0, one plot more, so "
                               "trees per acre and basal area come out too low"));
        return true;
    }
    if (dropped(record, values))
        return true;
    if (values[Count].value <= 0 && !isBlank(record.mid(Reads[Count].column - 1, 6))) {
        add(Count, Kind::CountReadAsOne, record,
            QStringLiteral("the simulator reads a tree count of 0 or less as 1 stem"));
    }
    if (const auto species = speciesFinding(record, m_variant, m_codes)) {
        CheckFinding finding = *species;
        add(finding.kind, finding.field, finding.text, finding.what);
    }
    for (int pair = Damage1; pair < Severity3; pair += 2) {
        const double severity = values[pair + 1].value;
        if (values[pair].value == SiteTreeDamage && (severity == 3 || severity == 4)) {
            add(Slot(pair), Kind::SiteTree, record,
                QStringLiteral("damage code 28 with severity %1 marks a site tree off the plot; "
                               "the simulator keeps it out of the tree list")
                    .arg(severity));
            return true;
        }
    }
    ids.push_back({qint64(values[TreeId].value), lineIndex, place.crBefore});
    return true;
}

// Columns as bits, bit 0 for column 1.
constexpr quint64 columnBits(int column, int width)
{
    return ((quint64(1) << width) - 1) << (column - 1);
}

// The columns where a point may stand: those where a number, not a whole number, is read.
const quint64 PointColumns = [] {
    quint64 bits = 0;
    for (const Read& r : Reads) {
        if (r.type != Type::Whole)
            bits |= columnBits(r.column, r.width);
    }
    return bits;
}();

// The slot of the field at each column, for the points.
const std::array<quint8, ReadColumns> SlotAt = [] {
    std::array<quint8, ReadColumns> slots{};
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != TreeId) {
            for (int c = 0; c < Reads[slot].width; ++c)
                slots[Reads[slot].column - 1 + c] = quint8(slot);
        }
    }
    return slots;
}();

// Eight columns at a time, with the vector extensions of GCC and Clang.
using Lanes = quint16 __attribute__((vector_size(16)));
using LaneBytes = quint8 __attribute__((vector_size(8)));

constexpr Lanes splat(quint16 value)
{
    return Lanes{value, value, value, value, value, value, value, value};
}

// One bit for each lane of 0 or 0xFFFF.
quint64 laneBits(Lanes lanes)
{
    const LaneBytes bytes = __builtin_convertvector(lanes, LaneBytes);
    quint64 word;
    std::memcpy(&word, &bytes, sizeof word);
    return ((word & 0x8080808080808080) * 0x0002040810204081) >> 56;
}

struct ColumnMasks
{
    quint64 filled = 0;  // columns that hold no blank
    quint64 others = 0;  // columns that hold neither a blank nor a digit
    quint64 nonZero = 0; // columns that hold a digit 1 to 9
};

void addLanes(ColumnMasks& masks, const char16_t* columns, qsizetype from)
{
    Lanes lanes;
    std::memcpy(&lanes, columns + from, sizeof lanes);
    const Lanes blank = (Lanes)(lanes == splat(u' '));
    const Lanes digit = (Lanes)((Lanes)(lanes - splat(u'0')) < splat(10));
    masks.filled |= laneBits(~blank) << from;
    masks.others |= laneBits(~(blank | digit)) << from;
    masks.nonZero |= laneBits((Lanes)((Lanes)(lanes - splat(u'1')) < splat(9))) << from;
}

// The first 64 columns, as if blanks followed the end of the line.
ColumnMasks columnMasks(QStringView line)
{
    const qsizetype size = qMin<qsizetype>(line.size(), 64);
    ColumnMasks masks;
    qsizetype from = 0;
    for (; from + 8 <= size; from += 8)
        addLanes(masks, line.utf16(), from);
    if (from < size && size >= 8) {
        // The last eight columns again, over some already seen.
        addLanes(masks, line.utf16(), size - 8);
    } else {
        for (qsizetype c = from; c < size; ++c) {
            masks.filled |= quint64(line[c] != u' ') << c;
            masks.others |= quint64(line[c] != u' ' && !isDigit(line[c])) << c;
            masks.nonZero |= quint64(isDigit(line[c]) && line[c] != u'0') << c;
        }
    }
    return masks;
}

struct Digits
{
    qint64 value = 0;
    int fraction = -1; // digits after the point; -1 without a point
};

// The digits of a field whose columns hold only blanks, digits and at most one point.
Digits digitsOf(QStringView line, int column, int width)
{
    Digits d;
    for (qsizetype c = column - 1; c < qMin<qsizetype>(column - 1 + width, line.size()); ++c) {
        const char16_t u = line[c].unicode();
        if (u == u'.') {
            d.fraction = 0;
        } else if (u != u' ') {
            d.value = d.value * 10 + (u - u'0');
            d.fraction += d.fraction >= 0;
        }
    }
    return d;
}

bool Checker::quickLook(QStringView line, int lineIndex)
{
    static constexpr qint64 Powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    const ColumnMasks masks = columnMasks(line);
    const quint64 others = masks.others & columnBits(1, ReadColumns);
    const quint64 filled = masks.filled & columnBits(1, ReadColumns);
    // Any letter but a blank or a control in the species, and one point a field where a number
    // is read.
    const quint64 speciesColumns = columnBits(SpeciesColumn + 1, 3);
    int pointSlot = -1;
    for (quint64 bits = others & ~speciesColumns; bits != 0; bits &= bits - 1) {
        const int c = qCountTrailingZeroBits(bits);
        if (line[c] != u'.' || !(PointColumns >> c & 1) || SlotAt[c] == pointSlot)
            return false;
        pointSlot = SlotAt[c];
    }
    for (quint64 bits = others & speciesColumns; bits != 0; bits &= bits - 1) {
        const char16_t u = line[qCountTrailingZeroBits(bits)].unicode();
        if (u < 0x20 || u > 0x7E)
            return false;
    }
    // Without a minus sign there is no -999; a lone CR cuts the line.
    for (qsizetype c = ReadColumns; c < line.size(); ++c) {
        if (line[c] == u'\r' || (line[c] == u'-' && c < BufferLength))
            return false;
    }
    // Written numbers of 0 only: a count read as one stem, a Dbh that drops the tree.
    const quint64 count = columnBits(Reads[Count].column, Reads[Count].width);
    const quint64 dbh = columnBits(Reads[Dbh].column, Reads[Dbh].width);
    if ((filled & columnBits(1, TreeRecordLength)) == 0 ||
        ((filled & count) && !(masks.nonZero & count)) || !(others & dbh) ||
        !(masks.nonZero & dbh) ||
        (line.size() >= Reads[ValueClass].column && line[Reads[ValueClass].column - 1] == u'8'))
        return false;
    // Without a point a Dbh reads its last digit as tenths; this one has a point.
    const Digits dbhDigits = digitsOf(line, Reads[Dbh].column, Reads[Dbh].width);
    if (dbhDigits.value >= qint64(ScreenedDbh) * Powers[dbhDigits.fraction])
        return false;
    for (int pair = Damage1; pair < Severity3; pair += 2) {
        // Digits and blanks only: a blank makes it no two-digit number.
        const qsizetype c = Reads[pair].column - 1;
        if (c + 1 < line.size() &&
            (line[c].unicode() - u'0') * 10 + (line[c + 1].unicode() - u'0') == SiteTreeDamage) {
            const qint64 severity = digitsOf(line, Reads[pair + 1].column, 2).value;
            if (severity == 3 || severity == 4)
                return false;
        }
    }
    if (readSpecies(line, m_variant, m_codes) != SpeciesRead::Known)
        return false;
    // The tree ID: the digits of columns 1-7 as one number.
    qint64 id = 0;
    for (qsizetype c = 0; c < qMin<qsizetype>(7, line.size()); ++c) {
        if (line[c] != u' ')
            id = id * 10 + (line[c].unicode() - u'0');
    }
    ids.push_back({id, lineIndex, 0});
    return true;
}

bool Checker::readFields(QStringView record, std::array<Number, SlotCount>& values)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const Read& r = Reads[slot];
        values[slot] = read(record, r);
        if (values[slot].ok)
            continue;
        // The first field that cannot be read stops the run.
        const QStringView text = record.mid(r.column - 1, r.width);
        const qsizetype at = r.column - 1 + values[slot].stop;
        const QString stop = at < record.size() ? stopName(record, at) : QString();
        QString what;
        if (slot == TreeId)
            what = QStringLiteral("the simulator reads plot and tree number (\"%1\") as one "
                                  "whole number, and %2 stops the whole run with a read error")
                       .arg(visibleText(text), stop);
        else if (r.type == Type::Whole)
            what = QStringLiteral("the simulator reads a whole number in %1, and %2 stops the "
                                  "whole run with a read error")
                       .arg(columns(r.column, r.width), stop);
        else if (!stop.isEmpty())
            what = QStringLiteral("the simulator reads a number in %1, and %2 stops the whole "
                                  "run with a read error")
                       .arg(columns(r.column, r.width), stop);
        else
            what = QStringLiteral("the simulator reads a number in %1, and this is none; the "
                                  "whole run stops with a read error")
                       .arg(columns(r.column, r.width));
        add(Kind::ReadError, r.name, trimmed(slot == TreeId ? text.mid(4) : text), what);
        return false;
    }
    return true;
}

bool Checker::dropped(QStringView record, const std::array<Number, SlotCount>& values)
{
    if (values[ValueClass].value == 8) {
        add(ValueClass, Kind::NonStockable, record,
            QStringLiteral("value class 8 marks a non-stockable plot record, not a tree; the "
                           "simulator drops the tree"));
        return true;
    }
    const Number& dbh = values[Dbh];
    if (dbh.value < 0) {
        add(Dbh, Kind::NegativeDbh, record,
            QStringLiteral("a negative Dbh; the simulator drops this tree without a message"));
        return true;
    }
    const QString inches = QString::number(dbh.value, 'f', 1);
    if (dbh.digits && !dbh.point && dbh.value != 0) {
        const bool screened = dbh.value >= ScreenedDbh;
        add(Dbh, Kind::DbhMisread, record,
            QStringLiteral("without a point the last digit counts as tenths, so the simulator "
                           "reads %1 inches%2")
                .arg(inches, screened ? QStringLiteral(", which its diameter screen removes: "
                                                       "the tree is dropped")
                                      : QString()));
        return screened;
    }
    if (dbh.value >= ScreenedDbh) {
        add(Dbh, Kind::DbhScreened, record,
            QStringLiteral("the simulator's default diameter screen removes a Dbh of 999 "
                           "inches or more, so the tree is dropped"));
        return true;
    }
    const double height = values[Height].value;
    if (dbh.value == 0 && (height == 0 || height >= BreastHeight)) {
        add(Dbh, Kind::ZeroDbh, record,
            QStringLiteral("a Dbh of 0 with %1; the simulator drops the tree without a message")
                .arg(height == 0 ? QStringLiteral("no total height")
                                 : QStringLiteral("a total height of 4.5 feet or more")));
        return true;
    }
    return false;
}

// Lines from .. to - 1 of the file; false when the data end in them.
bool checkLines(Checker& checker, std::span<const QString> lines, qsizetype from, qsizetype to,
                bool lastLineEnded)
{
    const qsizetype count = qsizetype(lines.size());
    checker.ids.reserve(size_t(to - from));
    for (qsizetype index = from; index < to; ++index) {
        const QStringView line = lines[size_t(index)];
        // Each line's characters lie elsewhere on the heap: fetched ahead, they are at hand.
        if (index + 8 < to)
            __builtin_prefetch(lines[size_t(index + 8)].constData());
        if (checker.quickLook(line, int(index)))
            continue;
        // A lone CR ends a record for the simulator; the findings stay on the file's line.
        Place place;
        qsizetype start = 0;
        for (;;) {
            const qsizetype cr = line.indexOf(u'\r', start);
            place.crAfter = cr < 0 ? 0 : int(cr) + 1;
            // A lone CR that ends the file ends its last record too.
            if (cr < 0 && start > 0 && start == line.size() && index == count - 1 && !lastLineEnded)
                break;
            if (!checker.record(line.mid(start, cr < 0 ? -1 : cr - start), int(index), place))
                return false;
            if (cr < 0)
                break;
            place.crBefore = int(cr) + 1;
            start = cr + 1;
        }
    }
    return true;
}

} // namespace

namespace TreeFileCheck {

QList<CheckFinding> check(std::span<const QString> lines, int variantPosition, bool lastLineEnded,
                          qsizetype halvesFrom)
{
    if (variantPosition < 1 || variantPosition > VariantList::count())
        variantPosition = 0;
    const qsizetype count = qsizetype(lines.size());
    Checker first(variantPosition);
    // A line's findings are its own but for the duplicates, which are found over all the tree
    // IDs at the end: so two halves are checked apart and joined, unless the data end in the
    // first. A save waits for its check.
    const qsizetype middle = count >= halvesFrom && count >= 2 ? count / 2 : count;
    if (middle < count) {
        Checker second(variantPosition);
        bool goesOn = true;
        runBeside([&] { checkLines(second, lines, middle, count, lastLineEnded); },
                  [&] { goesOn = checkLines(first, lines, 0, middle, lastLineEnded); });
        if (goesOn) {
            first.out += second.out;
            first.ids.insert(first.ids.end(), second.ids.begin(), second.ids.end());
        }
    } else {
        checkLines(first, lines, 0, count, lastLineEnded);
    }
    addDuplicates(first.ids, lines, first.out);
    std::stable_sort(first.out.begin(), first.out.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    return first.out;
}

} // namespace TreeFileCheck
