#pragma once

#include <QStringList>
#include <limits>
#include <optional>

// Whether the tokens of a line come back when the line is read and written again.
namespace ReadBack {

// For a line whose tokens are all fixed positions.
inline constexpr qsizetype NoList = std::numeric_limits<qsizetype>::max();

struct Difference
{
    qsizetype index; // counted without the "@" tokens that count for nothing
    QString token;   // empty when `line` ends there
};

// The first token of `line` that `readBack` does not give back, or nothing when both say the
// same. "@" stands for no value: `line` may end where `readBack` has only "@" left, and from
// token index `listFrom` on (a list of names or codes) no "@" counts. A token of `line` beyond
// the end of `readBack` is always a difference.
std::optional<Difference> firstDifference(QStringList line, QStringList readBack,
                                          qsizetype listFrom);

} // namespace ReadBack
