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

class TestLocationWindowLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    std::unique_ptr<LocationWindowLogic> m_logic;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    void fill(const QStringList& texts) // Stand List File, location, grouping code, addfiles
    {
        const Field fields[] = {Field::SlfFileName, Field::LocationName, Field::GroupingCode,
                                Field::Addfiles};
        for (int i = 0; i < 4; ++i)
            m_logic->setField(fields[i], texts.value(i));
    }
    QStringList fields() const
    {
        QStringList texts;
        for (const Field f : {Field::SlfFileName, Field::LocationName, Field::Access,
                              Field::GroupingCode, Field::Addfiles})
            texts << m_logic->field(f);
        return texts;
    }
    void openOn(const QByteArray& content)
    {
        QFile::remove(path("loc.loc"));
        if (!content.isEmpty())
            writeFile(path("loc.loc"), content);
        modGlobal().LocationsFileName = path("loc.loc");
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
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("slf");
        QTest::newRow("no file") << ""
                                 << "" << 0 << "s.slf";
        QTest::newRow("vorlin.loc") << ""
                                    << "vorlin.loc" << 2 << "";
        QTest::newRow("another name") << "other.loc"
                                      << "other.loc" << 2 << "";
    }
    void opening()
    {
        QFETCH(QString, handed);
        QFETCH(QString, onDisk);
        QFETCH(int, lines);
        QFETCH(QString, slf);
        if (!onDisk.isEmpty())
            writeFile(onDisk, "A \"L\" @ b.slf @ @\r\n");
        m_logic->chooseType(true);
        modGlobal().LocationsFileName = handed;
        m_logic->openFromSharedState();
        const QString name = handed.isEmpty() ? "vorlin.loc" : handed;
        QCOMPARE(m_logic->fileNameBox(), name);
        QCOMPARE(modGlobal().LocationsFileName, name);
        QCOMPARE(m_logic->display().size(), lines);
        QCOMPARE(m_logic->field(Field::SlfFileName), slf);
        QCOMPARE(where(), QString::number(lines ? 1 : 0) + " add A");
        QVERIFY(m_ui->messages.isEmpty());

        // While the file is vorlin.loc, taking another name does not ask; closing does.
        QVERIFY(m_logic->process("B G1 a.kcp"));
        m_ui->answers = {Answer::No};
        m_logic->setFileNameBox(path("next.loc"));
        m_logic->fileNameBoxLeft();
        QCOMPARE(m_ui->messages.size(), handed.isEmpty() ? 0 : 1);
        m_ui->answers = {Answer::No};
        QVERIFY(m_logic->requestClose());
        QCOMPARE(m_ui->titles().last(), "Unsaved Changes");
    }

    void checksAndRecords_data()
    {
        QTest::addColumn<bool>("typeB");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("line");
        // clang-format off
        QTest::newRow("A without Stand List File") << false << QStringList{"", "L", "G", "a"}
            << "Stand List Filename is required" << "txtSlfFile" << "";
        QTest::newRow("A without location") << false << QStringList{"b.slf", "", "G", "a"}
            << "Location Name is required" << "txtLocation" << "";
        QTest::newRow("B without grouping code") << true << QStringList{"b.slf", "L", "", "a"}
            << "A Grouping Code is required" << "txtAddfileGroup" << "";
        QTest::newRow("B without addfile") << true << QStringList{"b.slf", "L", "G1", ""}
            << "Addfile name is missing" << "txtAddfile" << "";
        QTest::newRow("A, blanks pass, quotes become apostrophes")
            << false << QStringList{"bigcreek.slf", " Big \"C\" "} << "" << ""
            << "A \" Big 'C' \" @ bigcreek.slf @ @";
        QTest::newRow("B ignores the A fields") << true << QStringList{"", "", "G1", "a b"}
            << "" << "" << "B G1 a b";
        // clang-format on
    }
    void checksAndRecords()
    {
        QFETCH(bool, typeB);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, line);
        m_logic->openFromSharedState();
        fill(texts);
        m_logic->chooseType(typeB);
        QCOMPARE(m_logic->isFieldEnabled(Field::SlfFileName), !typeB);
        QCOMPARE(m_logic->isFieldEnabled(Field::LocationName), !typeB);
        QCOMPARE(m_logic->isFieldEnabled(Field::Addfiles), typeB);
        QCOMPARE(m_logic->processEntry(), message.isEmpty());
        QCOMPARE(m_ui->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(m_ui->messages[0].title, "Missing Data");
            QCOMPARE(m_ui->messages[0].text, message);
            QCOMPARE(m_ui->messages[0].icon, UserInterface::Icon::Exclamation);
            QCOMPARE(m_ui->focused, QStringList{focus});
            QVERIFY(m_logic->display().isEmpty());
            return;
        }
        QCOMPARE(m_logic->display().lines(), (QStringList{line, ""}));
        // The box shows what was written; the fields stay as the model of the next record.
        texts[1].replace('"', '\'');
        QCOMPARE(fields(), (QStringList{texts.value(0), texts.value(1), "@", texts.value(2),
                                        texts.value(3)}));
    }

    void selectingAndUpdating()
    {
        openOn("A \"L\" x b.slf @ @\r\nb G1 \"a.kcp\"\tc.kcp\r\nA \"M\" @ m.slf @ @\r\n");
        m_logic->select(0);
        QCOMPARE(fields(), (QStringList{"b.slf", "L", "x", "", ""}));
        // The loaded access field goes through an update; the next line comes up.
        m_logic->setField(Field::LocationName, "L2");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(0), "A \"L2\" x b.slf @ @");
        QCOMPARE(where(), "1 edit B");
        QCOMPARE(fields(), (QStringList{"", "", "@", "G1", "a.kcp c.kcp"}));
        // b and B are the same letter: no question.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), "B G1 a.kcp c.kcp");
        QVERIFY(m_ui->messages.isEmpty());

        // An A line replaced by a B record asks first.
        QCOMPARE(where(), "2 edit A");
        m_logic->chooseType(true);
        fill({"", "", "G1", "a.kcp c.kcp"});
        m_ui->answers = {Answer::Cancel};
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "A \"M\" @ m.slf @ @");
        QCOMPARE(m_ui->titles(), QStringList{"Different Record Type"});
        QCOMPARE(m_ui->messages[0].text, "Replace highlighted line?");
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(2), "B G1 a.kcp c.kcp");
        QCOMPARE(where(), "3 add B");

        // V goes to the slot: the access field returns to "@".
        m_logic->select(0);
        m_logic->moveToEnd();
        QCOMPARE(fields(), (QStringList{"b.slf", "L2", "@", "", ""}));
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    void invalidLine()
    {
        openOn("C x\r\nA \"L\" @ b.slf @ @\r\n");
        QCOMPARE(m_ui->titles(), QStringList{"Error"});
        m_logic->select(1);
        m_logic->chooseType(true);
        m_logic->select(0);
        QCOMPARE(m_ui->messages.last().text, "Invalid Locations File format.\r\n");
        QCOMPARE(m_ui->messages.last().icon, UserInterface::Icon::Critical);
        // Empty fields, the option buttons as they were, but Update and Delete work.
        QCOMPARE(fields(), (QStringList{"", "", "@", "", ""}));
        QCOMPARE(where(), "0 edit B");
        m_logic->select(2);
        QCOMPARE(fields(), (QStringList{"", "", "@", "", ""}));
        m_logic->select(0);
        fill({"", "", "G1", "a.kcp"});
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_ui->titles().last(), "Different Record Type");
        QCOMPARE(m_logic->display().line(0), "B G1 a.kcp");
        m_logic->select(0);
        m_logic->deleteCurrent();
        QCOMPARE(m_logic->display().lines(), (QStringList{"A \"L\" @ b.slf @ @", ""}));
    }

    void readBackWarning_data()
    {
        QTest::addColumn<QByteArray>("file"); // its first line is selected; none: add mode
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("text");
        QTest::newRow("Stand List File with a blank")
            << QByteArray() << QStringList{"C:\\My Files\\b.slf", "a\"b"} << "txtSlfFile"
            << "The Stand List File name \"C:\\My Files\\b.slf\" holds a blank or tab: the "
               "Locations File would give it back as \"C:\\My\".\r\n"
               "Write it as it is?";
        QTest::newRow("grouping code in quotes")
            << QByteArray() << QStringList{"", "", "\"G1 a.kcp", "b.kcp"} << "txtAddfileGroup"
            << "";
        QTest::newRow("loaded access field in quotes")
            << QByteArray("A \"L\" \"a b\" b.slf @ @") << QStringList() << ""
            << "";
        QTest::newRow("loaded addfile in quotes")
            << QByteArray("B G1 \"My Files\\a.kcp\"") << QStringList() << "txtAddfile"
            << "";
    }
    void readBackWarning()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, texts);
        QFETCH(QString, focus);
        QFETCH(QString, text);
        openOn(file);
        if (file.isEmpty()) {
            fill(texts);
            m_logic->chooseType(!texts.value(2).isEmpty());
        } else {
            m_logic->select(0);
        }
        const QStringList before = fields();
        m_ui->answers = {Answer::Cancel};
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), QStringList{"Alert"});
        if (!text.isEmpty())
            QCOMPARE(m_ui->messages[0].text, text);
        QCOMPARE(m_ui->focused, focus.isEmpty() ? QStringList() : QStringList{focus});
        QCOMPARE(fields(), before);
        QCOMPARE(m_logic->display().size(), file.isEmpty() ? 0 : 2);
        QVERIFY(!m_logic->HasUnsavedChanges());
        // OK writes the value as it stands.
        QVERIFY(m_logic->processEntry());
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    void typingAndBrowsing()
    {
        m_logic->openFromSharedState();
        const TypingResult typed = m_logic->fieldEdited(Field::LocationName, "B\u0101ig \u20ac", 3);
        QCOMPARE(std::pair(typed.text, typed.caret), std::pair(QString("Big \u20ac"), 2));
        QCOMPARE(m_ui->beeps, 1);

        // Cancel, a path the file cannot hold, then a path.
        m_ui->fileDialogAnswers = {std::nullopt, "C:/\u0101.slf", "C:/b.slf"};
        for (int i = 0; i < 3; ++i)
            m_logic->browseSlf();
        QCOMPARE(m_logic->field(Field::SlfFileName), "C:/b.slf");
        QCOMPARE(m_ui->titles(), QStringList{"Alert"});
        QCOMPARE(m_ui->focused, QStringList(3, "txtSlfFile"));
        QCOMPARE(m_ui->fileDialogFilters[0], "Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*");

        // The addfile Browse button works for B records only, and appends after a blank.
        m_ui->fileDialogAnswers = {"C:/a.kcp", "C:/b.kcp"};
        m_logic->browseAddfile();
        QCOMPARE(m_ui->fileDialogFilters.size(), 3);
        m_logic->chooseType(true);
        m_logic->browseAddfile();
        m_logic->browseAddfile();
        QCOMPARE(m_logic->field(Field::Addfiles), "C:/a.kcp C:/b.kcp");
        QCOMPARE(m_ui->fileDialogFilters.last(), "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");

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
