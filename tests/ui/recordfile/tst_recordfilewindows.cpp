#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/RecordFileLogic.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

class TestRecordFileWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void fileBoxListAndButtonsWorkTogether_data();
    void fileBoxListAndButtonsWorkTogether();
    void deleteKeyInTreeList();

private:
    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
};

void TestRecordFileWindows::initTestCase()
{
    UserInterfaceSwitch::installStandIn(&m_ui);
}

void TestRecordFileWindows::init()
{
    modGlobal() = ModGlobal();
    m_ui = ScriptedUserInterface();
    WindowChain::resetForTests();
}

void TestRecordFileWindows::cleanup()
{
    WindowChain::resetForTests();
}

void TestRecordFileWindows::fileBoxListAndButtonsWorkTogether_data()
{
    QTest::addColumn<WindowChain::Window>("window");
    QTest::addColumn<QString>("fileBox");
    QTest::addColumn<QString>("list");
    QTest::addColumn<double>("points");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("browsed");

    QTest::newRow("tree") << WindowChain::Window::Tree << QStringLiteral("txtTreeFile")
                          << QStringLiteral("lstDisplay") << 9.75
                          << QByteArray("   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n")
                          << QStringLiteral(".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files "
                                            "(*.tre)|*.tre|All Files (*.*)|*.*");
    QTest::newRow("stand") << WindowChain::Window::Stand << QStringLiteral("txtSlfFile")
                           << QStringLiteral("lstSlfDisplay") << 8.25
                           << QByteArray("A S1 @ @ ie\r\nA S2 @ @ ie\r\n")
                           << QStringLiteral("Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*");
    QTest::newRow("location") << WindowChain::Window::Location << QStringLiteral("txtLocFile")
                              << QStringLiteral("lstLocDisplay") << 8.25
                              << QByteArray("A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\n")
                              << QStringLiteral(
                                     "Locations Files (*.loc)|*.loc|All Files (*.*)|*.*");
}

void TestRecordFileWindows::fileBoxListAndButtonsWorkTogether()
{
    QFETCH(WindowChain::Window, window);
    QFETCH(QString, fileBox);
    QFETCH(QString, list);
    QFETCH(double, points);
    QFETCH(QByteArray, content);
    QFETCH(QString, browsed);

    const QString first = m_dir.filePath(QStringLiteral("first"));
    const QString second = m_dir.filePath(QStringLiteral("second"));
    writeFile(first, content);
    writeFile(second, content.left(content.indexOf('\n') + 1));

    auto* w = static_cast<DataWindow*>(WindowChain::show(window));
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* box = w->findChild<QLineEdit*>(fileBox);
    auto* view = w->findChild<QAbstractItemView*>(list);
    auto* process = w->findChild<QPushButton*>(QStringLiteral("cmdProcess"));
    auto* remove = w->findChild<QPushButton*>(QStringLiteral("cmdDelete"));
    auto* last = w->findChild<QPushButton*>(QStringLiteral("cmdLast"));
    QVERIFY(box && view && process && remove && last);
    const QFontMetrics metrics(view->font());
    QCOMPARE(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));
    QCOMPARE(view->font().pointSizeF(), points);

    // Typing a name and leaving the box loads the file.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, first);
    view->setFocus();
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->currentIndex().row(), 2);
    QCOMPARE(process->property("tag").toString(), QStringLiteral("add"));
    QVERIFY(!remove->isEnabled() && !last->isEnabled());

    // Selecting a record: edit mode; the V button goes back to the slot.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    QCOMPARE(process->text(), QStringLiteral("&Update Record"));
    QCOMPARE(process->property("tag").toString(), QStringLiteral("edit"));
    QVERIFY(remove->isEnabled() && last->isEnabled());
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(view->currentIndex().row(), 2);
    QCOMPARE(process->property("tag").toString(), QStringLiteral("add"));

    // Delete the first record, then save over the file after the overwrite question.
    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(view->model()->rowCount(), 2);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QCOMPARE(m_ui.titles(), QStringList{QStringLiteral("File Exists")});
    QCOMPARE(readFile(first), content.mid(content.indexOf('\n') + 1));

    // Browse with the window's filter; the file replaces the display after the exists dialog.
    m_ui.fileDialogAnswers = {second};
    m_ui.fileExistsAnswers = {true};
    QTest::mouseClick(w->findChild<QPushButton*>(fileBox == QStringLiteral("txtTreeFile")
                                                     ? QStringLiteral("cmdBrowseTree")
                                                 : fileBox == QStringLiteral("txtSlfFile")
                                                     ? QStringLiteral("cmdBrowseSlf")
                                                     : QStringLiteral("cmdBrowseLoc")),
                      Qt::LeftButton);
    QCOMPARE(m_ui.fileDialogFilters, QStringList{browsed});
    QCOMPARE(m_ui.fileExistsAsked, QStringList{second});
    QCOMPARE(box->text(), second);
    QCOMPARE(view->model()->rowCount(), 2);

    // Clear Display leaves only the slot.
    m_ui.answers = {Answer::Ok};
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdClear")), Qt::LeftButton);
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(m_ui.messages.last().text, QStringLiteral("Clear all records from the display?"));
}

void TestRecordFileWindows::deleteKeyInTreeList()
{
    const QString file = m_dir.filePath(QStringLiteral("keys.tre"));
    writeFile(file, "a\r\nb\r\n");
    modGlobal().TreeFileName = file;
    auto* w = static_cast<DataWindow*>(WindowChain::show(WindowChain::Window::Tree));
    auto* view = w->findChild<QAbstractItemView*>(QStringLiteral("lstDisplay"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete); // on the slot: nothing
    QCOMPARE(view->model()->rowCount(), 3);
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(w->logic().display().lines(), (QStringList{QStringLiteral("a"), QString()}));
    QVERIFY(w->logic().HasUnsavedChanges());
}

QTEST_MAIN(TestRecordFileWindows)
#include "tst_recordfilewindows.moc"
