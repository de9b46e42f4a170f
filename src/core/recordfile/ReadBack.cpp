#include "ReadBack.h"

#include "base/Cp1252.h"
#include "base/RecordText.h"

#include <QRegularExpression>
#include <algorithm>

namespace ReadBack {

namespace {

// Line breaks become blanks when the line is written.
bool separates(QChar c)
{
    return RecordText::isSeparator(c) || c == u'\r' || c == u'\n';
}

bool onlySeparators(QStringView text)
{
    return std::all_of(text.begin(), text.end(), separates);
}

} // namespace

void Finder::token(int field, const QString& value, bool required)
{
    if (!Cp1252::canEncode(value))
        add(field, value, Why::NoByte);
    else if (value.isEmpty())
        required ? add(field, value, Why::Empty) : void();
    else if (onlySeparators(value))
        add(field, value, Why::BlanksOnly);
    else if (std::any_of(value.begin(), value.end(), separates))
        add(field, value, Why::Separator);
    else if (value.front() == u'"')
        add(field, value, Why::LeadingQuote);
}

void Finder::text(int field, const QString& value)
{
    if (!Cp1252::canEncode(value))
        add(field, value, Why::NoByte);
}

void Finder::list(int field, const QString& value, bool exact)
{
    if (!Cp1252::canEncode(value))
        return add(field, value, Why::NoByte);
    if (value.isEmpty())
        return exact ? add(field, value, Why::Empty) : void();
    if (onlySeparators(value))
        return add(field, value, Why::BlanksOnly);
    if (exact && (value.contains(u'\t') || value.contains(u'\r') || value.contains(u'\n')))
        return add(field, value, Why::Separator);
    static const QRegularExpression separators(QStringLiteral("[ \t\r\n]+"));
    const QStringList names =
        exact ? value.split(u' ') : value.split(separators, Qt::SkipEmptyParts);
    if (exact && names.contains(QString()))
        return add(field, value, Why::ExtraBlanks);
    for (const QString& name : names) {
        if (exact && name == RecordText::placeholder())
            add(field, name, Why::Placeholder);
        else
            token(field, name);
    }
}

void Finder::unquoted(int field, const QString& value)
{
    if (std::any_of(value.begin(), value.end(), separates))
        add(field, value, Why::Separator);
}

void Finder::dropped(int field, const QString& value)
{
    add(field, value, Why::Dropped);
}

QString reason(const Problem& problem)
{
    switch (problem.why) {
    case Why::NoByte:
        return QStringLiteral("holds a character that the file cannot hold");
    case Why::Empty:
        return QStringLiteral("is empty");
    case Why::BlanksOnly:
        return QStringLiteral("holds nothing but blanks, which the file reads as no field");
    case Why::Separator:
        return QStringLiteral("holds %1, which the file takes as a field separator")
            .arg(RecordText::separatorName(problem.value));
    case Why::ExtraBlanks:
        return QStringLiteral("has blanks at its start or end, or more than one between names");
    case Why::LeadingQuote:
        return QStringLiteral("begins with a double quote, which a reader takes as the start "
                              "of a quoted text");
    case Why::Placeholder:
        return QStringLiteral("stands for no value, so the reader drops it");
    case Why::Dropped:
        break;
    }
    return QStringLiteral("has no field on its line, so the reader skips it (a value with a "
                          "blank in it before it is the usual cause)");
}

CheckFinding finding(int lineNumber, const QString& field, const Problem& problem,
                     const QString& note)
{
    const QString value = visibleText(problem.value);
    QString text = reason(problem) + note;
    if (problem.why == Why::Dropped)
        return {lineNumber, CheckFinding::Kind::ReadBack, QString(), value,
                QStringLiteral("\"%1\" %2").arg(value, text)};
    return {lineNumber, CheckFinding::Kind::ReadBack, field, value, text};
}

QString alertText(const QString& fileTitle, const QList<AlertValue>& values)
{
    const bool one = values.size() == 1;
    QString text =
        QStringLiteral("The %1 would not read %2 back as typed:\r\n")
            .arg(fileTitle, one ? QStringLiteral("this value") : QStringLiteral("these values"));
    for (const AlertValue& v : values) {
        text += QStringLiteral("\r\n%1 \"%2\": %3").arg(v.field, visibleText(v.value), v.why);
        if (!v.readBack.isNull() && v.readBack != v.value)
            text += QStringLiteral("; read back as \"%1\"").arg(visibleText(v.readBack));
    }
    return text + (one ? QStringLiteral("\r\n\r\nUse it anyway?")
                       : QStringLiteral("\r\n\r\nUse them anyway?"));
}

} // namespace ReadBack
