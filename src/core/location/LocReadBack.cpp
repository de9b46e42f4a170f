#include "LocReadBack.h"

#include "base/RecordText.h"

#include <algorithm>

using Field = LocRecord::Field;

QList<ReadBack::Problem> valuesThatWouldNotReadBack(const LocRecord& record)
{
    ReadBack::Finder finder;
    switch (record.kind) {
    case LocRecord::Kind::A:
        finder.text(int(Field::LocationName), record.locationName);
        finder.token(int(Field::Access), record.access);
        finder.token(int(Field::SlfFileName), record.slfFileName, true);
        break;
    case LocRecord::Kind::B:
        finder.token(int(Field::GroupingCode), record.groupingCode, true);
        finder.list(int(Field::Addfiles), record.addfiles, true);
        break;
    default:
        break;
    }
    return finder.found();
}

QList<ReadBack::Problem> valuesThatWouldNotReadBack(const QString& line)
{
    return valuesThatWouldNotReadBack(line, locTokens(line));
}

namespace {

// Whether every value of the line but the first passes the rule as it stands: the rest of the
// line is plain text (ReadBack::isPlainText), so no such value stands in quotes. The first, a
// location name in quotes as the window writes it, is left to the caller.
bool restIsPlain(QStringView line, const LocTokens& tokens)
{
    if (tokens.isEmpty())
        return true;
    const QChar* rest = tokens[0].end();
    if (rest != line.end() && *rest == u'"')
        ++rest; // the first value's closing quote
    return ReadBack::isPlainText(QStringView(rest, line.end()));
}

} // namespace

QList<ReadBack::Problem> valuesThatWouldNotReadBack(QStringView line, const LocTokens& tokens)
{
    const auto at = [&](qsizetype n) { return n < tokens.size() ? tokens[n] : QStringView(); };
    using RecordText::isPlaceholder;
    // Where every value passes as it stands, only the missing and skipped ones are left.
    const bool plain = restIsPlain(line, tokens);
    ReadBack::Finder finder;
    switch (locRecordKind(line)) {
    case LocRecord::Kind::A: {
        // The record's rule, then what the reader skips.
        finder.text(int(Field::LocationName), at(0));
        // An access field that is not there reads as "@", which passes.
        if (tokens.size() > 1 && !plain)
            finder.token(int(Field::Access), tokens[1]);
        if (tokens.size() < 3 || !plain)
            finder.token(int(Field::SlfFileName), at(2), true);
        const auto dropped =
            std::find_if(tokens.begin() + qMin(tokens.size(), qsizetype(3)), tokens.end(),
                         [](QStringView t) { return !isPlaceholder(t); });
        if (dropped != tokens.end())
            finder.dropped(int(Field::SlfFileName), *dropped);
        break;
    }
    case LocRecord::Kind::B: {
        finder.token(int(Field::GroupingCode), at(0), true);
        // The addfiles are joined only when a name is not plain, so the rule may find something.
        qsizetype names = 0;
        bool plainNames = true;
        for (qsizetype n = 1; n < tokens.size(); ++n) {
            if (!isPlaceholder(tokens[n])) {
                ++names;
                plainNames = plainNames && (plain || ReadBack::isPlainName(tokens[n]));
            }
        }
        const qsizetype before = finder.found().size();
        if (names == 0 || !plainNames)
            finder.list(int(Field::Addfiles), locAddfiles(tokens), true);
        for (qsizetype n = 1; !plain && n < tokens.size() && finder.found().size() == before; ++n)
            finder.unquoted(int(Field::Addfiles), tokens[n]);
        break;
    }
    default:
        break;
    }
    return finder.found();
}
