#include "LocValueProblem.h"

#include "base/Cp1252.h"
#include "base/RecordText.h"

#include <optional>

using Field = LocRecord::Field;
using Reason = LocValueProblem::Reason;

namespace {

// Line breaks become blanks on writing, so they separate as blanks do.
bool separates(QChar c)
{
    return RecordText::isSeparator(c) || c == u'\r' || c == u'\n';
}

bool blanksOnly(QStringView value)
{
    for (const QChar c : value) {
        if (!separates(c))
            return false;
    }
    return true;
}

bool holdsSeparator(QStringView value)
{
    for (const QChar c : value) {
        if (separates(c))
            return true;
    }
    return false;
}

std::optional<Reason> oneTokenProblem(const QString& value, bool emptyAllowed)
{
    if (!Cp1252::canEncode(value))
        return Reason::NoByte;
    if (value.isEmpty())
        return emptyAllowed ? std::nullopt : std::optional(Reason::Empty);
    if (blanksOnly(value))
        return Reason::BlanksOnly;
    if (holdsSeparator(value))
        return Reason::Separator;
    if (value.front() == u'"')
        return Reason::LeadingQuote;
    return std::nullopt;
}

std::optional<Reason> addfilesProblem(const QString& value)
{
    if (!Cp1252::canEncode(value))
        return Reason::NoByte;
    if (value.isEmpty())
        return Reason::Empty;
    if (blanksOnly(value))
        return Reason::BlanksOnly;
    if (value.contains(u'\t') || value.contains(u'\r') || value.contains(u'\n'))
        return Reason::Tab;
    const QStringList names = value.split(u' ');
    for (const QString& name : names) {
        if (name.isEmpty())
            return Reason::ExtraBlanks;
    }
    for (const QString& name : names) {
        if (name.front() == u'"')
            return Reason::LeadingQuote;
        if (name == QStringLiteral("@"))
            return Reason::Placeholder;
    }
    return std::nullopt;
}

} // namespace

QString LocValueProblem::reasonText() const
{
    switch (reason) {
    case Reason::NoByte:
        return QStringLiteral("holds a character that the file cannot hold");
    case Reason::Empty:
        return QStringLiteral("is empty");
    case Reason::BlanksOnly:
        return QStringLiteral("is made of blanks only");
    case Reason::Separator:
    case Reason::Tab:
        return QStringLiteral("holds ") + RecordText::separatorName(value);
    case Reason::ExtraBlanks:
        return QStringLiteral("has blanks at its start or end, or more than one between names");
    case Reason::LeadingQuote:
        return field == Field::Addfiles ? QStringLiteral("has a name beginning with a double quote")
                                        : QStringLiteral("begins with a double quote");
    case Reason::Placeholder:
        return QStringLiteral("has a name \"@\", which stands for no value");
    default:
        return QStringLiteral("has no field on its line, so the reader skips it (a name with a "
                              "blank in it before it is the usual cause)");
    }
}

QList<LocValueProblem> valuesThatWouldNotReadBack(const LocRecord& record)
{
    QList<LocValueProblem> problems;
    auto check = [&](Field field, std::optional<Reason> reason) {
        if (reason)
            problems.append({field, record.field(field), *reason});
    };
    switch (record.kind) {
    case LocRecord::Kind::A:
        if (!Cp1252::canEncode(record.locationName))
            check(Field::LocationName, Reason::NoByte);
        check(Field::Access, oneTokenProblem(record.access, true));
        check(Field::SlfFileName, oneTokenProblem(record.slfFileName, false));
        break;
    case LocRecord::Kind::B:
        check(Field::GroupingCode, oneTokenProblem(record.groupingCode, false));
        check(Field::Addfiles, addfilesProblem(record.addfiles));
        break;
    default:
        break;
    }
    return problems;
}

QList<LocValueProblem> valuesThatWouldNotReadBack(const QString& line)
{
    QList<LocValueProblem> problems = valuesThatWouldNotReadBack(ParseLocRecord(line));
    const QStringList tokens = splitLocTokens(line);
    const LocRecord::Kind kind = locRecordKind(line);
    if (kind == LocRecord::Kind::A) {
        for (qsizetype n = 3; n < tokens.size(); ++n) {
            if (tokens[n] != QStringLiteral("@")) {
                problems.append({Field::SlfFileName, tokens[n], Reason::Dropped});
                break;
            }
        }
        return problems;
    }
    const bool addfilesFlagged = !problems.isEmpty() && problems.back().field == Field::Addfiles;
    if (kind != LocRecord::Kind::B || addfilesFlagged)
        return problems;
    for (qsizetype n = 1; n < tokens.size(); ++n) {
        if (holdsSeparator(tokens[n])) {
            problems.append({Field::Addfiles, tokens[n], Reason::Separator});
            break;
        }
    }
    return problems;
}
