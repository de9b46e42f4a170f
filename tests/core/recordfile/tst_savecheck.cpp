#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileLogic.h"
#include "species/VariantList.h"

#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

// The "Check" question after the Yes of "Unsaved Changes", before anything is written (the
// Save button's path is tried in the window's widget test).
class TestSaveCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionBeforeWriting_data();
    void questionBeforeWriting();
};

void TestSaveCheck::questionBeforeWriting_data()
{
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("shown"); // what the question says; empty: no question

    const QString empty;
    const QString wf = QStringLiteral("   1  2     11WF  8.5");
    const QString tenEmpty = QStringLiteral("Line 2: an empty line: ");
    QTest::newRow("OK") << empty << QString() << Answer::Ok << tenEmpty;
    QTest::newRow("Cancel") << empty << QString() << Answer::Cancel << tenEmpty;
    QTest::newRow("a species of the variant chosen")
        << wf << QStringLiteral("ca") << Answer::Cancel << QString();
    QTest::newRow("a species of another variant")
        << wf << QStringLiteral("ie") << Answer::Cancel
        << QStringLiteral("Line 2: Species \"WF\": not a species code of variant ie");
}

void TestSaveCheck::questionBeforeWriting()
{
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

    ui.answers = {Answer::Yes, answer};
    const bool closed = logic.requestClose();
    if (shown.isEmpty()) {
        QCOMPARE(ui.titles(), QStringList{QStringLiteral("Unsaved Changes")});
        QVERIFY(closed && !logic.HasUnsavedChanges());
        return;
    }
    QCOMPARE(ui.titles(),
             (QStringList{QStringLiteral("Unsaved Changes"), QStringLiteral("Check")}));
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
    QCOMPARE(closed, saved);
}

QTEST_GUILESS_MAIN(TestSaveCheck)
#include "tst_savecheck.moc"
