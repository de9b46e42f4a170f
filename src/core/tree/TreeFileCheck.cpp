#include "TreeFileCheck.h"

#include "TreeRecord.h"
#include "recordfile/Cp1252.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Kind = CheckFinding::Kind;

constexpr double EndOfDataMark = -999.0;
// Written without a point, these read their last digit as tenths.
constexpr int DbhIncrement = 7;
constexpr int HeightIncrement = 10;

// How the simulator reads one field: a whole number, or a number that takes an implied tenth
// when it is written without a point.
struct Read
{
    int field;
    int column;
    int width;
    bool whole;
    bool tenths;
};

// The tree number is read together with the plot number, as one tree ID in columns 1-7.
const std::array<Read, TreeFieldCount - 1> Reads = [] {
    std::array<Read, TreeFieldCount - 1> reads{};
    int n = 0;
    for (int field = 1; field <= TreeFieldCount; ++field) {
        if (field == TreeFields::Species)
            continue;
        const TreeFieldInfo& info = treeField(field);
        const bool whole = info.typing != TypingClass::Decimal;
        const bool tenths =
            field == TreeFields::Dbh || field == DbhIncrement || field == HeightIncrement;
        if (field == TreeFields::TreeNumber)
            reads[n++] = {field, 1, info.column + info.width - 1, true, false};
        else
            reads[n++] = {field, info.column, info.width, whole, tenths};
    }
    return reads;
}();

// What may stand in each column of a plain line: blanks and digits where whole numbers are
// read, a point too where numbers are, printable ASCII in the species columns.
enum class Plain : char
{
    Whole,
    Decimal,
    Species
};

struct PlainColumns
{
    std::array<Plain, TreeRecordLength> kind{};
    std::array<int, TreeRecordLength> field{};
};

const PlainColumns Columns = [] {
    PlainColumns columns;
    for (int field = 1; field <= TreeFieldCount; ++field) {
        const TreeFieldInfo& info = treeField(field);
        for (int c = info.column - 1; c < info.column - 1 + info.width; ++c) {
            columns.field[c] = field;
            columns.kind[c] = field == TreeFields::Species          ? Plain::Species
                              : info.typing == TypingClass::Decimal ? Plain::Decimal
                                                                    : Plain::Whole;
        }
    }
    return columns;
}();

// Whether the record's columns hold nothing but plain numbers and species text: a quick look
// that most lines of a file pass, so the full reading is needed only for the rest.
bool isPlain(QStringView line)
{
    const qsizetype end = qMin<qsizetype>(line.size(), TreeRecordLength);
    int pointField = 0;
    for (qsizetype c = 0; c < end; ++c) {
        const char16_t u = line[c].unicode();
        if (u == u' ' || (u >= u'0' && u <= u'9'))
            continue;
        switch (Columns.kind[c]) {
        case Plain::Species:
            if (u < 0x20 || u >= 0x7F)
                return false;
            break;
        case Plain::Decimal:
            // One point a field: the columns of a field lie side by side.
            if (u != u'.' || pointField == Columns.field[c])
                return false;
            pointField = Columns.field[c];
            break;
        default:
            return false;
        }
    }
    return true;
}

