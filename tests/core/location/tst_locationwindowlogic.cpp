#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "location/LocationWindowLogic.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Answer = UserInterface::Answer;
using Field = LocRecord::Field;

namespace {

const Field Order[] = {Field::SlfFileName, Field::LocationName, Field::Access, Field::GroupingCode,
                       Field::Addfiles};

} // namespace

class TestLocationWindowLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    std::unique_ptr<LocationWindowLogic> m_logic;

    // "Stand List File|location|access|grouping code|addfiles"
    QString fields() const
    {
        QStringList texts;
        for (const Field f : Order)
            texts << m_logic->field(f);
        return texts.join(u'|');
    }
    void fill(const QString& texts)
    {
        const QStringList t = texts.split(u'|');
        for (int i = 0; i < 5; ++i)
            m_logic->setField(Order[i], t.value(i));
    }
    // Opens on a Locations File of that content; on none when it is empty.
    void openOn(const QByteArray& content)
    {
        const QString name = m_dir.filePath("loc.loc");
        QFile::remove(name);
        if (!content.isEmpty())
            writeFile(name, content);
        modGlobal().LocationsFileName = name;
        m_logic->openFromSharedState();
    }
    QString where() const
    {
        return QString::number(m_logic->CurrentIndex()) + u' ' + m_logic->processTag() +
               (m_logic->isTypeB() ? " B" : " A");
    }

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        modGlobal().StandListFileName = "s.slf";
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QFile::remove("vorlin.loc");
        m_logic.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_logic = std::make_unique<LocationWindowLogic>(*m_ui);
    }

    void opening_data()
    {
        QTest::addColumn<QString>("handed");
        QTest::addColumn<QString>("onDisk");
        // clang-format off
        QTest::newRow("no file") << "" << "";
        QTest::newRow("vorlin.loc") << "" << "vorlin.loc";
        QTest::newRow("another name") << "other.loc" << "other.loc";
        // clang-format on
    }
    void opening()
    {
        QFETCH(QString, handed);
        QFETCH(QString, onDisk);
        if (!onDisk.isEmpty())
            writeFile(onDisk, "A \"L\" @ b.slf @ @\r\n");
        m_logic->chooseType(true);
        modGlobal().LocationsFileName = handed;
        m_logic->openFromSharedState();
        const QString name = handed.isEmpty() ? "vorlin.loc" : handed;
        QCOMPARE(m_logic->fileNameBox() + u' ' + modGlobal().LocationsFileName, name + u' ' + name);
        // The handed-over Stand List File only when nothing was loaded.
        QCOMPARE(m_logic->display().size(), onDisk.isEmpty() ? 0 : 2);
        QCOMPARE(fields(), onDisk.isEmpty() ? "s.slf||@||" : "||@||");
        QCOMPARE(where(), onDisk.isEmpty() ? "0 add A" : "1 add A");
        QVERIFY(m_ui->messages.isEmpty());
    }

    void checksAndRecords()
    {
        openOn({});
        // Only an empty text is missing: blanks pass.
        const std::pair<bool, const char*> steps[] = {
            {false, "|L|@|G|a"},    {false, "b.slf||@|G|a"}, {false, "b.slf| Big \"C\" |@||"},
            {true, "b.slf|L|@||a"}, {true, "||@|G1|"},       {true, "||@|G1|a b"}};
        for (const auto& [typeB, texts] : steps) {
            fill(QString::fromUtf8(texts));
            m_logic->chooseType(typeB);
            m_logic->processEntry();
        }
        QStringList shown;
        for (const ScriptedUserInterface::Message& m : m_ui->messages)
            shown << m.title + u' ' + m.text;
        QCOMPARE(shown, QStringList({"Missing Data Stand List Filename is required",
                                     "Missing Data Location Name is required",
                                     "Missing Data A Grouping Code is required",
                                     "Missing Data Addfile name is missing"}));
        QCOMPARE(m_ui->messages[0].icon, UserInterface::Icon::Exclamation);
        QCOMPARE(m_ui->focused,
                 QStringList({"txtSlfFile", "txtLocation", "txtAddfileGroup", "txtAddfile"}));
        // The box shows the apostrophes written; a B record ignores the A fields.
        QCOMPARE(m_logic->display().lines(),
                 QStringList({"A \" Big 'C' \" @ b.slf @ @", "B G1 a b", ""}));
        QCOMPARE(fields(), "||@|G1|a b");
        m_logic->chooseType(false);
        QVERIFY(m_logic->isFieldEnabled(Field::SlfFileName));
        QVERIFY(!m_logic->isFieldEnabled(Field::Addfiles));
    }

    void selectingAndUpdating()
    {
        openOn("A \"L\" x b.slf @ @\r\nb G1 \"a.kcp\"\tc.kcp\r\nC x\r\nA \"M\" @ m.slf @ @\r\n");
        QCOMPARE(m_ui->titles(), QStringList{"Error"});
        // A loaded access field goes through an update; the next line comes up.
        m_logic->select(0);
        QCOMPARE(fields(), "b.slf|L|x||");
        m_logic->setField(Field::LocationName, "L2");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(0), "A \"L2\" x b.slf @ @");
        QCOMPARE(where() + u' ' + fields(), "1 edit B ||@|G1|a.kcp c.kcp");
        // b and B are the same letter: no question.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), "B G1 a.kcp c.kcp");
        QCOMPARE(m_ui->titles(), QStringList(2, "Error"));

        // A line of another letter: empty fields, the kind kept, Update and Delete still work.
        QCOMPARE(m_ui->messages.last().text, "Invalid Locations File format.\r\n");
        QCOMPARE(m_ui->messages.last().icon, UserInterface::Icon::Critical);
        QCOMPARE(where() + u' ' + fields(), "2 edit B ||@||");
        m_logic->select(4);
        QCOMPARE(where() + u' ' + fields(), "4 add B ||@||");
        m_logic->select(2);
        m_logic->deleteCurrent();
        QCOMPARE(where(), "1 edit B");

        // A record of the other kind asks before it replaces a line.
        m_logic->select(2);
        m_logic->chooseType(true);
        fill("||@|G2|d.kcp");
        m_ui->answers = {Answer::Cancel};
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "A \"M\" @ m.slf @ @");
        QCOMPARE(m_ui->messages.last().title + u' ' + m_ui->messages.last().text,
                 "Different Record Type Replace highlighted line?");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "B G2 d.kcp");
        QCOMPARE(where(), "3 add B");

        // V goes to the slot: the access field returns to "@".
        m_logic->select(0);
        m_logic->moveToEnd();
        QCOMPARE(fields(), "b.slf|L2|@||");
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
            openOn(file);
            file.isEmpty() ? fill("C:\\My Files\\b.slf|a\"b|@||") : m_logic->select(0);
            const QString before = fields();
            m_ui->answers = {Answer::Cancel};
            QVERIFY(!m_logic->processEntry());
            QCOMPARE(m_ui->titles(), QStringList{"Alert"});
            QCOMPARE(m_ui->focused.join(""), focus);
            QCOMPARE(fields(), before);
            QVERIFY(!m_logic->HasUnsavedChanges());
            // OK writes the value as it stands.
            QVERIFY(m_logic->processEntry());
            QVERIFY(m_logic->HasUnsavedChanges());
        }
        QCOMPARE(m_logic->display().line(0), "B G1 My Files\\a.kcp");
        m_ui->messages.clear();
        openOn({});
        fill("C:\\My Files\\b.slf|L|@||");
        m_ui->answers = {Answer::Cancel};
        m_logic->processEntry();
        QCOMPARE(m_ui->messages[0].text,
                 "The Stand List File name \"C:\\My Files\\b.slf\" holds a blank or tab: the "
                 "Locations File would give it back as \"C:\\My\".\r\nWrite it as it is?");
    }

    void typingAndBrowsing()
    {
        openOn({});
        const TypingResult typed = m_logic->fieldEdited(Field::LocationName, "B\u0101ig \u20ac", 3);
        QCOMPARE(std::pair(typed.text, typed.caret), std::pair(QString("Big \u20ac"), 2));
        QCOMPARE(m_ui->beeps, 1);

        // Cancel, a path the file cannot hold, a path; the addfile Browse only for B records.
        m_ui->fileDialogAnswers = {std::nullopt, "C:/\u0101.slf", "C:/b.slf", "a.kcp", "b.kcp"};
        for (int i = 0; i < 3; ++i)
            m_logic->browseSlf();
        m_logic->browseAddfile();
        m_logic->chooseType(true);
        m_logic->browseAddfile();
        m_logic->browseAddfile();
        QCOMPARE(fields(), "C:/b.slf|Big \u20ac|@||a.kcp b.kcp");
        QCOMPARE(m_ui->titles(), QStringList{"Alert"});
        QCOMPARE(m_ui->focused, QStringList({"txtSlfFile", "txtSlfFile", "txtSlfFile", "txtAddfile",
                                             "txtAddfile"}));
        QCOMPARE(m_ui->fileDialogFilters.size(), 5);
        QCOMPARE(m_ui->fileDialogFilters.first() + m_ui->fileDialogFilters.last(),
                 "Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*"
                 "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");

        // A handed-over name the file cannot hold is refused when the record is built.
        m_logic->chooseType(false);
        m_logic->setField(Field::SlfFileName, "\u0101.slf");
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->messages.last().text, "The Stand List File name \"\u0101.slf\" holds a "
                                             "character that the Locations File cannot hold.");
        QVERIFY(m_logic->display().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLocationWindowLogic)
#include "tst_locationwindowlogic.moc"
