#include "LogicTest.h"
#include "Play.h"
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
        expectShown(*m_logic, *m_ui,
                    onDisk.isEmpty() ? QStringList{"fields=|@|s.slf||", "at=0 add A"}
                                     : QStringList{"fields=|@|||", "at=1 add A"});
        QVERIFY(m_ui->messages.isEmpty());
    }

    // Checks, records added, updated, replaced and deleted, Browse; the file loaded first.
    void locationScripts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        // All five fields set, "location|access|Stand List File|grouping code|addfiles".
        const auto fill = [](const QString& piped) {
            QString script;
            for (int f = 0; f < 5; ++f)
                script += QStringLiteral(" f%1=%2").arg(f).arg(
                    piped.section(u'|', f, f).replace(u' ', u'~'));
            return script + u' ';
        };
        // Only an empty text is missing: blanks pass.
        const QString checks = fill("L|@||G|a") + "p" + fill("|@|b.slf|G|a") + "p" +
                               fill(" Big \"C\" |@|b.slf||") + "p kB" + fill("L|@|b.slf||a") + "p" +
                               fill("|@||G1|") + "p" + fill("|@||G1|a b") + "p ";
        const QByteArray four =
            "A \"L\" x b.slf @ @\r\nb G1 \"a.kcp\"\tc.kcp\r\nC x\r\nA \"M\" @ m.slf @ @\r\n";
        const QString updated = "s0 f0=L2 p ";
        const QString replace = updated + "p s2 d s2 kB" + fill("|@||G2|d.kcp") + "x !C p ";
        const QString slf = "a\"b|@|C:\\My Files\\b.slf||";
        using L = QStringList;
        // clang-format off
        QTest::newRow("checks") << QByteArray() << checks << L{"titles=Missing Data,Missing Data,Missing Data,Missing Data", "focus=txtSlfFile,txtLocation,txtAddfileGroup,txtAddfile", "fields=|@||G1|a b", "off=0,1,2"};
        // The box shows the apostrophes written; a B record ignores the A fields.
        QTest::newRow("checked records") << QByteArray() << checks + "kA" << L{"lines=A \" Big 'C' \" @ b.slf @ @\nB G1 a b\n", "off=1,3,4"};
        QTest::newRow("a line of another letter on loading") << four << "" << L{"titles=Error", "text=Invalid Locations File format.\r\n"};
        QTest::newRow("a loaded record") << four << "s0" << L{"fields=L|x|b.slf||"};
        // A loaded access field goes through an update; the next line comes up.
        QTest::newRow("update") << four << updated << L{"line0=A \"L2\" x b.slf @ @", "at=1 edit B", "fields=|@||G1|a.kcp c.kcp"};
        // b and B are the same letter: no question. A line of another letter: empty fields, the kind kept.
        QTest::newRow("update of b") << four << updated + "p" << L{"line1=B G1 a.kcp c.kcp", "titles=Error,Error", "at=2 edit B", "fields=|@|||"};
        QTest::newRow("the slot after a line of another letter") << four << updated + "p s4" << L{"at=4 add B", "fields=|@|||"};
        QTest::newRow("a line of another letter deleted") << four << updated + "p s2 d" << L{"at=1 edit B", "lines=A \"L2\" x b.slf @ @\nB G1 a.kcp c.kcp\nA \"M\" @ m.slf @ @\n"};
        // A record of the other kind asks before it replaces a line.
        QTest::newRow("replace cancelled") << four << replace << L{"line2=A \"M\" @ m.slf @ @", "titles=Different Record Type", "text=Replace highlighted line?", "unsaved=1"};
        QTest::newRow("replace") << four << replace + "p" << L{"line2=B G2 d.kcp", "at=3 add B"};
        // V goes to the slot: the access field returns to "@".
        QTest::newRow("V") << four << "s0 v" << L{"fields=L|@|b.slf||"};
        // Typed, and loaded from quoted tokens that would be written back bare; OK writes them as they stand.
        QTest::newRow("read back, typed") << QByteArray() << fill(slf) + "!C p" << L{"titles=Alert", "focus=txtSlfFile", "fields=" + slf, "unsaved=0"};
        QTest::newRow("read back, typed, OK") << QByteArray() << fill(slf) + "p" << L{"titles=Alert", "unsaved=1"};
        QTest::newRow("read back, access") << QByteArray("A \"L\" \"a b\" b.slf @ @") << "s0 !C p" << L{"titles=Alert", "focus=", "unsaved=0"};
        QTest::newRow("read back, access, OK") << QByteArray("A \"L\" \"a b\" b.slf @ @") << "s0 p" << L{"unsaved=1"};
        QTest::newRow("read back, addfiles") << QByteArray("B G1 \"My Files\\a.kcp\"") << "s0 !C p" << L{"titles=Alert", "focus=txtAddfile", "unsaved=0"};
        QTest::newRow("read back, addfiles, OK") << QByteArray("B G1 \"My Files\\a.kcp\"") << "s0 p" << L{"line0=B G1 My Files\\a.kcp"};
        // Every value in one question; a line break shown, not obeyed.
        QTest::newRow("read back, two values") << QByteArray() << fill("L|a\tb|C:\\My\r\nFiles\\b.slf||") + "!C p" << L{"text=The Locations File would not read these values back as typed:\r\n\r\nAccess field \"a<09>b\": holds a tab, which the file takes as a field separator; read back as \"a\"\r\nStand List File name \"C:\\My<0D><0A>Files\\b.slf\": holds a line break, which the file takes as a field separator; read back as \"b\"\r\n\r\nUse them anyway?"};
        // Cancel, a path; the addfile Browse only for B records.
        QTest::newRow("browsing") << QByteArray() << "> >C:/b.slf >a.kcp >b.kcp bS bS b kB b b" << L{"fields=|@|C:/b.slf||a.kcp b.kcp", "focus=txtSlfFile,txtSlfFile,txtAddfile,txtAddfile"};
        // clang-format on
    }
    void locationScripts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        locationOn(file);
        play(*m_logic, script, m_ui.get());
        expectShown(*m_logic, *m_ui, expected);
    }
};

QTEST_GUILESS_MAIN(TestLocation)
#include "tst_location.moc"
