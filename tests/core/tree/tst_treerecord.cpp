#include "tree/TreeRecord.h"

#include <QTest>

namespace {

TreeFieldTexts fields(std::initializer_list<std::pair<int, QString>> values)
{
    TreeFieldTexts f;
    for (const auto& [number, text] : values)
        f[number] = text;
    return f;
}

// Every field at its full width.
TreeFieldTexts allFields(const QString& species)
{
    const QStringList texts = {"1234", "567", "123456", "7", species, "12.3", "123",
                               "456",  "789", "1234",   "9", "11",    "22",   "33",
                               "44",   "55",  "66",     "3", "8"};
    TreeFieldTexts f;
    for (int i = 1; i <= TreeFieldCount; ++i)
        f[i] = texts[i - 1];
    return f;
}

} // namespace

class TestTreeRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void format_data();
    void format();
    void formatDbh_data();
    void formatDbh();
    void parse_data();
    void parse();
    void roundTripOfBuiltRecords();
    void replaceKeepsWhatStandsPastColumn49();
    void fieldWidthsFillTheRecord();
};

void TestTreeRecord::format_data()
{
    QTest::addColumn<TreeFieldTexts>("input");
    QTest::addColumn<QString>("record");

    QTest::newRow("worked example")
        << fields({{1, "1"},
                   {2, "12"},
                   {3, "1"},
                   {4, "1"},
                   {5, "df"},
                   {6, "10.5"},
                   {7, "3"},
                   {8, "85"},
                   {11, "5"},
                   {18, "1"}})
        << QStringLiteral("   1 12     11DF 10.5  3 85       5            1 ");
    QTest::newRow("species and dbh only")
        << fields({{5, "WF"}, {6, "5"}})
        << QString(14, u' ') + QStringLiteral("WF  5.0") + QString(28, u' ');
    QTest::newRow("three-digit species code")
        << fields({{5, "122"}, {6, "8"}})
        << QString(14, u' ') + QStringLiteral("122 8.0") + QString(28, u' ');
    QTest::newRow("tree number 1000 keeps leftmost")
        << fields({{2, "1000"}, {5, "DF"}, {6, "1"}})
        << QStringLiteral("    100") + QString(7, u' ') + QStringLiteral("DF  1.0") +
               QString(28, u' ');
    QTest::newRow("plot number of five digits")
        << fields({{1, "10000"}, {5, "DF"}, {6, "1"}})
        << QStringLiteral("1000") + QString(10, u' ') + QStringLiteral("DF  1.0") +
               QString(28, u' ');
    QTest::newRow("dbh 100 cut to 100.")
        << fields({{5, "DF"}, {6, "100"}})
        << QString(14, u' ') + QStringLiteral("DF 100.") + QString(28, u' ');
    QTest::newRow("all nineteen fields full")
        << allFields(QStringLiteral("abc"))
        << QStringLiteral("12345671234567ABC12.31234567891234911223344556638");
    QTest::newRow("sharp s is not widened by upper case")
        << fields({{5, QStringLiteral("\u00df\u00e9")}, {6, "1"}})
        << QString(14, u' ') + QStringLiteral("\u00df\u00c9  1.0") + QString(28, u' ');
}

void TestTreeRecord::format()
{
    QFETCH(TreeFieldTexts, input);
    QFETCH(QString, record);
    const QString built = FormatTreeRecord(input);
    QCOMPARE(built, record);
    QCOMPARE(built.size(), TreeRecordLength);
}

void TestTreeRecord::formatDbh_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formatted");
    const QList<std::pair<const char*, const char*>> cases = {
        {"12", "12.0"},
        {"8.5", "8.5"},
        {"0.5", ".5"},
        {"0", ".0"},
        {"9.96", "10.0"},
        {"100", "100.0"},
        {"1234", "1234.0"},
        {".", ".0"},
        {".5", ".5"},
        {"0.05", ".1"},
        {"2.25", "2.3"},
        {"2.35", "2.4"},
        {"0.04", ".0"},
        {"007.25", "7.3"},
        {"-1.25", "-1.3"},
        {"-0.04", ".0"},
        {" 5", "5.0"},
        {"99.95", "100.0"},
        {"5.", "5.0"},
        {"abc", "abc"},
        {"999999999999999999999.99", "1000000000000000000000.0"},
    };
    for (const auto& [text, formatted] : cases)
        QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(formatted);
}

