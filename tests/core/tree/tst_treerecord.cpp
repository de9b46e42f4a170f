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

// Fields 1 to 19 in order.
TreeFieldTexts inOrder(const QStringList& texts)
{
    TreeFieldTexts f;
    for (int i = 1; i <= TreeFieldCount; ++i)
        f[i] = texts.value(i - 1);
    return f;
}

// Every field at its full width.
TreeFieldTexts allFields(const QString& species)
{
    return inOrder({"1234", "567", "123456", "7", species, "12.3", "123", "456", "789", "1234", "9",
                    "11", "22", "33", "44", "55", "66", "3", "8"});
}

const QString Worked = "   1 12     11DF 10.5  3 85       5            1 ";
const TreeFieldTexts WorkedFields = inOrder(
    {"1", "12", "1", "1", "DF", "10.5", "3", "85", "", "", "5", "", "", "", "", "", "", "1"});

// Species and Dbh in their columns, blanks around them.
QString speciesAndDbh(const QString& columns15to21)
{
    return QString(14, u' ') + columns15to21 + QString(28, u' ');
}

} // namespace

class TestTreeRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<TreeFieldTexts>("input");
        QTest::addColumn<QString>("record");
        TreeFieldTexts lowerCase = WorkedFields;
        lowerCase[5] = "df";
        // clang-format off
        QTest::newRow("worked example") << lowerCase << Worked;
        QTest::newRow("species and dbh only") << fields({{5, "WF"}, {6, "5"}}) << speciesAndDbh("WF  5.0");
        QTest::newRow("three-digit species code") << fields({{5, "122"}, {6, "8"}}) << speciesAndDbh("122 8.0");
        QTest::newRow("tree number 1000 keeps leftmost") << fields({{2, "1000"}, {5, "DF"}, {6, "1"}})
            << "    100" + speciesAndDbh("DF  1.0").mid(7);
        QTest::newRow("plot number of five digits") << fields({{1, "10000"}, {5, "DF"}, {6, "1"}})
            << "1000" + speciesAndDbh("DF  1.0").mid(4);
        QTest::newRow("dbh 100 cut to 100.") << fields({{5, "DF"}, {6, "100"}}) << speciesAndDbh("DF 100.");
        QTest::newRow("all nineteen fields full") << allFields("abc")
            << "12345671234567ABC12.31234567891234911223344556638";
        QTest::newRow("sharp s is not widened by upper case")
            << fields({{5, "\u00df\u00e9"}, {6, "1"}}) << speciesAndDbh("\u00df\u00c9  1.0");
        // clang-format on
    }
    void format()
    {
        QFETCH(TreeFieldTexts, input);
        QFETCH(QString, record);
        QCOMPARE(FormatTreeRecord(input), record);
    }

    void formatDbh_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");
        // Halves away from zero; a lone point is 0; what is no number stays as it is.
        for (const QString& row :
             QStringLiteral("12=12.0|0.5=.5|9.96=10.0|1234=1234.0|.=.0|0.05=.1|"
                            "2.25=2.3|2.35=2.4|0.04=.0|-1.25=-1.3|-0.04=.0|"
                            " 5=5.0|99.95=100.0|abc=abc|"
                            "999999999999999999999.99=1000000000000000000000.0")
                 .split(u'|'))
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }
    void formatDbh()
    {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        QCOMPARE(::formatDbh(text), formatted);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<TreeFieldTexts>("expected");
        // clang-format off
        QTest::newRow("worked example") << Worked << WorkedFields;
        QTest::newRow("short line leaves the rest empty") << "   1  7" << fields({{1, "1"}, {2, "7"}});
        QTest::newRow("line ending inside a field") << "   1  7     1" << fields({{1, "1"}, {2, "7"}, {3, "1"}});
        QTest::newRow("species keeps inner and leading blanks") << QString(14, u' ') + " A " << fields({{5, " A"}});
        QTest::newRow("blanks inside a value stay") << " 1 2" << fields({{1, "1 2"}});
        QTest::newRow("beyond column 49 ignored")
            << "12345671234567ABC12.31234567891234911223344556638EXTRA" << allFields("ABC");
        // clang-format on
    }
    void parse()
    {
        QFETCH(QString, line);
        QFETCH(TreeFieldTexts, expected);
        const TreeFieldTexts parsed = ParseTreeRecord(line);
        for (int i = 1; i <= TreeFieldCount; ++i)
            QCOMPARE(parsed[i], expected[i]);
    }

    void replaceKeepsWhatStandsPastColumn49()
    {
        const TreeFieldTexts input = allFields("WF");
        const QString built = FormatTreeRecord(input);
        // Plot data of another tool, with a byte that has no character of its own.
        const QString tail = " 25 180 HT3  \u0081";
        const QString old = FormatTreeRecord(fields({{5, "DF"}, {6, "5"}}));
        QCOMPARE(ReplaceTreeRecord(old + tail, input), built + tail);
        QCOMPARE(ReplaceTreeRecord(old, input), built);
        QCOMPARE(ReplaceTreeRecord("   1", input), built);
    }
};

QTEST_APPLESS_MAIN(TestTreeRecord)
#include "tst_treerecord.moc"
