#include "ReadBack.h"

namespace ReadBack {

namespace {

void dropEmptyListTokens(QStringList& tokens, qsizetype listFrom)
{
    for (qsizetype i = tokens.size() - 1; i >= listFrom; --i) {
        if (tokens[i] == QStringLiteral("@"))
            tokens.removeAt(i);
    }
}

} // namespace

std::optional<Difference> firstDifference(QStringList line, QStringList readBack,
                                          qsizetype listFrom)
{
    dropEmptyListTokens(line, listFrom);
    dropEmptyListTokens(readBack, listFrom);
    for (qsizetype i = 0; i < qMax(line.size(), readBack.size()); ++i) {
        // A token the reader has no place for is lost, even an "@": the values before it moved.
        if (i >= readBack.size())
            return Difference{i, line[i]};
        if (i >= line.size() ? readBack[i] != QStringLiteral("@") : line[i] != readBack[i])
            return Difference{i, line.value(i)};
    }
    return std::nullopt;
}

} // namespace ReadBack