struct Number
{
    bool ok = true;
    double value = 0;
    QChar stop; // the character that made it no number
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

Number readWhole(QStringView text)
{
    qint64 value = 0;
    bool sign = false, negative = false, digits = false;
    for (const QChar c : text) {
        if (c == u' ')
            continue;
        if (!sign && !digits && (c == u'+' || c == u'-')) {
            sign = true;
            negative = c == u'-';
        } else if (isDigit(c)) {
            digits = true;
            value = value * 10 + (c.unicode() - u'0');
        } else {
            return {false, 0, c};
        }
    }
    if (sign && !digits)
        return {false, 0, negative ? QChar(u'-') : QChar(u'+')};
    return {true, double(negative ? -value : value), QChar()};
}

// A number with an optional point and exponent; without a point the implied tenth applies.
Number readNumber(QStringView text, bool tenths)
{
    double mantissa = 0;
    int fractionDigits = 0, digits = 0, exponent = 0, exponentDigits = 0;
    bool sign = false, negative = false, point = false, inExponent = false,
         exponentNegative = false, exponentSign = false;
    for (const QChar c : text) {
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
                return {false, 0, c};
            }
        } else if (!sign && digits == 0 && !point && (c == u'+' || c == u'-')) {
            sign = true;
            negative = c == u'-';
        } else if (isDigit(c)) {
            mantissa = mantissa * 10 + (c.unicode() - u'0');
            ++digits;
            fractionDigits += point;
        } else if (c == u'.' && !point) {
            point = true;
        } else if ((digits > 0 || point) && QStringLiteral("EeDdQq+-").contains(c)) {
            inExponent = true;
            if (c == u'+' || c == u'-') {
                exponentSign = true;
                exponentNegative = c == u'-';
            }
        } else {
            return {false, 0, c};
        }
    }
    if ((sign && digits == 0 && !point) || (inExponent && exponentDigits == 0))
        return {false, 0, QChar()};
    // At most 7 digits behind the point fit a field.
    static constexpr double Powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    double value = mantissa / Powers[qMin(fractionDigits + (!point && tenths ? 1 : 0), 8)];
    if (exponent != 0)
        value *= std::pow(10.0, exponentNegative ? -exponent : exponent);
    return {true, negative ? -value : value, QChar()};
}

QString columns(const Read& read)
{
    return read.width == 1
               ? QStringLiteral("column %1").arg(read.column)
               : QStringLiteral("columns %1-%2").arg(read.column).arg(read.column + read.width - 1);
}

QString stopName(QChar c)
{
    if (c == u'.')
        return QStringLiteral("the point");
    if (c == u'-')
        return QStringLiteral("the minus sign");
    if (c == u'+')
        return QStringLiteral("the plus sign");
    return QStringLiteral("the character \"%1\"").arg(visibleText(QStringView(&c, 1)));
}

QString fieldName(int field)
{
    return QString::fromLatin1(treeField(field).name);
}

QString trimmed(QStringView text)
{
    return visibleText(text.trimmed());
}

// The field whose columns hold column `column` (1-based).
QString fieldAt(qsizetype column)
{
    return fieldName(Columns.field[column - 1]);
}

// Length of a UTF-8 multi-byte letter starting at bytes[at]; 0 when there is none.
int utf8Length(const QByteArray& bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// The first control byte or UTF-8 letter within the record's columns.
std::optional<CheckFinding> byteFinding(const QString& line)
{
    const qsizetype end = qMin<qsizetype>(line.size(), TreeRecordLength);
    bool high = false;
    for (qsizetype i = 0; i < end; ++i) {
        const char16_t u = line[i].unicode();
        if (isControlCharacter(line[i])) {
            return CheckFinding{0, Kind::ByteOutsideText, fieldAt(i + 1),
                                visibleText(QStringView(line).mid(i, 1)),
                                QStringLiteral("column %1 holds a control byte, not text: the "
                                               "simulator reads this field as something other "
                                               "than what is shown")
                                    .arg(i + 1)};
        }
        high = high || u >= 0x80;
    }
    if (!high)
        return std::nullopt;
    const QByteArray bytes = Cp1252::encode(QStringView(line).left(end));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int length = utf8Length(bytes, i);
        if (length == 0)
            continue;
        return CheckFinding{0, Kind::ByteOutsideText, fieldAt(i + 1),
                            QString::fromUtf8(bytes.mid(i, length)),
                            QStringLiteral("a letter written in %1 bytes (UTF-8) at column %2: "
                                           "the simulator counts columns in bytes, so every "
                                           "field after it shifts")
                                .arg(length)
                                .arg(i + 1)};
    }
    return std::nullopt;
}

// Species codes packed into a number: up to three ASCII characters and the length.
quint32 codeKey(QStringView code)
{
    if (code.size() > 3)
        return 0;
    quint32 key = quint32(code.size()) << 24;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i].unicode() >= 0x80)
            return 0;
        key |= quint32(code[i].unicode()) << (8 * i);
    }
    return key;
}

QSet<quint32> speciesCodes(int variantPosition)
{
    QSet<quint32> codes;
    for (const QString& entry : SpeciesLists::forPosition(variantPosition))
        codes.insert(codeKey(SpeciesLists::speciesCodeOf(entry).trimmed()));
    return codes;
}

