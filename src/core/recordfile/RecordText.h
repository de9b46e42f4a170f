#pragma once

#include <QString>

// Text rules the blank-separated record files share.
namespace RecordText {

// Blanks and tabs separate the tokens of a record line.
inline bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
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
