#include "LogicTest.h"
#include "TestFiles.h"
#include "location/LocReadBack.h"
#include "location/LocationWindowLogic.h"

using Answer = UserInterface::Answer;
using Field = LocRecord::Field;

namespace {

// A record as "kind|location|access|Stand List File|grouping code|addfiles", kind A, B or -.
LocRecord record(const QString& text)
{
    const QStringList t = text.split(u'|');
    LocRecord r;
    r.kind = t[0] == u'A' ? LocRecord::Kind::A : t[0] == u'B' ? LocRecord::Kind::B : r.kind;
    for (int i = 0; i < 5; ++i)
        r.field(Field(i)) = t.value(i + 1);
    return r;
}
QString text(const LocRecord& r)
{
    QStringList t{r.kind == LocRecord::Kind::A ? "A" : r.kind == LocRecord::Kind::B ? "B" : "-"};
    for (int i = 0; i < 5; ++i)
        t << r.field(Field(i));
    return t.join(u'|');
}

} // namespace

// The location data window's logic with a scripted user, the Locations File and its check.
class TestLocation : public QObject, LogicTest<LocationWindowLogic>
{
    Q_OBJECT

    // Opens on a Locations File of that content; on none when it is empty.
    void locationOn(const QByteArray& content)
    {
        const QString name = m_dir.filePath("loc.loc");
        QFile::remove(name);
        if (!content.isEmpty())
            writeFile(name, content);
        m_shared.LocationsFileName = name;
        m_logic->openFromSharedState();
    }
    // The fields are "location|access|Stand List File|grouping code|addfiles".
    QString locationWhere() const { return where() + (m_logic->isTypeB() ? " B" : " A"); }

private Q_SLOTS:
    void init()
    {
        renew();
        QFile::remove("vorlin.loc");
        m_shared.StandListFileName = "s.slf";
    }

