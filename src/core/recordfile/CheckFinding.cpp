#include "CheckFinding.h"

QString CheckFinding::describe() const
{
    if (field.isEmpty())
        return what;
    return field + QStringLiteral(" \"") + text + QStringLiteral("\": ") + what;
}

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

QString visibleText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (isControlCharacter(c))
            shown +=
                QStringLiteral("<%1>").arg(int(c.unicode()), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

QString checkQuestionText(const QList<CheckFinding>& findings, int shown)
{
    QString text = QStringLiteral("The file will not be read as it is shown here:\r\n");
    const qsizetype listed = qMin<qsizetype>(findings.size(), shown);
    for (qsizetype i = 0; i < listed; ++i)
        text += QStringLiteral("\r\nLine %1: %2").arg(findings[i].line).arg(findings[i].describe());
    if (findings.size() > listed)
        text += QStringLiteral("\r\n... and %1 more.").arg(findings.size() - listed);
    text += QStringLiteral("\r\n\r\nOK saves the file anyway; Cancel does not save it.");
    return text;
}
