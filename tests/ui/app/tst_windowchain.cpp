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
#include <QFile>
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

QPushButton* button(QWidget* window, const char* name)
{
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

int openDataWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<DataWindow*>(w) && w->isVisible())
            ++count;
    }
    return count;
}

} // namespace

class TestWindowChain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void splashShowsVersion();
    void splashClosesOnce_data();
    void splashClosesOnce();
    void splashIgnoresVersionLabelAndShift();
    void splashClosesByTimer();
    void windowsHaveTheirFrameAndButtons_data();
    void windowsHaveTheirFrameAndButtons();
    void chainHandsOverNamesAndPosition();
    void cancelledLeaveKeepsWindow();
    void exitWithoutSaving();
    void closeBoxEndsProgram();
    void startsOnNamedFile_data();
    void startsOnNamedFile();

private:
    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
};

void TestWindowChain::initTestCase()
{
    UserInterfaceSwitch::installStandIn(&m_ui);
}

void TestWindowChain::init()
{
    modGlobal() = ModGlobal();
    m_ui = ScriptedUserInterface();
    WindowChain::resetForTests();
}

void TestWindowChain::cleanup()
{
    WindowChain::resetForTests();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestWindowChain::splashShowsVersion()
{
    FrmSplash splash;
    const QString expected = QStringLiteral("Version %1/%2/%3")
                                 .arg(Version::Minor)
                                 .arg(Version::Revision)
                                 .arg(Version::Major);
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), expected);
    QCOMPARE(expected, QStringLiteral("Version 12/6/2026"));
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().size(),
             QSize(340, 226));
    QCOMPARE(splash.size(), QSize(365, 275));
}

void TestWindowChain::splashClosesOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << QStringLiteral("cmdOK");
    QTest::newRow("logo") << QStringLiteral("imgLogo");
    QTest::newRow("frame") << QStringLiteral("Frame1");
    QTest::newRow("window") << QStringLiteral("frmSplash");
    QTest::newRow("Esc") << QStringLiteral("Esc");
    QTest::newRow("letter") << QStringLiteral("x");
    QTest::newRow("Backspace") << QStringLiteral("Backspace");
}

void TestWindowChain::splashClosesOnce()
{
    QFETCH(QString, how);
    modGlobal().SpeciesVariantIndex = 8;
    QPointer<FrmSplash> splash = new FrmSplash();
    splash->move(300, 200);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    const QPoint position = splash->frameGeometry().topLeft();

    if (how == QStringLiteral("Esc"))
        QTest::keyClick(splash, Qt::Key_Escape);
    else if (how == QStringLiteral("Backspace"))
        QTest::keyClick(splash->findChild<QWidget*>(QStringLiteral("cmdOK")), Qt::Key_Backspace);
    else if (how == QStringLiteral("x")) {
        // A typed key goes to the focus, which the splash takes when it is shown.
        QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == splash);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    } else if (how == QStringLiteral("frmSplash"))
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(2, 2));
    else
        QTest::mouseClick(splash->findChild<QWidget*>(how), Qt::LeftButton, {}, QPoint(5, 5));

    QVERIFY(splash.isNull() || splash->isClosing());
    QTRY_VERIFY(splash.isNull());
    QCOMPARE(openDataWindows(), 1);
    QCOMPARE(current()->objectName(), QStringLiteral("frmTreeData"));
    QCOMPARE(int(modGlobal().WindowLeft), int(ModGlobal::toTwips16(position.x() * 15 * 0.66)));
    QCOMPARE(int(modGlobal().WindowTop), int(ModGlobal::toTwips16(position.y() * 15 / 2.0)));
    QCOMPARE(current()->pos(), QPoint(modGlobal().WindowLeft / 15, modGlobal().WindowTop / 15));
    QCOMPARE(int(modGlobal().SpeciesVariantIndex), 0);
    // Nothing a second time, even when the timer would have run out.
    QTest::qWait(50);
    QCOMPARE(openDataWindows(), 1);
}

void TestWindowChain::splashIgnoresVersionLabelAndShift()
{
    FrmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(splash.findChild<QWidget*>(QStringLiteral("lblVersion")), Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Shift);
    QVERIFY(!splash.isClosing());
    QCOMPARE(openDataWindows(), 0);
}

