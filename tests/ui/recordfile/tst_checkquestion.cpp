#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "species/VariantList.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeWindowLogic.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The real message boxes of the tree window when a save finds lines the simulator misreads.
class TestCheckQuestion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cancelLeavesFileOkWritesIt();

private:
    // Answers the message boxes as they come up, in order, and notes title and text of each.
    void answerBoxes(QList<QMessageBox::StandardButton> buttons);
    QStringList m_seen;
};

void TestCheckQuestion::answerBoxes(QList<QMessageBox::StandardButton> buttons)
{
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, timer, buttons]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || buttons.isEmpty())
            return;
        m_seen.append(box->windowTitle() + u'|' + box->text());
        box->button(buttons.takeFirst())->click();
        if (buttons.isEmpty())
            timer->deleteLater();
    });
    timer->start(10);
}

void TestCheckQuestion::cancelLeavesFileOkWritesIt()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plot.velk"));
    // LF line ends, so a save (CR LF) shows in the bytes. WF is no species of variant ie.
    const QByteArray before =
        "   1  1     11DF 12.0\n   1  2     11WF  8.5\n" + QByteArray(9, '\n');
    writeFile(file, before);
    modGlobal() = ModGlobal();
    modGlobal().TreeFileName = file;
    modGlobal().SpeciesVariantIndex = qint16(VariantList::positionOf(u"ie"));
    FrmTreeData window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.openFromSharedState();

    // The access key: "Overwrite file", then the check; Cancel writes nothing.
    answerBoxes({QMessageBox::Ok, QMessageBox::Cancel});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(m_seen.size(), 2);
    QVERIFY(m_seen[0].startsWith(QStringLiteral("File Exists|")));
    // Ten findings: the first eight, then how many more.
    for (const QString& part :
         {QStringLiteral("Check|"), QStringLiteral("\nLine 2: Species \"WF\""),
          QStringLiteral("\nLine 9: an empty line: "), QStringLiteral("\n... and 2 more."),
          QStringLiteral("OK saves the file anyway")})
        QVERIFY2(m_seen[1].contains(part) && !m_seen[1].contains(QStringLiteral("Line 10")),
                 qPrintable(m_seen[1]));
    QCOMPARE(readFile(file), before);

    // The close box: Yes at "Unsaved Changes", Cancel at the check: the window stays.
    m_seen.clear();
    window.treeLogic().select(10);
    window.treeLogic().deleteCurrent();
    answerBoxes({QMessageBox::Yes, QMessageBox::Cancel});
    window.close();
    QTRY_COMPARE(m_seen.size(), 2);
    QVERIFY(m_seen[1].startsWith(QStringLiteral("Check|")));
    QVERIFY(window.isVisible());
    QCOMPARE(readFile(file), before);

    // The button: OK at the check writes the file.
    m_seen.clear();
    answerBoxes({QMessageBox::Ok, QMessageBox::Ok});
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QTRY_COMPARE(m_seen.size(), 2);
    QVERIFY(m_seen[1].startsWith(QStringLiteral("Check|")));
    QCOMPARE(readFile(file), QByteArray(before).replace("\n", "\r\n").chopped(2));
    QVERIFY(!window.treeLogic().HasUnsavedChanges());
}

QTEST_MAIN(TestCheckQuestion)
#include "tst_checkquestion.moc"
