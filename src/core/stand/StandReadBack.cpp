#include "StandReadBack.h"

#include "StandFields.h"
#include "base/RecordText.h"

#include <QRegularExpression>

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

std::optional<ReadBack::Problem> findUnreadableValue(QStringView line)
{
    const QStringList tokens = splitStandTokens(line);
    const auto from = [&](qsizetype n) { return tokens.mid(n).join(u' '); };
    ReadBack::Finder finder;
    switch (standRecordType(line)) {
    case 'A':
        finder.token(StandBox::StandId, tokens.value(0));
        finder.token(StandBox::TreeFile, tokens.value(1));
        if (tokens.size() > 2 && tokens[2] != RecordText::placeholder())
            finder.dropped(0, tokens[2]);
        finder.list(StandBox::Variant, from(3));
        break;
    case 'B':
        for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
            finder.token(n, tokens.value(n - 1));
        if (tokens.size() > StandSet::LastAttribute)
            finder.dropped(0, from(StandSet::LastAttribute));
        break;
    case 'C':
        finder.list(StandBox::Groups, from(1));
        break;
    case 'D':
        finder.list(StandBox::Addfile, from(1));
        break;
    default:
        break;
    }
    if (finder.found().isEmpty())
        return std::nullopt;
    return finder.found().constFirst();
}