void TestWindowChain::splashClosesByTimer()
{
    QPointer<FrmSplash> splash = new FrmSplash();
    splash->show();
    QTest::qWait(2500);
    QVERIFY(!splash.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
    QCOMPARE(openDataWindows(), 1);
}

void TestWindowChain::windowsHaveTheirFrameAndButtons_data()
{
    QTest::addColumn<WindowChain::Window>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QStringList>("buttons"); // name, caption, tooltip triples

    QTest::newRow("tree") << WindowChain::Window::Tree << QStringLiteral("frmTreeData")
                          << QStringLiteral("Sapwright - Tree Data") << QSize(465, 521)
                          << QStringList{"cmdNextWindow", "&Next Window  >>",
                                         "Stand List File window"};
    QTest::newRow("stand") << WindowChain::Window::Stand << QStringLiteral("frmStandData")
                           << QStringLiteral("Sapwright - Stand Data") << QSize(597, 524)
                           << QStringList{"cmdPreviousWindow",     "<< &Prev. Window",
                                          "Tree Data File window", "cmdNextWindow",
                                          "&Next Window >>",       "Locations File window"};
    QTest::newRow("location")
        << WindowChain::Window::Location << QStringLiteral("frmLocData")
        << QStringLiteral("Sapwright - Location Data") << QSize(597, 437)
        << QStringList{"cmdPreviousWindow", "<< &Prev. Window", "", "cmdExit", "E&xit", ""};
}

void TestWindowChain::windowsHaveTheirFrameAndButtons()
{
    QFETCH(WindowChain::Window, window);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QSize, client);
    QFETCH(QStringList, buttons);
    QWidget* w = WindowChain::show(window);
    QCOMPARE(w->objectName(), name);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->size(), client);
    QVERIFY(!w->windowIcon().isNull());
    for (qsizetype i = 0; i < buttons.size(); i += 3) {
        QPushButton* b = w->findChild<QPushButton*>(buttons[i]);
        QVERIFY2(b, qPrintable(buttons[i]));
        QCOMPARE(b->text(), buttons[i + 1]);
        QCOMPARE(b->toolTip(), buttons[i + 2]);
    }
}

void TestWindowChain::chainHandsOverNamesAndPosition()
{
    const QString treeFile = m_dir.filePath(QStringLiteral("plot.tre"));
    modGlobal().WindowLeft = 1500;
    modGlobal().WindowTop = 750;
    WindowChain::show(WindowChain::Window::Tree);
    DataWindow* tree = current();
    QCOMPARE(tree->pos(), QPoint(100, 50));
    tree->findChild<QLineEdit*>(QStringLiteral("txtTreeFile"))->setText(treeFile);
    tree->move(200, 120);
    QTest::mouseClick(button(tree, "cmdNextWindow"), Qt::LeftButton);

    DataWindow* stand = current();
    QCOMPARE(stand->objectName(), QStringLiteral("frmStandData"));
    QCOMPARE(modGlobal().TreeFileName, treeFile);
    QCOMPARE(stand->pos(), QPoint(200, 120));
    QCOMPARE(stand->findChild<QLineEdit*>(QStringLiteral("txtTreeFile"))->text(), treeFile);
    stand->findChild<QLineEdit*>(QStringLiteral("txtSlfFile"))->setText(QStringLiteral("s.slf"));
    QTest::mouseClick(button(stand, "cmdNextWindow"), Qt::LeftButton);

    DataWindow* location = current();
    QCOMPARE(location->objectName(), QStringLiteral("frmLocData"));
    QCOMPARE(location->findChild<QLineEdit*>(QStringLiteral("txtLocFile"))->text(),
             QStringLiteral("vorlin.loc"));
    QCOMPARE(modGlobal().LocationsFileName, QStringLiteral("vorlin.loc"));
    QCOMPARE(location->findChild<QLineEdit*>(QStringLiteral("txtSlfFile"))->text(),
             QStringLiteral("s.slf"));
    QTest::mouseClick(button(location, "cmdPreviousWindow"), Qt::LeftButton);

    // Back at the stand window, a known Stand List File leaves the tree-file box empty.
    stand = current();
    QCOMPARE(stand->objectName(), QStringLiteral("frmStandData"));
    QCOMPARE(stand->findChild<QLineEdit*>(QStringLiteral("txtSlfFile"))->text(),
             QStringLiteral("s.slf"));
    QCOMPARE(stand->findChild<QLineEdit*>(QStringLiteral("txtTreeFile"))->text(), QString());
    QTest::mouseClick(button(stand, "cmdPreviousWindow"), Qt::LeftButton);
    QCOMPARE(current()->findChild<QLineEdit*>(QStringLiteral("txtTreeFile"))->text(), treeFile);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openDataWindows(), 1);
    QVERIFY(m_ui.messages.isEmpty());
}

