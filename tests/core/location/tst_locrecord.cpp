#include "location/LocRecord.h"
#include "location/LocValueProblem.h"

#include <QTest>

Q_DECLARE_METATYPE(LocRecord)

namespace {

LocRecord aRecord(const QString& name, const QString& access, const QString& slf)
{
    LocRecord record;
    record.kind = LocRecord::Kind::A;
    std::tie(record.locationName, record.access, record.slfFileName) = std::tie(name, access, slf);
    return record;
}

LocRecord bRecord(const QString& group, const QString& addfiles)
{
    LocRecord record;
    record.kind = LocRecord::Kind::B;
    std::tie(record.groupingCode, record.addfiles) = std::tie(group, addfiles);
    return record;
}

// Every field as text, so that a failure shows the field that differs.
QStringList fields(const LocRecord& r)
{
    return {QString::number(int(r.kind)),
            r.locationName,
            r.access,
            r.slfFileName,
            r.groupingCode,
            r.addfiles};
}

} // namespace

class TestLocRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatKeepsTheNameOneQuotedToken()
    {
        // A double quote would end the name early, a line break would split the record.
        QCOMPARE(FormatLocRecord(aRecord("The \"Big\"\r\none", "@", "b.slf")),
                 QStringLiteral("A \"The 'Big' one\" @ b.slf @ @"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<LocRecord>("record");
        QTest::addColumn<QString>("written"); // the record formatted again

        const QString example = QStringLiteral("A \"Big Creek project\" @ bigcreek.slf @ @");
        QTest::newRow("A example")
            << example << aRecord("Big Creek project", "@", "bigcreek.slf") << example;
        QTest::newRow("lower-case a")
            << "a \"Big Creek project\" @ bigcreek.slf @ @"
            << aRecord("Big Creek project", "@", "bigcreek.slf") << example;
        // An empty access field would let the file name slide into its place on reading.
        QTest::newRow("empty quoted access field")
            << "A \"L\" \"\" b.slf" << aRecord("L", "", "b.slf") << "A \"L\" @ b.slf @ @";
        QTest::newRow("empty location name")
            << "A \"\" @ b.slf @ @" << aRecord("", "@", "b.slf") << "A \"\" @ b.slf @ @";
        QTest::newRow("ends after the access field")
            << "A \"L\" @" << aRecord("L", "@", "") << "A \"L\" @  @ @";
        QTest::newRow("ends after the quoted name")
            << "A \"Big Creek\"" << aRecord("Big Creek", "@", "") << "A \"Big Creek\" @  @ @";
        QTest::newRow("tabs and runs of separators, tab inside quotes")
            << "A\t \"a\tb\"  \tx\t\tb.slf" << aRecord("a\tb", "x", "b.slf")
            << "A \"a\tb\" x b.slf @ @";
        QTest::newRow("quote that never closes takes the rest of the line")
            << "A \"Big Creek @ b.slf " << aRecord("Big Creek @ b.slf ", "@", "")
            << "A \"Big Creek @ b.slf \" @  @ @";
        QTest::newRow("token right after a quoted one, quote inside a token")
            << "A \"L\"a\"b b.slf" << aRecord("L", "a\"b", "b.slf") << "A \"L\" a\"b b.slf @ @";

        QTest::newRow("@ dropped, tab between names")
            << "B G1 @ a.kcp\tb.kcp" << bRecord("G1", "a.kcp b.kcp") << "B G1 a.kcp b.kcp";
        QTest::newRow("one-character last token") << "B G1 x" << bRecord("G1", "x") << "B G1 x";
        QTest::newRow("trailing blank") << "B G1 a.kcp " << bRecord("G1", "a.kcp") << "B G1 a.kcp";
        QTest::newRow("lower-case b") << "b G1 a.kcp" << bRecord("G1", "a.kcp") << "B G1 a.kcp";

        QTest::newRow("C line") << "C G1 a.kcp" << LocRecord() << "";
        QTest::newRow("blank first") << " A \"L\" @ b.slf @ @" << LocRecord() << "";
    }

    void parse()
    {
        QFETCH(QString, line);
        QFETCH(LocRecord, record);
        QFETCH(QString, written);

        const LocRecord parsed = ParseLocRecord(line);
        QCOMPARE(fields(parsed), fields(record));
        QCOMPARE(FormatLocRecord(parsed), written);
    }

    void valuesThatWouldNotReadBack_data()
    {
        QTest::addColumn<LocRecord>("record");
        QTest::addColumn<QString>("line"); // when given, checked instead of the record
        QTest::addColumn<QStringList>("problems");
        const QString none;
        const QString extra =
            "addfiles: has blanks at its start or end, or more than one between names";
        // clang-format off
    QTest::newRow("A, blanks in the name, empty access")
        << aRecord(" Big\tCreek ", "", "C:\\b.slf") << none << QStringList();
    QTest::newRow("A, access holds a tab, file name a blank")
        << aRecord("L", "a\tb", "C:\\My Files\\b.slf") << none
        << QStringList{"access: holds a blank or tab", "slf: holds a blank or tab"};
    QTest::newRow("A, file name blanks only") << aRecord("L", "@", "  ") << none
        << QStringList{"slf: is made of blanks only"};
    QTest::newRow("A, no byte, file name in a quote") << aRecord("\u0101", "@", "\"b.slf") << none
        << QStringList{"location: holds a character that the file cannot hold",
                       "slf: begins with a double quote"};
    QTest::newRow("B, quotes inside names") << bRecord("G\"1", "a\"b c.kcp") << none
                                            << QStringList();
    QTest::newRow("B, empty grouping code, two blanks") << bRecord("", "a  b") << none
        << QStringList{"group: is empty", extra};
    QTest::newRow("B, trailing blank") << bRecord("G1", "a ") << none << QStringList{extra};
    QTest::newRow("B, tab") << bRecord("G1", "a\tb") << none << QStringList{"addfiles: holds a tab"};
    QTest::newRow("B, @ among the names") << bRecord("G1", "a @") << none
        << QStringList{"addfiles: has a name \"@\", which stands for no value"};
    QTest::newRow("B, name in a quote") << bRecord("G1", "a \"b") << none
        << QStringList{"addfiles: has a name beginning with a double quote"};
    QTest::newRow("line, quoted addfile with a blank") << LocRecord()
        << "B G1 @ \"My Files\\a.kcp\"" << QStringList{"addfiles: holds a blank or tab"};
    QTest::newRow("line, A with a blank in the file name") << LocRecord()
        << "A \"L\" @ C:\\My Files\\b.slf @ @" << QStringList{"slf: has no field on its line, "
           "so the reader skips it (a name with a blank in it before it is the usual cause)"};
        // clang-format on
    }

    void valuesThatWouldNotReadBack()
    {
        QFETCH(LocRecord, record);
        QFETCH(QString, line);
        QFETCH(QStringList, problems);
        const char* names[] = {"location", "access", "slf", "group", "addfiles"};
        QStringList found;
        for (const LocValueProblem& p : line.isEmpty() ? ::valuesThatWouldNotReadBack(record)
                                                       : ::valuesThatWouldNotReadBack(line))
            found << QString::fromLatin1(names[int(p.field)]) + ": " + p.reasonText();
        QCOMPARE(found, problems);
        // Values without a problem read back as they are ("@" stands for an empty access field).
        if (problems.isEmpty()) {
            if (record.access.isEmpty())
                record.access = "@";
            QCOMPARE(fields(ParseLocRecord(FormatLocRecord(record))), fields(record));
        }
    }
};

QTEST_GUILESS_MAIN(TestLocRecord)
#include "tst_locrecord.moc"