    void locationParse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("written"); // the record formatted again
        const QString example = "A \"Big Creek project\" @ bigcreek.slf @ @";
        // clang-format off
        QTest::newRow("A example") << example << "A|Big Creek project|@|bigcreek.slf||" << example;
        // An empty access field would let the file name slide into its place on reading.
        QTest::newRow("empty quoted access field") << "A \"L\" \"\" b.slf" << "A|L||b.slf||" << "A \"L\" @ b.slf @ @";
        QTest::newRow("ends after the quoted name") << "A \"Big Creek\"" << "A|Big Creek|@|||" << "A \"Big Creek\" @  @ @";
        QTest::newRow("tabs and runs of separators, tab inside quotes") << "A\t \"a\tb\"  \tx\t\tb.slf" << "A|a\tb|x|b.slf||" << "A \"a\tb\" x b.slf @ @";
        QTest::newRow("quote that never closes takes the rest of the line") << "A \"Big Creek @ b.slf " << "A|Big Creek @ b.slf |@|||" << "A \"Big Creek @ b.slf \" @  @ @";
        QTest::newRow("token right after a quoted one, quote inside a token") << "A \"L\"a\"b b.slf" << "A|L|a\"b|b.slf||" << "A \"L\" a\"b b.slf @ @";
        QTest::newRow("@ dropped, tab between names") << "B G1 @ a.kcp\tb.kcp" << "B||@||G1|a.kcp b.kcp" << "B G1 a.kcp b.kcp";
        QTest::newRow("lower-case b") << "b G1 a.kcp" << "B||@||G1|a.kcp" << "B G1 a.kcp";
        QTest::newRow("C line") << "C G1 a.kcp" << "-||@|||" << "";
        // clang-format on
    }
    void locationParse()
    {
        QFETCH(QString, line);
        QFETCH(QString, record);
        QFETCH(QString, written);
        const LocRecord parsed = ParseLocRecord(line);
        QCOMPARE(text(parsed), record);
        QCOMPARE(FormatLocRecord(parsed), written);
    }

    void valuesThatWouldNotReadBack_data()
    {
        QTest::addColumn<QString>("record"); // or, without a | in it, a line of the file
        QTest::addColumn<QStringList>("problems");
        // clang-format off
        QTest::newRow("A, blanks in the name, empty access") << "A| Big\tCreek ||C:\\b.slf||" << QStringList();
        QTest::newRow("A, access holds a tab, file name a blank") << "A|L|a\tb|C:\\My Files\\b.slf||"
            << QStringList{"access Separator", "slf Separator"};
        QTest::newRow("A, no byte, file name in a quote") << "A|\u0101|@|\"b.slf||" << QStringList{"location NoByte", "slf LeadingQuote"};
        QTest::newRow("B, empty grouping code, two blanks") << "B||@|||a  b" << QStringList{"group Empty", "addfiles ExtraBlanks"};
        QTest::newRow("B, pasted line break") << "B||@||G1|a\r\nb" << QStringList{"addfiles Separator"};
        QTest::newRow("B, @ among the names") << "B||@||G1|a @" << QStringList{"addfiles Placeholder"};
        QTest::newRow("B, name in a quote") << "B||@||G1|a \"b" << QStringList{"addfiles LeadingQuote"};
        QTest::newRow("line, quoted addfile with a blank") << "B G1 @ \"My Files\\a.kcp\"" << QStringList{"addfiles Separator"};
        QTest::newRow("line, A with a blank in the file name") << "A \"L\" @ C:\\My Files\\b.slf @ @" << QStringList{"slf Dropped"};
        // clang-format on
    }
    void valuesThatWouldNotReadBack()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, problems);
        const bool isLine = !record.contains(u'|');
        LocRecord typed = ::record(record);
        const char* names[] = {"location", "access", "slf", "group", "addfiles"};
        const char* whys[] = {"NoByte",      "Empty",        "BlanksOnly",  "Separator",
                              "ExtraBlanks", "LeadingQuote", "Placeholder", "Dropped"};
        QStringList found;
        for (const ReadBack::Problem& p :
             isLine ? ::valuesThatWouldNotReadBack(record) : ::valuesThatWouldNotReadBack(typed))
            found << QString::fromLatin1(names[p.field]) + u' ' + whys[int(p.why)];
        QCOMPARE(found, problems);
        // Values without a problem read back as they are ("@" stands for an empty access field).
        if (problems.isEmpty() && !isLine) {
            if (typed.access.isEmpty())
                typed.access = "@";
            QCOMPARE(text(ParseLocRecord(FormatLocRecord(typed))), text(typed));
        }
    }

    void locationOpening_data()
    {
        QTest::addColumn<QString>("handed");
        QTest::addColumn<QString>("onDisk");
        // clang-format off
        QTest::newRow("no file") << "" << "";
        QTest::newRow("vorlin.loc") << "" << "vorlin.loc";
        QTest::newRow("another name") << "other.loc" << "other.loc";
        // clang-format on
    }
    void locationOpening()
    {
        QFETCH(QString, handed);
        QFETCH(QString, onDisk);
        if (!onDisk.isEmpty())
            writeFile(onDisk, "A \"L\" @ b.slf @ @\r\n");
        m_logic->chooseType(true);
        m_shared.LocationsFileName = handed;
        m_logic->openFromSharedState();
        const QString name = handed.isEmpty() ? "vorlin.loc" : handed;
        QCOMPARE(m_logic->fileNameBox() + u' ' + m_shared.LocationsFileName, name + u' ' + name);
        // The handed-over Stand List File only when nothing was loaded.
        QCOMPARE(m_logic->display().size(), onDisk.isEmpty() ? 0 : 2);
        QCOMPARE(shownFields(), onDisk.isEmpty() ? "|@|s.slf||" : "|@|||");
        QCOMPARE(locationWhere(), onDisk.isEmpty() ? "0 add A" : "1 add A");
        QVERIFY(m_ui->messages.isEmpty());
    }

    void checksAndRecords()
    {
        locationOn({});
        // Only an empty text is missing: blanks pass.
        const std::pair<bool, const char*> steps[] = {
            {false, "L|@||G|a"},    {false, "|@|b.slf|G|a"}, {false, " Big \"C\" |@|b.slf||"},
            {true, "L|@|b.slf||a"}, {true, "|@||G1|"},       {true, "|@||G1|a b"}};
        for (const auto& [typeB, texts] : steps) {
            fill(QString::fromUtf8(texts));
            m_logic->chooseType(typeB);
            m_logic->processEntry();
        }
        QCOMPARE(m_ui->titles(), QStringList(4, "Missing Data"));
        QCOMPARE(m_ui->focused,
                 QStringList({"txtSlfFile", "txtLocation", "txtAddfileGroup", "txtAddfile"}));
        // The box shows the apostrophes written; a B record ignores the A fields.
        QCOMPARE(m_logic->display().lines(),
                 QStringList({"A \" Big 'C' \" @ b.slf @ @", "B G1 a b", ""}));
        QCOMPARE(shownFields(), "|@||G1|a b");
        m_logic->chooseType(false);
        QVERIFY(m_logic->isFieldEnabled(Field::SlfFileName));
        QVERIFY(!m_logic->isFieldEnabled(Field::Addfiles));
    }

    void selectingAndUpdating()
    {
        locationOn(
            "A \"L\" x b.slf @ @\r\nb G1 \"a.kcp\"\tc.kcp\r\nC x\r\nA \"M\" @ m.slf @ @\r\n");
        QCOMPARE(m_ui->titles(), QStringList{"Error"});
        // A loaded access field goes through an update; the next line comes up.
        m_logic->select(0);
        QCOMPARE(shownFields(), "L|x|b.slf||");
        m_logic->setField(Field::LocationName, "L2");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(0), "A \"L2\" x b.slf @ @");
        QCOMPARE(locationWhere() + u' ' + shownFields(), "1 edit B |@||G1|a.kcp c.kcp");
        // b and B are the same letter: no question.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), "B G1 a.kcp c.kcp");
        QCOMPARE(m_ui->titles(), QStringList(2, "Error"));

        // A line of another letter: empty fields, the kind kept, Update and Delete still work.
        QCOMPARE(m_ui->messages.last().text, "Invalid Locations File format.\r\n");
        QCOMPARE(m_ui->messages.last().icon, UserInterface::Icon::Critical);
        QCOMPARE(locationWhere() + u' ' + shownFields(), "2 edit B |@|||");
        m_logic->select(4);
        QCOMPARE(locationWhere() + u' ' + shownFields(), "4 add B |@|||");
        m_logic->select(2);
        m_logic->deleteCurrent();
        QCOMPARE(locationWhere(), "1 edit B");

        // A record of the other kind asks before it replaces a line.
        m_logic->select(2);
        m_logic->chooseType(true);
        fill("|@||G2|d.kcp");
        m_ui->answers = {Answer::Cancel};
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "A \"M\" @ m.slf @ @");
        QCOMPARE(m_ui->messages.last().title + u' ' + m_ui->messages.last().text,
                 "Different Record Type Replace highlighted line?");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "B G2 d.kcp");
        QCOMPARE(locationWhere(), "3 add B");

        // V goes to the slot: the access field returns to "@".
        m_logic->select(0);
        m_logic->moveToEnd();
        QCOMPARE(shownFields(), "L2|@|b.slf||");
    }

    void readBackWarning()
    {
        // Typed, and loaded from quoted tokens that would be written back bare.
        const std::pair<QByteArray, const char*> cases[] = {
            {{}, "txtSlfFile"},
            {"A \"L\" \"a b\" b.slf @ @", ""},
            {"B G1 \"My Files\\a.kcp\"", "txtAddfile"}};
        for (const auto& [file, focus] : cases) {
            m_ui->messages.clear();
            m_ui->focused.clear();
            m_ui->fileExistsAnswers = {true};
            locationOn(file);
            file.isEmpty() ? fill("a\"b|@|C:\\My Files\\b.slf||") : m_logic->select(0);
            const QString before = shownFields();
            m_ui->answers = {Answer::Cancel};
            QVERIFY(!m_logic->processEntry());
            QCOMPARE(m_ui->titles(), QStringList{"Alert"});
            QCOMPARE(m_ui->focused.join(""), focus);
            QCOMPARE(shownFields(), before);
            QVERIFY(!m_logic->HasUnsavedChanges());
            // OK writes the value as it stands.
            QVERIFY(m_logic->processEntry());
            QVERIFY(m_logic->HasUnsavedChanges());
        }
        QCOMPARE(m_logic->display().line(0), "B G1 My Files\\a.kcp");
        m_ui->messages.clear();
        locationOn({});
        // Every value in one question; a line break shown, not obeyed.
        fill("L|a\tb|C:\\My\r\nFiles\\b.slf||");
        m_ui->answers = {Answer::Cancel};
        m_logic->processEntry();
        QCOMPARE(m_ui->messages[0].text,
                 "The Locations File would not read these values back as typed:\r\n\r\n"
                 "Access field \"a<09>b\": holds a tab, which the file takes as a field "
                 "separator; read back as \"a\"\r\nStand List File name "
                 "\"C:\\My<0D><0A>Files\\b.slf\": holds a line break, which the file takes as a "
                 "field separator; read back as \"b\"\r\n\r\nUse them anyway?");
    }

    void browsing()
    {
        locationOn({});
        // Cancel, a path; the addfile Browse only for B records.
        m_ui->fileDialogAnswers = {std::nullopt, "C:/b.slf", "a.kcp", "b.kcp"};
        for (int i = 0; i < 2; ++i)
            m_logic->browseSlf();
        m_logic->browseAddfile();
        m_logic->chooseType(true);
        m_logic->browseAddfile();
        m_logic->browseAddfile();
        QCOMPARE(shownFields(), "|@|C:/b.slf||a.kcp b.kcp");
        QCOMPARE(m_ui->focused,
                 QStringList({"txtSlfFile", "txtSlfFile", "txtAddfile", "txtAddfile"}));
        QCOMPARE(m_ui->fileDialogFilters.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestLocation)
#include "tst_location.moc"