void TestWindowChain::cancelledLeaveKeepsWindow()
{
    WindowChain::show(WindowChain::Window::Tree);
    DataWindow* tree = current();
    tree->logic().process(QStringLiteral("a record"));
    m_ui.answers = {Answer::Cancel};
    QTest::mouseClick(button(tree, "cmdNextWindow"), Qt::LeftButton);
    QCOMPARE(current(), tree);
    QVERIFY(tree->isVisible());
    QVERIFY(tree->logic().UnloadCancelled());
    QCOMPARE(m_ui.titles(), QStringList{QStringLiteral("Unsaved Changes")});
    QCOMPARE(openDataWindows(), 1);
    QVERIFY(!WindowChain::programEnded());
}

void TestWindowChain::exitWithoutSaving()
{
    const QString file = m_dir.filePath(QStringLiteral("exit.loc"));
    modGlobal().LocationsFileName = file;
    WindowChain::show(WindowChain::Window::Tree);
    QTest::mouseClick(button(current(), "cmdNextWindow"), Qt::LeftButton);
    QTest::mouseClick(button(current(), "cmdNextWindow"), Qt::LeftButton);
    DataWindow* location = current();
    QCOMPARE(location->objectName(), QStringLiteral("frmLocData"));
    location->logic().process(QStringLiteral("A \"x\" @ x.slf @ @"));

    m_ui.answers = {Answer::Cancel};
    QTest::mouseClick(button(location, "cmdExit"), Qt::LeftButton);
    QVERIFY(!WindowChain::programEnded());
    QVERIFY(location->isVisible());

    m_ui.answers = {Answer::No};
    QTest::mouseClick(button(location, "cmdExit"), Qt::LeftButton);
    QVERIFY(WindowChain::programEnded());
    QCOMPARE(m_ui.messages.size(), 2); // asked once per click, never again on closing
    QVERIFY(!QFile::exists(file));
}

void TestWindowChain::closeBoxEndsProgram()
{
    WindowChain::show(WindowChain::Window::Stand);
    QVERIFY(current()->close());
    QVERIFY(WindowChain::programEnded());
}

void TestWindowChain::startsOnNamedFile_data()
{
    QTest::addColumn<QString>("file"); // empty: a file that does not exist
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::newRow("stand") << "s.slf" << QByteArray("A S1 t.tre @ xa\r\nB S1 1999\r\n")
                           << "frmStandData"
                           << "txtSlfFile";
    QTest::newRow("tree") << "t.tre" << QByteArray("   1  1\r\n") << "frmTreeData"
                          << "txtTreeFile";
    QTest::newRow("location") << "l.loc" << QByteArray("A \"Big\" @ b.slf @ @\r\n") << "frmLocData"
                              << "txtLocFile";
    QTest::newRow("missing") << "" << QByteArray() << "frmTreeData"
                             << "txtTreeFile";
}

void TestWindowChain::startsOnNamedFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, window);
    QFETCH(QString, box);
    const QString path = m_dir.filePath(file.isEmpty() ? QStringLiteral("gone.slf") : file);
    QVERIFY(file.isEmpty() || writeFile(path, content));

    WindowChain::startWith({QStringLiteral("sapwright"), path});
    (new FrmSplash())->CloseSplash();
    DataWindow* w = current();
    QCOMPARE(w->objectName(), window);
    if (file.isEmpty()) {
        // Named in a message, then the program starts as without a file.
        QCOMPARE(m_ui.titles(), QStringList{QStringLiteral("Error")});
        QVERIFY(m_ui.messages[0].text.contains(path));
        QCOMPARE(modGlobal().StandListFileName, QString());
        return;
    }
    // Loaded as if typed: the records, then the new-record slot.
    const QStringList lines = QString::fromLatin1(content).split(QStringLiteral("\r\n"));
    QCOMPARE(w->findChild<QLineEdit*>(box)->text(), path);
    QCOMPARE(w->logic().display().lines(), lines);
    QVERIFY(m_ui.messages.isEmpty());
    if (window == QStringLiteral("frmStandData")) {
        // The chain goes on as usual: back to the tree window and forth again reloads the file.
        QTest::mouseClick(button(w, "cmdPreviousWindow"), Qt::LeftButton);
        QTest::mouseClick(button(current(), "cmdNextWindow"), Qt::LeftButton);
        QCOMPARE(current()->logic().display().lines(), lines);
    }
}

QTEST_MAIN(TestWindowChain)
#include "tst_windowchain.moc"
