#pragma once

#include <QList>
#include <QString>

// A typed value that a blank-separated record file would not give back as it stands.
struct ReadBackValue
{
    QString field;
    QString value;
    QString why;      // "holds a blank, ..."
    QString readBack; // what the file would give back instead; null when that is not known
};

// The "Alert" before such values are written: every one of them with its field and why, then
// the question. Control characters show as their byte, so a line break is seen, not obeyed.
QString readBackAlertText(const QString& fileTitle, const QList<ReadBackValue>& values);