const QString CatchAll = QStringLiteral("the simulator replaces it with the variant's catch-all "
                                        "species and only notes this in its output");

std::optional<CheckFinding> speciesFinding(QStringView columns, int variantPosition,
                                           const QSet<quint32>& codes)
{
    QStringView code = columns;
    while (!code.isEmpty() && code.back() == u' ')
        code.chop(1);
    const QStringView bare = code.trimmed();
    const bool numeric = !bare.isEmpty() &&
                         std::all_of(bare.begin(), bare.end(), [](QChar c) { return isDigit(c); });
    if (numeric && (bare.size() != 3 || code.size() != 3)) {
        return CheckFinding{0, Kind::SpeciesLeadingZeros, fieldName(TreeFields::Species),
                            visibleText(code),
                            QStringLiteral("a numeric species code takes all 3 digits (\"%1\"): ")
                                    .arg(bare.toString().rightJustified(3, u'0')) +
                                CatchAll};
    }
    if (variantPosition == 0 || numeric || codes.contains(codeKey(code)))
        return std::nullopt;
    const VariantList::Entry variant = VariantList::entry(variantPosition);
    return CheckFinding{0, Kind::UnknownSpecies, fieldName(TreeFields::Species), visibleText(code),
                        QStringLiteral("not a species code of variant %1 (%2): ")
                                .arg(variant.code, variant.description) +
                            CatchAll};
}

struct TreeId
{
    qint64 id;
    int line; // index
    qint64 plot;
    qint64 tree;
};

void addDuplicates(std::vector<TreeId>& ids, const QStringList& lines, QList<CheckFinding>& out)
{
    std::sort(ids.begin(), ids.end(), [](const TreeId& a, const TreeId& b) {
        return a.id != b.id ? a.id < b.id : a.line < b.line;
    });
    const auto pair = [&](const TreeId& t) {
        const QStringView line = lines[t.line];
        const auto number = [](QStringView text) {
            return text.trimmed().isEmpty() ? QStringLiteral("blank") : trimmed(text);
        };
        return QStringLiteral("plot %1, tree %2")
            .arg(number(line.mid(0, 4)), number(line.mid(4, 3)));
    };
    size_t first = 0;
    for (size_t i = 1; i < ids.size(); ++i) {
        if (ids[i].id != ids[first].id) {
            first = i;
            continue;
        }
        const TreeId& t = ids[i];
        const TreeId& f = ids[first];
        if (t.plot == f.plot && t.tree == f.tree) {
            out.append({t.line + 1, Kind::DuplicateTree, QStringLiteral("Plot and tree number"),
                        pair(t),
                        QStringLiteral("the same plot and tree number as line %1: the simulator "
                                       "gets two trees with one ID (a tree number of 1000 or "
                                       "more is cut to 3 digits, a plot number of 10000 or "
                                       "more to 4)")
                            .arg(f.line + 1)});
        } else {
            out.append({t.line + 1, Kind::MergedTreeId, QStringLiteral("Plot and tree number"),
                        pair(t),
                        QStringLiteral("reads as the tree ID %1, like %2 on line %3: the "
                                       "simulator reads plot and tree number as one number in "
                                       "columns 1-7, so both trees get one ID")
                            .arg(t.id)
                            .arg(pair(f))
                            .arg(f.line + 1)});
        }
    }
}

} // namespace