void TestTreeRecord::formatDbh()
{
    QFETCH(QString, text);
    QFETCH(QString, formatted);
    QCOMPARE(::formatDbh(text), formatted);
}

void TestTreeRecord::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<TreeFieldTexts>("expected");

    QTest::newRow("worked example")
        << QStringLiteral("   1 12     11DF 10.5  3 85       5            1 ")
        << fields({{1, "1"},
                   {2, "12"},
                   {3, "1"},
                   {4, "1"},
                   {5, "DF"},
                   {6, "10.5"},
                   {7, "3"},
                   {8, "85"},
                   {11, "5"},
                   {18, "1"}});
    QTest::newRow("short line leaves the rest empty")
        << QStringLiteral("   1  7") << fields({{1, "1"}, {2, "7"}});
    QTest::newRow("line ending inside a field")
        << QStringLiteral("   1  7     1") << fields({{1, "1"}, {2, "7"}, {3, "1"}});
    QTest::newRow("species keeps inner and leading blanks, loses trailing")
        << QString(14, u' ') + QStringLiteral(" A ") << fields({{5, " A"}});
    QTest::newRow("blanks inside a value stay") << QStringLiteral(" 1 2") << fields({{1, "1 2"}});
    QTest::newRow("longer line: beyond column 49 ignored")
        << QStringLiteral("12345671234567ABC12.31234567891234911223344556638EXTRA")
        << allFields(QStringLiteral("ABC"));
}

void TestTreeRecord::parse()
{
    QFETCH(QString, line);
    QFETCH(TreeFieldTexts, expected);
    const TreeFieldTexts parsed = ParseTreeRecord(line);
    for (int i = 1; i <= TreeFieldCount; ++i)
        QCOMPARE(parsed[i], expected[i]);
}

void TestTreeRecord::roundTripOfBuiltRecords()
{
    // Built again from what it parses to, a built record gives the same line.
    const TreeFieldTexts input = fields(
        {{1, "41"}, {2, "3"}, {3, "2.5"}, {4, "1"}, {5, "wf"}, {6, "12"}, {10, "15"}, {12, "3"}});
    const QString line = FormatTreeRecord(input);
    QCOMPARE(FormatTreeRecord(ParseTreeRecord(line)), line);
    QCOMPARE(ParseTreeRecord(line)[5], QStringLiteral("WF"));
    QCOMPARE(ParseTreeRecord(line)[6], QStringLiteral("12.0"));
}

void TestTreeRecord::replaceKeepsWhatStandsPastColumn49()
{
    const TreeFieldTexts input = allFields(QStringLiteral("WF"));
    const QString built = FormatTreeRecord(input);
    // Plot data of another tool, with a byte that has no character of its own.
    const QString tail = QStringLiteral(" 25 180 HT3  \u0081");
    const QString old = FormatTreeRecord(fields({{5, "DF"}, {6, "5"}}));
    QCOMPARE(ReplaceTreeRecord(old + tail, input), built + tail);
    QCOMPARE(ReplaceTreeRecord(old, input), built);
    QCOMPARE(ReplaceTreeRecord(QStringLiteral("   1"), input), built);
}

void TestTreeRecord::fieldWidthsFillTheRecord()
{
    int column = 1;
    for (int i = 1; i <= TreeFieldCount; ++i) {
        QCOMPARE(treeField(i).column, column);
        column += treeField(i).width;
    }
    QCOMPARE(column - 1, TreeRecordLength);
}

QTEST_APPLESS_MAIN(TestTreeRecord)
#include "tst_treerecord.moc"
