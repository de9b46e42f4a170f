#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileLogic.h"
#include "species/VariantList.h"

#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

// The "Check" question between the save's own questions and the writing.
class TestSaveCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionBeforeWriting_data();
    void questionBeforeWriting();
};

void TestSaveCheck::questionBeforeWriting_data()
{
    QTest::addColumn<bool>("viaClose"); // the Yes of "Unsaved Changes" rather than Save
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("shown"); // what the question says; empty: no question

    const QString empty;
    const QString wf = QStringLiteral("   1  2     11WF  8.5");
    const QString tenEmpty = QStringLiteral("Line 2: an empty line: ");
    QTest::newRow("Save, OK") << false << empty << QString() << Answer::Ok << tenEmpty;
    QTest::newRow("Save, Cancel") << false << empty << QString() << Answer::Cancel << tenEmpty;
    QTest::newRow("Unsaved Changes, OK") << true << empty << QString() << Answer::Ok << tenEmpty;
    QTest::newRow("Unsaved Changes, Cancel")
        << true << empty << QString() << Answer::Cancel << tenEmpty;
    QTest::newRow("a species of the variant chosen")
        << false << wf << QStringLiteral("ca") << Answer::Cancel << QString();
    QTest::newRow("a species of another variant")
        << false << wf << QStringLiteral("ie") << Answer::Cancel
        << QStringLiteral("Line 2: Species \"WF\": not a species code of variant ie");
}

void TestSaveCheck::questionBeforeWriting()
{
    QFETCH(bool, viaClose);
    QFETCH(QString, added);
    QFETCH(QString, variant);
    QFETCH(Answer, answer);
    QFETCH(QString, shown);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plot.tre"));
    const QByteArray before("   1  1     11DF 12.0\r\n");
    writeFile(file, before);
    modGlobal() = ModGlobal();
    modGlobal().SpeciesVariantIndex = qint16(VariantList::positionOf(variant));
    ScriptedUserInterface ui;
    RecordFileLogic logic(RecordFileConfig::tree(), ui);
    logic.open(file);
    for (int i = 0; i < (added.isEmpty() ? 10 : 1); ++i)
        logic.process(added);

    ui.answers = {viaClose ? Answer::Yes : Answer::Ok, answer};
    const bool closed = viaClose ? logic.requestClose() : (logic.save(), false);
    const QString first =
        viaClose ? QStringLiteral("Unsaved Changes") : QStringLiteral("File Exists");
    if (shown.isEmpty()) {
        QCOMPARE(ui.titles(), QStringList{first});
        QVERIFY(!logic.HasUnsavedChanges());
        return;
    }
    QCOMPARE(ui.titles(), (QStringList{first, QStringLiteral("Check")}));
    const ScriptedUserInterface::Message& check = ui.messages.last();
    QCOMPARE(check.buttons, UserInterface::Buttons::OkCancel);
    QCOMPARE(check.icon, UserInterface::Icon::Exclamation);
    QVERIFY2(check.text.contains(shown), qPrintable(check.text));
    if (added.isEmpty()) // ten findings: the first eight, then how many more
        QVERIFY2(check.text.contains(QStringLiteral("Line 9: an empty line")) &&
                     !check.text.contains(QStringLiteral("Line 10:")) &&
                     check.text.contains(QStringLiteral("... and 2 more.")),
                 qPrintable(check.text));

    const bool saved = answer == Answer::Ok;
    QCOMPARE(readFile(file) == before, !saved);
    QCOMPARE(logic.HasUnsavedChanges(), !saved);
    // Cancel is a save that did not happen: asked again next time, and the window stays.
    QCOMPARE(logic.AskOverwrite(), !saved);
    QCOMPARE(closed, viaClose && saved);
}

QTEST_GUILESS_MAIN(TestSaveCheck)
#include "tst_savecheck.moc"