namespace TreeFileCheck {

QList<CheckFinding> check(const QStringList& lines, int variantPosition)
{
    if (variantPosition < 1 || variantPosition > VariantList::count())
        variantPosition = 0;
    const QSet<quint32> codes = speciesCodes(variantPosition);
    QList<CheckFinding> out;
    std::vector<TreeId> ids;
    ids.reserve(size_t(lines.size()));

    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        const int lineNumber = int(index) + 1;
        auto add = [&](CheckFinding finding) {
            finding.line = lineNumber;
            out.append(std::move(finding));
        };
        if (std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' '; })) {
            add({0, Kind::EmptyLine, QString(), QString(),
                 QStringLiteral("%1: the simulator reads it as a tree on plot 0, one plot more, "
                                "so trees per acre and basal area come out too low (or the run "
                                "stops when the number of plots is given)")
                     .arg(line.isEmpty() ? QStringLiteral("an empty line")
                                         : QStringLiteral("a line of blanks"))});
            continue;
        }
        if (line.front() == u'*') {
            add({0, Kind::CommentLine, QString(), QString(),
                 QStringLiteral("the line begins with \"*\": the simulator skips it as a "
                                "comment, so this tree is not read")});
            continue;
        }
        const QStringView view(line);
        const bool plain = isPlain(view);
        if (!plain) {
            if (const auto bytes = byteFinding(line))
                add(*bytes);
        }
        bool readable = true, ended = false, dropped = false;
        qint64 plot = 0, id = 0;
        for (const Read& read : Reads) {
            // A plain number is never unreadable, negative or -999; only these need a look.
            if (plain && read.field != TreeFields::PlotNumber &&
                read.field != TreeFields::TreeNumber && read.field != TreeFields::Dbh)
                continue;
            const QStringView text = view.mid(read.column - 1, read.width);
            const Number number = read.whole ? readWhole(text) : readNumber(text, read.tenths);
            if (read.field == TreeFields::PlotNumber)
                plot = qint64(number.value);
            else if (read.field == TreeFields::TreeNumber)
                id = qint64(number.value);
            // Most fields of most lines: nothing to say, and nothing allocated.
            if (number.ok && number.value >= 0 &&
                !(read.field == TreeFields::Dbh && number.value >= 100))
                continue;
            const QString name = fieldName(read.field);
            if (!number.ok) {
                // The plot's error already stops the run; the tree ID spans the plot columns.
                if (read.field == TreeFields::TreeNumber && !readable)
                    continue;
                readable = false;
                QString what;
                if (read.field == TreeFields::TreeNumber)
                    what = QStringLiteral("the simulator reads plot and tree number (\"%1\") as "
                                          "one whole number, and %2 stops the whole run with a "
                                          "read error")
                               .arg(visibleText(text), stopName(number.stop));
                else if (read.whole)
                    what = QStringLiteral("the simulator reads a whole number in %1, and %2 "
                                          "stops the whole run with a read error")
                               .arg(columns(read), stopName(number.stop));
                else
                    what = QStringLiteral("the simulator reads a number in %1, and this is "
                                          "none: the whole run stops with a read error")
                               .arg(columns(read));
                const QStringView shown = read.field == TreeFields::TreeNumber ? text.mid(4) : text;
                add({0, Kind::ReadError, name, trimmed(shown), what});
                continue;
            }
            if (number.value == EndOfDataMark && !ended) {
                ended = true;
                add({0, Kind::EndOfData, name, trimmed(text),
                     QStringLiteral("the simulator takes -999 as the end of the data: this "
                                    "tree and every line after it are not read, without a "
                                    "message")});
            } else if (number.value < 0 &&
                       (read.field == TreeFields::TreeCount || read.field == TreeFields::Dbh)) {
                dropped = true;
                add({0, Kind::DroppedRecord, name, trimmed(text),
                     QStringLiteral("a negative %1: the simulator drops this tree without a "
                                    "message")
                         .arg(read.field == TreeFields::Dbh ? QStringLiteral("Dbh")
                                                            : QStringLiteral("tree count"))});
            } else if (read.field == TreeFields::Dbh && number.value >= 100) {
                const QString value = QString::number(number.value, 'f', 1);
                add({0, Kind::DbhMisread, name, trimmed(text),
                     text.contains(u'.')
                         ? QStringLiteral("a Dbh of 100 inches or more has no room for its "
                                          "tenth in 4 columns: the simulator reads %1 inches, "
                                          "whatever tenth was typed")
                               .arg(value)
                         : QStringLiteral("without a point the last digit counts as tenths: "
                                          "the simulator reads %1 inches")
                               .arg(value)});
            }
        }
        if (const auto species = speciesFinding(
                view.mid(treeField(TreeFields::Species).column - 1, 3), variantPosition, codes))
            add(*species);
        if (readable && !ended && !dropped) {
            const Number tree = readWhole(view.mid(4, 3));
            ids.push_back({id, int(index), plot, tree.ok ? qint64(tree.value) : id});
        }
    }
    addDuplicates(ids, lines, out);
    std::stable_sort(out.begin(), out.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    return out;
}

} // namespace TreeFileCheck
