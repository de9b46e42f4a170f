#include "StandReadBack.h"

#include "StandFields.h"
#include "base/RecordText.h"

#include <QRegularExpression>
#include <algorithm>

QList<ReadBack::Problem> findUnreadableValues(const StandSet& set)
{
    ReadBack::Finder finder;
    finder.token(StandBox::StandId, set.standId);
    finder.token(StandBox::TreeFile, set.treeFileName);
    finder.list(StandBox::Variant, variantCodesAsWritten(set.variantCodes));
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        finder.token(n, set.attributes[n]);
    // Each line is one grouping code; an empty line is simply no code.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : set.groupingCodes.split(lineBreak))
        finder.token(StandBox::Groups, line);
    finder.list(StandBox::Addfile, set.addfiles);
    return finder.found();
}

namespace {

// The values from token n on as the reader takes them: joined by single blanks.
QString joinedFrom(const StandTokens& tokens, qsizetype n)
{
    QString joined;
    for (qsizetype k = n; k < tokens.size(); ++k) {
        if (k > n)
            joined += u' ';
        joined += tokens[k];
    }
    return joined;
}

} // namespace

std::optional<ReadBack::Problem> findUnreadableValue(QStringView line)
{
    return findUnreadableValue(line, standTokens(line));
}

std::optional<ReadBack::Problem> findUnreadableValue(QStringView line, const StandTokens& tokens)
{
    // In a plain line every value passes; only a value the reader skips is left to find.
    const bool plain = ReadBack::isPlainText(line);
    const auto at = [&](qsizetype n) { return n < tokens.size() ? tokens[n] : QStringView(); };
    ReadBack::Finder finder;
    const auto token = [&](int field, qsizetype n) {
        if (!plain)
            finder.token(field, at(n));
    };
    // The reader takes the values from token n on as one list; it is built, as it joins them,
    // only for a name that is not plain.
    const auto listFrom = [&](int field, qsizetype n) {
        if (!plain && !std::all_of(tokens.begin() + qMin(n, tokens.size()), tokens.end(),
                                   ReadBack::isPlainName))
            finder.list(field, joinedFrom(tokens, n));
    };
    switch (standRecordType(line)) {
    case 'A':
        token(StandBox::StandId, 0);
        token(StandBox::TreeFile, 1);
        if (tokens.size() > 2 && !RecordText::isPlaceholder(tokens[2]))
            finder.dropped(0, tokens[2]);
        listFrom(StandBox::Variant, 3);
        break;
    case 'B':
        for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
            token(n, n - 1);
        if (tokens.size() > StandSet::LastAttribute)
            finder.dropped(0, joinedFrom(tokens, StandSet::LastAttribute));
        break;
    case 'C':
        listFrom(StandBox::Groups, 1);
        break;
    case 'D':
        listFrom(StandBox::Addfile, 1);
        break;
    default:
        break;
    }
    if (finder.found().isEmpty())
        return std::nullopt;
    return finder.found().constFirst();
}
