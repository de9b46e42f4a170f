#pragma once

#include "recordfile/RecordFileIO.h"
#include "species/VariantList.h"
#include "startup/FileCheck.h"

#include <QMetaEnum>
#include <QRegularExpression>
#include <QTest>

// The files of tests/data/check and what the file check finds in each of them.
inline const QString CheckDataDir = QStringLiteral(SAPWRIGHT_TEST_DATA "/check/");

// "line Kind" for each finding, or "line severity Kind", joined by ", ".
inline QString summary(const QList<CheckFinding>& findings, bool severities = false)
{
    const QMetaEnum kinds = QMetaEnum::fromType<CheckFinding::Kind>();
    QStringList parts;
    for (const CheckFinding& f : findings) {
        parts.append(
            QStringLiteral("%1 %2%3")
                .arg(f.line)
                .arg(severities ? CheckKinds::severityName(f.severity()) + u' ' : QString())
                .arg(kinds.valueToKey(int(f.kind))));
    }
    return parts.join(QStringLiteral(", "));
}

// A row for each line of findings.txt: the file, the variant chosen, the findings expected.
inline void checkRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("expected");
    QStringList rows;
    QVERIFY(RecordFileIO::readLines(CheckDataDir + "findings.txt", &rows).ok);
    for (const QString& row : rows.filter(QRegularExpression("^[^#]")))
        QTest::addRow("%s %s", qPrintable(row.section(u'|', 0, 0)),
                      qPrintable(row.section(u'|', 1, 1)))
            << row.section(u'|', 0, 0) << row.section(u'|', 1, 1) << row.section(u'|', 2);
}

// The test of a row of checkRows().
inline void checkFileOfRow()
{
    QFETCH(QString, file);
    QFETCH(QString, variant);
    QFETCH(QString, expected);
    QStringList lines;
    const RecordFileIO::Result read = RecordFileIO::readLines(CheckDataDir + file, &lines);
    QVERIFY(read.ok);
    const FileKind kind = fileKindOf(file, lines);
    QCOMPARE(summary(FileCheck::check(kind, lines, CheckDataDir + file,
                                      VariantList::positionOf(variant), read.lastLineEnded)),
             expected);
}
