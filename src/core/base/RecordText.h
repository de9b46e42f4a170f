#pragma once

#include <QString>

// Text rules the blank-separated record files share.
namespace RecordText {

// The text that stands for no value in a field.
inline QString placeholder()
{
    return QStringLiteral("@");
}

inline bool isPlaceholder(QStringView value)
{
    return value.size() == 1 && value.front() == u'@';
}

// Blanks and tabs separate the tokens of a record line.
inline bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The separator a value holds, as a message names it; a line break first, since it is the one
// a user does not see in a box.
inline QString separatorName(QStringView value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        return QStringLiteral("a line break");
    return value.contains(u'\t') ? QStringLiteral("a tab") : QStringLiteral("a blank");
}

// A record is one line of the file: a line break inside a value would split it, so every
// break (a CR LF pair, or a lone CR or LF) becomes one blank.
inline QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace RecordText
