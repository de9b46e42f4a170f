#pragma once

#include "recordfile/RecordFileIO.h"
#include "species/VariantList.h"
#include "startup/FileCheck.h"

#include <QMetaEnum>
#include <QTest>
#include <initializer_list>

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

// A file, the variant chosen and the findings expected; the row is named after the file.
struct CheckRow
{
    const char* file;
    const char* variant;
    const char* expected;
    const char* name = nullptr;
};

inline void checkRows(std::initializer_list<CheckRow> rows)
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("expected");
    for (const CheckRow& r : rows)
        QTest::newRow(r.name ? r.name : r.file)
            << QString::fromLatin1(r.file) << QString::fromLatin1(r.variant)
            << QString::fromLatin1(r.expected);
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
