#include "location/LocRecord.h"
#include "location/LocationsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(LocRecord)

class TestLocRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void parse_data();
    void parse();
    void readingFile_data();
    void readingFile();
    void writingFile();
};

namespace {

LocRecord aRecord(const QString& name, const QString& access, const QString& slf)
{
    LocRecord record;
    record.kind = LocRecord::Kind::A;
    record.locationName = name;
    record.access = access;
    record.slfFileName = slf;
    return record;
}

LocRecord bRecord(const QString& group, const QString& addfiles)
{
    LocRecord record;
    record.kind = LocRecord::Kind::B;
    record.groupingCode = group;
    record.addfiles = addfiles;
    return record;
}

} // namespace

void TestLocRecord::format_data()
{
    QTest::addColumn<LocRecord>("record");
    QTest::addColumn<QString>("line");

    QTest::newRow("double quotes in the name become apostrophes")
        << aRecord("The \"Big\" one", "@", "b.slf") << "A \"The 'Big' one\" @ b.slf @ @";
    QTest::newRow("blank in the path written unchanged")
        << aRecord("L", "@", "C:\\My Files\\b.slf") << "A \"L\" @ C:\\My Files\\b.slf @ @";
    QTest::newRow("a line break would split the record")
        << aRecord("two\r\nlines", "@", "b.slf") << "A \"two lines\" @ b.slf @ @";
    QTest::newRow("empty access field written as @")
        << aRecord("L", "", "b.slf") << "A \"L\" @ b.slf @ @";
    QTest::newRow("invalid record has no line") << LocRecord() << "";
}

void TestLocRecord::format()
{
    QFETCH(LocRecord, record);
    QFETCH(QString, line);
    QCOMPARE(FormatLocRecord(record), line);
}

void TestLocRecord::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<LocRecord>("record");
    QTest::addColumn<QString>("written"); // the record formatted again

    const QString example = QStringLiteral("A \"Big Creek project\" @ bigcreek.slf @ @");
    QTest::newRow("A example") << example << aRecord("Big Creek project", "@", "bigcreek.slf")
                               << example;
    QTest::newRow("lower-case a") << "a \"Big Creek project\" @ bigcreek.slf @ @"
                                  << aRecord("Big Creek project", "@", "bigcreek.slf") << example;
    QTest::newRow("empty quoted access field")
        << "A \"L\" \"\" b.slf" << aRecord("L", "", "b.slf") << "A \"L\" @ b.slf @ @";
    QTest::newRow("empty location name")
        << "A \"\" @ b.slf @ @" << aRecord("", "@", "b.slf") << "A \"\" @ b.slf @ @";
    QTest::newRow("ends after the access field")
        << "A \"L\" @" << aRecord("L", "@", "") << "A \"L\" @  @ @";
    QTest::newRow("ends after the quoted name")
        << "A \"Big Creek\"" << aRecord("Big Creek", "@", "") << "A \"Big Creek\" @  @ @";
    QTest::newRow("blank in the path") << "A \"L\" @ C:\\My Files\\b.slf @ @"
                                       << aRecord("L", "@", "C:\\My") << "A \"L\" @ C:\\My @ @";
    QTest::newRow("tabs and runs of separators")
        << "A\t \"a\tb\"  \tx\t\tb.slf" << aRecord("a\tb", "x", "b.slf")
        << "A \"a\tb\" x b.slf @ @";
    QTest::newRow("quote that never closes takes the rest of the line")
        << "A \"Big Creek @ b.slf " << aRecord("Big Creek @ b.slf ", "@", "")
        << "A \"Big Creek @ b.slf \" @  @ @";
    QTest::newRow("quote inside a token is a character")
        << "A \"L\" a\"b b.slf" << aRecord("L", "a\"b", "b.slf") << "A \"L\" a\"b b.slf @ @";
    QTest::newRow("quoted token followed at once by another")
        << "A \"L\"@ b.slf" << aRecord("L", "@", "b.slf") << "A \"L\" @ b.slf @ @";
    QTest::newRow("unquoted name")
        << "A L @ b.slf" << aRecord("L", "@", "b.slf") << "A \"L\" @ b.slf @ @";
    QTest::newRow("letter alone") << "A" << aRecord("", "@", "") << "A \"\" @  @ @";

    QTest::newRow("B example") << "B RIPARIAN buffer.kcp thin.kcp"
                               << bRecord("RIPARIAN", "buffer.kcp thin.kcp")
                               << "B RIPARIAN buffer.kcp thin.kcp";
    QTest::newRow("@ dropped, tab between names")
        << "B G1 @ a.kcp\tb.kcp" << bRecord("G1", "a.kcp b.kcp") << "B G1 a.kcp b.kcp";
    QTest::newRow("one-character last token") << "B G1 x" << bRecord("G1", "x") << "B G1 x";
    QTest::newRow("trailing blank") << "B G1 a.kcp " << bRecord("G1", "a.kcp") << "B G1 a.kcp";
    QTest::newRow("only @ after the code") << "B G1 @" << bRecord("G1", "") << "B G1 ";

    QTest::newRow("C line") << "C G1 a.kcp" << LocRecord() << "";
    QTest::newRow("blank first") << " A \"L\" @ b.slf @ @" << LocRecord() << "";
    QTest::newRow("empty line") << "" << LocRecord() << "";
}

void TestLocRecord::parse()
{
    QFETCH(QString, line);
    QFETCH(LocRecord, record);
    QFETCH(QString, written);

    const LocRecord parsed = ParseLocRecord(line);
    QCOMPARE(parsed.kind, record.kind);
    QCOMPARE(locRecordKind(line), record.kind);
    QCOMPARE(parsed.locationName, record.locationName);
    QCOMPARE(parsed.access, record.access);
    QCOMPARE(parsed.slfFileName, record.slfFileName);
    QCOMPARE(parsed.groupingCode, record.groupingCode);
    QCOMPARE(parsed.addfiles, record.addfiles);
    QCOMPARE(FormatLocRecord(parsed), written);
}

void TestLocRecord::readingFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("invalid");

    QTest::newRow("empty lines skipped, lower case valid")
        << QByteArray("\r\nA \"L\" @ b.slf @ @\r\n\r\nb G1 a.kcp\r\n")
        << QStringList{"A \"L\" @ b.slf @ @", "b G1 a.kcp"} << false;
    QTest::newRow("C line kept and flagged")
        << QByteArray("C x\r\nB G1 a.kcp") << QStringList{"C x", "B G1 a.kcp"} << true;
}

void TestLocRecord::readingFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(bool, invalid);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vorlin.loc"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const RecordFileIO::Records content = RecordFileIO::readRecords(path, LocationsFile::format());
    QVERIFY(content.result.ok);
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.invalidLineSeen, invalid);
}

void TestLocRecord::writingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vorlin.loc"));
    const QStringList lines = {"A \"L\" @ b.slf @ @", "C kept", "B G1 a.kcp"};
    QVERIFY(RecordFileIO::writeLines(path, lines).ok);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("A \"L\" @ b.slf @ @\r\nC kept\r\nB G1 a.kcp\r\n"));
}

QTEST_GUILESS_MAIN(TestLocRecord)
#include "tst_locrecord.moc"
