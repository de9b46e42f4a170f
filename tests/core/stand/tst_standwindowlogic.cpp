#include "ScriptedUserInterface.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileIO.h"
#include "stand/StandWindowLogic.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Answer = UserInterface::Answer;
using Boxes = QMap<int, QString>;
namespace Box = StandBox;

namespace {

// Lines in the form the window writes them, so an unchanged update gives them back as they are.
QString A(const QString& id)
{
    return QStringLiteral("A %1 t.tre @ xa ").arg(id);
}
QString B(const QString& id)
{
    return QStringLiteral("B ") + id + QStringLiteral(" @").repeated(28);
}

} // namespace

class TestStandWindowLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    std::unique_ptr<StandWindowLogic> m_logic;

    QStringList records() const
    {
        return m_logic->display().lines().mid(0, m_logic->RecordCount());
    }
    void load(const QStringList& lines)
    {
        const QString name = m_dir.filePath(QStringLiteral("stands.slf"));
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_ui->fileExistsAnswers = {true};
        m_logic->setFileNameBox(name);
        m_logic->fileNameBoxLeft();
        QCOMPARE(records(), lines);
        m_ui->messages.clear(); // a line of another type is reported on loading
    }
    void fill(const Boxes& boxes)
    {
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            m_logic->setField(it.key(), it.value());
    }

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        m_logic.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_logic = std::make_unique<StandWindowLogic>(*m_ui);
        m_logic->start();
    }

    void addsSetsAndKeepsTheBoxes()
    {
        fill(
            {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t.tre"}, {2, "1999"}});
        QVERIFY(m_logic->processEntry());
        // The first set goes to the top of an empty list, the slot follows and is selected.
        QCOMPARE(m_logic->display().lines(),
                 (QStringList{"A S1 t.tre @ xa xb", "B S1 1999" + QStringLiteral(" @").repeated(27),
                              QString()}));
        QCOMPARE(m_logic->CurrentIndex(), 2);
        QCOMPARE(m_logic->processCaption(), "&Add Record");
        QCOMPARE(m_logic->field(Box::Variant), "xa xb");
        QCOMPARE(m_logic->field(2), "1999");
        QCOMPARE(m_ui->tabs, 1);
        // Only the stand ID changed: a second set; the addfiles switch off still writes D.
        m_logic->toggleAddfiles();
        m_logic->setField(Box::Addfile, "f.kcp");
        m_logic->toggleAddfiles();
        QVERIFY(!m_logic->addfilesOn());
        fill({{Box::StandId, "S2"}, {2, ""}, {Box::TreeFile, ""}});
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_ui->titles(), QStringList{"Bareground"});
        QCOMPARE(records().mid(2), (QStringList{"A S2 @ @ xa xb", B("S2"), "D S2 f.kcp"}));
        QCOMPARE(m_logic->field(Box::TreeFile), "");
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    void refusals_data()
    {
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("focus");

        const auto with = [](const Boxes& changes) {
            Boxes b = {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t"}};
            b.insert(changes);
            return b;
        };
        // clang-format off
        QTest::newRow("no stand ID") << with({{Box::StandId, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtStandData_1";
        QTest::newRow("no variant") << with({{Box::Variant, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtVariant";
        QTest::newRow("bareground cancelled") << with({{Box::TreeFile, ""}}) << QList{Answer::Cancel} << QStringList{"Bareground"} << "txtTreeFile";
        QTest::newRow("blank in a stand ID") << with({{Box::StandId, "S 1"}}) << QList{Answer::Cancel} << QStringList{"Alert"} << "txtStandData_1";
        QTest::newRow("bareground, then blanks only in habitat") << with({{Box::TreeFile, ""}, {6, "  "}}) << QList{Answer::Ok, Answer::Cancel} << QStringList{"Bareground", "Alert"} << "txtStandData_6";
        // clang-format on
    }
    void refusals()
    {
        QFETCH(Boxes, boxes);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, titles);
        QFETCH(QString, focus);
        load({A("S0"), B("S0")});
        fill(boxes);
        m_ui->answers = answers;
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), titles);
        QCOMPARE(m_ui->focused.last(), focus);
        // Nothing changed, the commas in the variant box included.
        QCOMPARE(records(), (QStringList{A("S0"), B("S0")}));
        QCOMPARE(m_logic->field(Box::Variant), boxes.value(Box::Variant));
        QVERIFY(!m_logic->HasUnsavedChanges());
    }

    void update_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("selected");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QStringList>("updated");

        const QString a1 = A("S1"), b1 = B("S1"), a2 = A("S2"), b2 = B("S2");
        const QString longId = QString(30, u'L');
        // clang-format off
        QTest::newRow("C and D, grouping emptied: D moves up")
            << QStringList{a1, b1, "C S1 g", "D S1 f", a2, b2} << 2 << Boxes{{Box::Groups, ""}}
            << QStringList{a1, b1, "D S1 f", a2, b2};
        QTest::newRow("only D, both filled: C before D")
            << QStringList{a1, b1, "D S1 f", a2, b2} << 0 << Boxes{{Box::Groups, "g1\r\ng2"}}
            << QStringList{a1, b1, "C S1 g1 g2", "D S1 f", a2, b2};
        QTest::newRow("only C, both emptied")
            << QStringList{a1, b1, "C S1 g", a2, b2} << 1 << Boxes{{Box::Groups, ""}}
            << QStringList{a1, b1, a2, b2};
        QTest::newRow("A without B, last in the list")
            << QStringList{a2, b2, a1} << 2 << Boxes{} << QStringList{a2, b2, a1, b1};
        QTest::newRow("A followed by A")
            << QStringList{a1, a2, b2} << 0 << Boxes{} << QStringList{a1, b1, a2, b2};
        QTest::newRow("unknown line inside the set is kept")
            << QStringList{a1, b1, "X S1 note", "C S1 g"} << 3 << Boxes{{Box::Groups, "h"}}
            << QStringList{a1, b1, "C S1 h", "X S1 note"};
        QTest::newRow("long loaded values are written back whole")
            << QStringList{A(longId), "B " + longId + " 19999" + QStringLiteral(" @").repeated(27)} << 1 << Boxes{}
            << QStringList{A(longId), "B " + longId + " 19999" + QStringLiteral(" @").repeated(27)};
        // clang-format on
    }
    void update()
    {
        QFETCH(QStringList, list);
        QFETCH(int, selected);
        QFETCH(Boxes, boxes);
        QFETCH(QStringList, updated);
        load(list);
        m_logic->select(selected);
        const int start = m_logic->setStart();
        QCOMPARE(m_logic->CurrentIndex(), start);
        fill(boxes);
        QVERIFY(m_logic->processEntry());
        QCOMPARE(records(), updated);
        QCOMPARE(m_logic->display().lines().last(), QString());
        // The window stays on the set; updating again changes nothing.
        QCOMPARE(m_logic->CurrentIndex(), start);
        QVERIFY(m_logic->isEditMode());
        QVERIFY(m_logic->processEntry());
        QCOMPARE(records(), updated);
        QVERIFY(m_ui->messages.isEmpty());
    }

    void remove_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("shown"); // stand ID in the boxes afterwards
        QTest::addColumn<QString>("caption");

        const QString a1 = A("S1"), b1 = B("S1"), a2 = A("S2"), b2 = B("S2");
        // clang-format off
        QTest::newRow("the only set") << QStringList{a1, b1, "C S1 g"} << 2 << QStringList{} << "S1" << "&Add Records";
        QTest::newRow("the first set") << QStringList{a1, b1, "D S1 f", a2, b2} << 1 << QStringList{a2, b2} << "S2" << "&Update Record";
        QTest::newRow("the last set") << QStringList{a1, b1, a2, b2} << 3 << QStringList{a1, b1} << "S1" << "&Update Record";
        QTest::newRow("an invalid set: only its line") << QStringList{"B S0 1999", a1, b1} << 0 << QStringList{a1, b1} << "S1" << "&Update Record";
        // clang-format on
    }
    void remove()
    {
        QFETCH(QStringList, list);
        QFETCH(int, selected);
        QFETCH(QStringList, left);
        QFETCH(QString, shown);
        QFETCH(QString, caption);
        load(list);
        m_logic->select(selected);
        const bool invalid = !m_logic->setIsValid();
        QCOMPARE(m_ui->messages.size(), int(invalid));
        if (invalid) {
            QCOMPARE(m_ui->messages.first().text, "Invalid set of Stand List File records.");
            // No set to replace.
            QVERIFY(!m_logic->processEntry());
            QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        }
        m_logic->deleteCurrent();
        QCOMPARE(records(), left);
        QCOMPARE(m_logic->field(Box::StandId), shown);
        QCOMPARE(m_logic->processCaption(), caption);
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    void stepsDownSetBySet()
    {
        // A lone B line shows on its own; a set of several lines is passed in one step.
        load({"B S0 1999", A("S1"), B("S1"), "C S1 g", "D S1 f", A("S2"), B("S2")});
        m_logic->select(0);
        QList<int> shown;
        for (int step = 0; step < 4; ++step) {
            m_logic->selectNext();
            shown << m_logic->CurrentIndex();
        }
        QCOMPARE(shown, (QList<int>{1, 5, 7, 7}));
    }

    void loadKeepsTheAddfileBox()
    {
        fill({{Box::StandId, "S9"}, {Box::Addfile, "keep.kcp"}, {Box::Groups, "g"}});
        load({A("S1"), B("S1")});
        QCOMPARE(m_logic->field(Box::StandId), "");
        QCOMPARE(m_logic->field(Box::Groups), "");
        QCOMPARE(m_logic->field(Box::Addfile), "keep.kcp");
    }

    void browsingAndTyping()
    {
        modGlobal().TreeFileName = "handed.tre";
        // A tree file other than the handed-over one: Cancel puts that one back.
        m_ui->fileDialogAnswers = {"other.tre", QStringLiteral("\u0101.tre")};
        m_ui->answers = {Answer::Cancel};
        m_logic->browseTree();
        QCOMPARE(m_logic->field(Box::TreeFile), "handed.tre");
        m_logic->browseTree(); // a path the file cannot hold
        QCOMPARE(m_logic->field(Box::TreeFile), "handed.tre");
        QCOMPARE(m_ui->titles(), (QStringList{"Alert", "Error"}));
        // Addfiles: only while switched on; a path with a blank is asked about.
        m_logic->browseAddfile();
        m_logic->toggleAddfiles();
        m_ui->fileDialogAnswers = {"a.kcp", "my b.kcp", "c.kcp"};
        m_ui->answers = {Answer::Cancel};
        for (int i = 0; i < 3; ++i)
            m_logic->browseAddfile();
        QCOMPARE(m_logic->field(Box::Addfile), "a.kcp c.kcp");
        QCOMPARE(m_ui->fileDialogFilters.last(), "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");
        // Typing: a character without a byte in the file is refused in any box.
        const TypingResult typed = m_logic->fieldEdited(Box::Variant, QStringLiteral("x\u0101"), 2);
        QCOMPARE(std::pair(typed.text, typed.beep), std::pair(QStringLiteral("x"), true));
    }

    void fullListRefusesMoreLines()
    {
        QStringList sets;
        for (int i = 0; i < 32766; ++i)
            sets.append(QStringLiteral("A S%1").arg(i));
        load(sets);
        fill({{Box::StandId, "S"}, {Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_logic->processEntry());
        m_logic->select(0); // an A line alone: its update needs a B line more
        fill({{Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        QCOMPARE(m_logic->RecordCount(), 32766);
    }
};

QTEST_GUILESS_MAIN(TestStandWindowLogic)
#include "tst_standwindowlogic.moc"
