#include "TestFiles.h"
#include "recordfile/Cp1252.h"
#include "recordfile/RecordFileIO.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestRecordFileIO : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void failures_data();
    void failures();
    void failedSaveKeepsOldFile();

private:
    QTemporaryDir m_dir;
};

void TestRecordFileIO::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("skipEmpty");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("written");

    // Empty lines are records; a lone CR stays in its line; the last line needs no end.
    QTest::newRow("line ends") << QByteArray("a\r\nb\n\r\n\nc\rd\re\r") << false
                               << QStringList{"a", "b", "", "", "c\rd\re\r"}
                               << QByteArray("a\r\nb\r\n\r\n\r\nc\rd\re\r\r\n");
    QTest::newRow("empty lines skipped")
        << QByteArray("a\r\n\r\n\nb") << true << QStringList{"a", "b"} << QByteArray("a\r\nb\r\n");
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b) {
        if (b != '\n' && b != '\r')
            everyByte.append(char(b));
    }
    QTest::newRow("every byte but the line ends")
        << everyByte + "\r\n" + everyByte << false
        << QStringList{Cp1252::decode(everyByte), Cp1252::decode(everyByte)}
        << everyByte + "\r\n" + everyByte + "\r\n";
    QTest::newRow("empty file") << QByteArray() << false << QStringList{} << QByteArray();
    QTest::newRow("single line end")
        << QByteArray("\r\n") << false << QStringList{""} << QByteArray("\r\n");
}

void TestRecordFileIO::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, skipEmpty);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, written);

    const QString path = m_dir.filePath(QStringLiteral("read.tre"));
    writeFile(path, bytes);
    QStringList read;
    RecordFileIO::ReadOptions options;
    options.skipEmptyLines = skipEmpty;
    QVERIFY(RecordFileIO::readLines(path, &read, options).ok);
    QCOMPARE(read, lines);

    const QString out = m_dir.filePath(QStringLiteral("written.tre"));
    QVERIFY(RecordFileIO::writeLines(out, read).ok);
    QCOMPARE(readFile(out), written);
}

void TestRecordFileIO::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("no/such/file.tre"));
    QTest::newRow("a folder's name") << m_dir.path();
    QTest::newRow("below a file") << m_dir.filePath(QStringLiteral("plain.tre/child"));
}

void TestRecordFileIO::failures()
{
    QFETCH(QString, path);
    writeFile(m_dir.filePath(QStringLiteral("plain.tre")), "x\r\n");
    QStringList lines{QStringLiteral("kept?")};
    const RecordFileIO::Result read = RecordFileIO::readLines(path, &lines);
    QVERIFY(!read.ok);
    QVERIFY(!read.reason.isEmpty());
    QVERIFY(lines.isEmpty());

    const RecordFileIO::Result written = RecordFileIO::writeLines(path, {QStringLiteral("a")});
    QVERIFY(!written.ok);
    QVERIFY(!written.reason.isEmpty());
    QCOMPARE(readFile(m_dir.filePath(QStringLiteral("plain.tre"))), QByteArray("x\r\n"));
}

void TestRecordFileIO::failedSaveKeepsOldFile()
{
    // A file-size limit makes the disk "full" part way through the save, even for root.
    const QString path = m_dir.filePath(QStringLiteral("old.tre"));
    writeFile(path, "old record\r\n");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const RecordFileIO::Result result =
        RecordFileIO::writeLines(path, QStringList(10000, QStringLiteral("new record")));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!result.ok);
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(readFile(path), QByteArray("old record\r\n"));
}

QTEST_APPLESS_MAIN(TestRecordFileIO)
#include "tst_recordfileio.moc"
