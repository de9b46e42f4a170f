#include "ReadBackAlert.h"

#include "CheckFinding.h"

QString readBackAlertText(const QString& fileTitle, const QList<ReadBackValue>& values)
{
    const bool one = values.size() == 1;
    QString text =
        QStringLiteral("The %1 would not read %2 back as typed:\r\n")
            .arg(fileTitle, one ? QStringLiteral("this value") : QStringLiteral("these values"));
    for (const ReadBackValue& v : values) {
        text += QStringLiteral("\r\n%1 \"%2\": %3").arg(v.field, visibleText(v.value), v.why);
        if (!v.readBack.isNull() && v.readBack != v.value)
            text += QStringLiteral("; read back as \"%1\"").arg(visibleText(v.readBack));
    }
    return text + (one ? QStringLiteral("\r\n\r\nUse it anyway?")
                       : QStringLiteral("\r\n\r\nUse them anyway?"));
}
