#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "Version.h"
#include "app/DataWindow.h"
#include "app/FrmSplash.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DisplayList.h"
#include "recordfile/RecordFileLogic.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

DataWindow* current()
{
    return qobject_cast<DataWindow*>(WindowChain::current());
}

QString text(const char* box)
{
    return current()->findChild<QLineEdit*>(QString::fromLatin1(box))->text();
}

// Clicks a button of the current window.
void click(const char* name)
{
    QTest::mouseClick(current()->findChild<QPushButton*>(QString::fromLatin1(name)),
                      Qt::LeftButton);
}

int openDataWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<DataWindow*>(w) && w->isVisible();
    return count;
}

} // namespace

class TestWindowChain : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { UserInterfaceSwitch::installStandIn(&m_ui); }
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
        WindowChain::resetForTests();
    }
    void cleanup()
    {
        WindowChain::resetForTests();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void splashCloses_data()
    {
        QTest::addColumn<QString>("how"); // a control clicked, or a key; "" a click that is none
        for (const char* how : {"cmdOK", "imgLogo", "frmSplash", "Esc", "x", "Backspace", ""})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void splashCloses()
    {
        QFETCH(QString, how);
        modGlobal().SpeciesVariantIndex = 8;
        QPointer<FrmSplash> splash = new FrmSplash();
        splash->move(300, 200);
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(),
                 QStringLiteral("Version %1/%2/%3")
                     .arg(Version::Minor)
                     .arg(Version::Revision)
                     .arg(Version::Major));
        const QPoint position = splash->frameGeometry().topLeft();
        // A typed key goes to the focus, which the splash takes when it is shown.
        QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == splash);
        const QMap<QString, Qt::Key> keys = {
            {"Esc", Qt::Key_Escape}, {"x", Qt::Key_X}, {"Backspace", Qt::Key_Backspace}};
        if (how.isEmpty()) {
            // Neither the version label nor Shift closes it.
            QTest::mouseClick(splash->findChild<QWidget*>("lblVersion"), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Shift);
            QVERIFY(!splash->isClosing());
            delete splash;
            return;
        }
        if (keys.contains(how))
            QTest::keyClick(QApplication::focusWidget(), keys[how]);
        else
            QTest::mouseClick(how == "frmSplash" ? splash : splash->findChild<QWidget*>(how),
                              Qt::LeftButton, {}, QPoint(3, 3));

        QTRY_VERIFY(splash.isNull());
        QCOMPARE(current()->objectName(), "frmTreeData");
        QCOMPARE(int(modGlobal().WindowLeft), int(ModGlobal::toTwips16(position.x() * 15 * 0.66)));
        QCOMPARE(int(modGlobal().WindowTop), int(ModGlobal::toTwips16(position.y() * 15 / 2.0)));
        QCOMPARE(current()->pos(), QPoint(modGlobal().WindowLeft / 15, modGlobal().WindowTop / 15));
        QCOMPARE(int(modGlobal().SpeciesVariantIndex), 0);
        // Nothing a second time, even when the timer would have run out.
        QTest::qWait(50);
        QCOMPARE(openDataWindows(), 1);
    }

    void splashClosesByTimer()
    {
        QPointer<FrmSplash> splash = new FrmSplash();
        splash->show();
        QTest::qWait(2500);
        QVERIFY(!splash.isNull());
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
        QCOMPARE(openDataWindows(), 1);
    }

    // Tree -> stand -> location -> back twice -> on again, the names and the position handed
    // on; Exit asks once and writes nothing.
    void chainHandsOverNamesAndPosition()
    {
        const QString treeFile = m_dir.filePath("plot.tre");
        const QString locFile = m_dir.filePath("exit.loc");
        modGlobal().WindowLeft = 1500;
        modGlobal().WindowTop = 750;
        WindowChain::show(WindowChain::Window::Tree);
        QCOMPARE(current()->pos(), QPoint(100, 50));
        current()->findChild<QLineEdit*>("txtTreeFile")->setText(treeFile);
        current()->move(200, 120);
        const auto is = [](const char* name) {
            QCOMPARE(current()->objectName(), name);
            QCOMPARE(current()->pos(), QPoint(200, 120));
        };
        click("cmdNextWindow");
        is("frmStandData");
        QCOMPARE(modGlobal().TreeFileName, treeFile);
        QCOMPARE(text("txtTreeFile"), treeFile);
        current()->findChild<QLineEdit*>("txtSlfFile")->setText("s.slf");
        click("cmdNextWindow");
        is("frmLocData");
        QCOMPARE(text("txtLocFile") + ' ' + modGlobal().LocationsFileName, "vorlin.loc vorlin.loc");
        QCOMPARE(text("txtSlfFile"), "s.slf");
        current()->findChild<QLineEdit*>("txtLocFile")->setText(locFile);
        click("cmdPreviousWindow");
        // Back at the stand window, a known Stand List File leaves the tree-file box empty.
        QCOMPARE(text("txtSlfFile") + '|' + text("txtTreeFile"), "s.slf|");
        click("cmdPreviousWindow");
        QCOMPARE(text("txtTreeFile"), treeFile);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(openDataWindows(), 1);
        QVERIFY(m_ui.messages.isEmpty());

        click("cmdNextWindow");
        click("cmdNextWindow");
        QCOMPARE(text("txtLocFile"), locFile);
        DataWindow* location = current();
        location->logic().process("A \"x\" @ x.slf @ @");
        m_ui.answers = {Answer::Cancel};
        click("cmdExit");
        QVERIFY(!WindowChain::programEnded() && location->isVisible());
        m_ui.answers = {Answer::No};
        click("cmdExit");
        QVERIFY(WindowChain::programEnded());
        QCOMPARE(m_ui.titles(), QStringList(2, "Unsaved Changes")); // never again on closing
        QVERIFY(!QFile::exists(locFile));
    }

    void cancelledLeaveKeepsWindowCloseBoxEnds()
    {
        WindowChain::show(WindowChain::Window::Tree);
        DataWindow* tree = current();
        tree->logic().process("a record");
        m_ui.answers = {Answer::Cancel};
        click("cmdNextWindow");
        QCOMPARE(current(), tree);
        QVERIFY(tree->isVisible() && tree->logic().UnloadCancelled());
        QCOMPARE(m_ui.titles(), QStringList{"Unsaved Changes"});
        QVERIFY(!WindowChain::programEnded());
        m_ui.answers = {Answer::No};
        QVERIFY(tree->close()); // the close box ends the program
        QVERIFY(WindowChain::programEnded());
    }

    void startsOnNamedFile_data()
    {
        QTest::addColumn<QString>("file"); // empty: a file that does not exist
        QTest::newRow("stand") << "s.slf";
        QTest::newRow("missing") << "";
    }
    void startsOnNamedFile()
    {
        QFETCH(QString, file);
        const QString path = m_dir.filePath(file.isEmpty() ? "gone.slf" : file);
        const QByteArray content("A S1 t.tre @ xa\r\nB S1 1999\r\n");
        QVERIFY(file.isEmpty() || writeFile(path, content));

        WindowChain::startWith({"sapwright", path});
        (new FrmSplash())->CloseSplash();
        if (file.isEmpty()) {
            // Named in a message, then the program starts as without a file.
            QCOMPARE(current()->objectName(), "frmTreeData");
            QCOMPARE(m_ui.titles(), QStringList{"Error"});
            QVERIFY(m_ui.messages[0].text.contains(path));
            QCOMPARE(modGlobal().StandListFileName, QString());
            return;
        }
        // Loaded as if typed: the records, then the new-record slot.
        const QStringList lines = QString::fromLatin1(content).split("\r\n");
        QCOMPARE(current()->objectName(), "frmStandData");
        QCOMPARE(text("txtSlfFile"), path);
        QCOMPARE(current()->logic().display().lines(), lines);
        QVERIFY(m_ui.messages.isEmpty());
        // The chain goes on as usual: back to the tree window and forth again reloads the file.
        click("cmdPreviousWindow");
        click("cmdNextWindow");
        QCOMPARE(current()->logic().display().lines(), lines);
    }
};

QTEST_MAIN(TestWindowChain)
#include "tst_windowchain.moc"
