#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/FrmSplash.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DisplayList.h"
#include "recordfile/RecordFileLogic.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The program started on a file: after the splash, the window of its kind with the file loaded.
class TestStartWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { UserInterfaceSwitch::installStandIn(&m_ui); }
    void init();
    void cleanup() { WindowChain::resetForTests(); }
    void opensWindowOfTheKind_data();
    void opensWindowOfTheKind();
    void missingFileStartsAsUsual();

private:
    DataWindow* afterSplash();

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
};

void TestStartWindow::init()
{
    modGlobal() = ModGlobal();
    m_ui = ScriptedUserInterface();
    WindowChain::resetForTests();
}

DataWindow* TestStartWindow::afterSplash()
{
    auto* splash = new FrmSplash();
    splash->show();
    splash->CloseSplash();
    return qobject_cast<DataWindow*>(WindowChain::current());
}

void TestStartWindow::opensWindowOfTheKind_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::newRow("stand") << "stands.slf" << QByteArray("A S1 t.tre @ xa\r\nB S1 1999\r\n")
                           << "frmStandData"
                           << "txtSlfFile";
    QTest::newRow("tree") << "plot.tre" << QByteArray("   1  1\r\n") << "frmTreeData"
                          << "txtTreeFile";
    QTest::newRow("location") << "big.loc" << QByteArray("A \"Big\" @ b.slf @ @\r\n")
                              << "frmLocData"
                              << "txtLocFile";
}

void TestStartWindow::opensWindowOfTheKind()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, window);
    QFETCH(QString, box);
    const QString path = m_dir.filePath(file);
    QVERIFY(writeFile(path, content));

    WindowChain::startWith({QStringLiteral("sapwright"), path});
    DataWindow* w = afterSplash();
    QCOMPARE(w->objectName(), window);
    QCOMPARE(w->findChild<QLineEdit*>(box)->text(), path);
    const QStringList lines = QString::fromLatin1(content).split(QStringLiteral("\r\n"));
    QCOMPARE(w->logic().display().lines(), lines); // the records, then the new-record slot
    QVERIFY(m_ui.messages.isEmpty());

    // The chain goes on as usual: leaving hands the name over, and the way back loads it again.
    if (window == QStringLiteral("frmStandData")) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdPreviousWindow")),
                          Qt::LeftButton);
        QCOMPARE(WindowChain::current()->objectName(), QStringLiteral("frmTreeData"));
        QCOMPARE(modGlobal().StandListFileName, path);
        QTest::mouseClick(
            WindowChain::current()->findChild<QPushButton*>(QStringLiteral("cmdNextWindow")),
            Qt::LeftButton);
        w = qobject_cast<DataWindow*>(WindowChain::current());
        QCOMPARE(w->logic().display().lines(), lines);
    }
}

void TestStartWindow::missingFileStartsAsUsual()
{
    const QString path = m_dir.filePath(QStringLiteral("gone.slf"));
    WindowChain::startWith({QStringLiteral("sapwright"), path});
    QCOMPARE(m_ui.titles(), QStringList{QStringLiteral("Error")});
    QVERIFY(m_ui.messages[0].text.contains(path));
    DataWindow* w = afterSplash();
    QCOMPARE(w->objectName(), QStringLiteral("frmTreeData"));
    QCOMPARE(modGlobal().StandListFileName, QString());
}

QTEST_MAIN(TestStartWindow)
#include "tst_startwindow.moc"
