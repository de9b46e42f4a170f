#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/RecordFileLogic.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestUndoKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { UserInterfaceSwitch::installStandIn(&m_ui); }
    void cleanup() { WindowChain::resetForTests(); }
    void deletedRecordsComeBack_data();
    void deletedRecordsComeBack();

private:
    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
};

void TestUndoKeys::deletedRecordsComeBack_data()
{
    QTest::addColumn<WindowChain::Window>("window");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("clicked");   // the line clicked before deleting
    QTest::addColumn<int>("deletes");   // Backspace presses in the list; 0: the Delete button
    QTest::addColumn<int>("remaining"); // lines left after the deletes, the slot included
    QTest::addColumn<QString>("entryBox");
    QTest::addColumn<QString>("typed");

    QTest::newRow("tree, Backspace twice")
        << WindowChain::Window::Tree
        << QByteArray("   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n   1  3     11DF  9.5\r\n"
                      "   2  1     11PP 12.0\r\n")
        << 2 << 2 << 3 << QStringLiteral("txtTreeData_11") << QStringLiteral("5");
    QTest::newRow("stand, a whole set")
        << WindowChain::Window::Stand
        << QByteArray(
               "A S1 t.tre @ xa \r\nB S1 1999\r\nA S2 t.tre @ xa \r\nB S2 2001\r\nC S2 g1\r\n"
               "A S3 t.tre @ xa \r\nB S3 2004\r\n")
        << 3 << 0 << 5 << QStringLiteral("txtStandData_1") << QStringLiteral("Q");
}

void TestUndoKeys::deletedRecordsComeBack()
{
    QFETCH(WindowChain::Window, window);
    QFETCH(QByteArray, content);
    QFETCH(int, clicked);
    QFETCH(int, deletes);
    QFETCH(int, remaining);
    QFETCH(QString, entryBox);
    QFETCH(QString, typed);

    m_ui = ScriptedUserInterface();
    modGlobal() = ModGlobal();
    const QString file = m_dir.filePath(QStringLiteral("records"));
    writeFile(file, content);
    modGlobal().TreeFileName = modGlobal().StandListFileName = file;
    auto* w = static_cast<DataWindow*>(WindowChain::show(window));
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* list = w->findChild<QAbstractItemView*>(window == WindowChain::Window::Tree
                                                      ? QStringLiteral("lstDisplay")
                                                      : QStringLiteral("lstSlfDisplay"));
    const int shown = list->model()->rowCount();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(clicked, 0)).center());
    for (int k = 0; k < deletes; ++k)
        QTest::keyClick(list, Qt::Key_Backspace);
    if (deletes == 0)
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")), Qt::LeftButton);
    QCOMPARE(list->model()->rowCount(), remaining);
    const int steps = qMax(deletes, 1);

    // In the list or on the button the click focused.
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    QVERIFY(QApplication::focusWidget() == list ||
            qobject_cast<QPushButton*>(QApplication::focusWidget()));
    for (int k = 0; k < steps; ++k)
        press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(list->model()->rowCount(), shown);
    QVERIFY(!w->logic().HasUnsavedChanges());
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(list->model()->rowCount() < shown);
    QVERIFY(w->logic().HasUnsavedChanges());
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(list->model()->rowCount() < shown);
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(list->model()->rowCount(), shown);

    // In an entry box Ctrl+Z takes back the typing there, not a record.
    auto* box = w->findChild<QLineEdit*>(entryBox);
    const QString before = box->text();
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), before + typed);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), before);
    QVERIFY(w->logic().canRedo());

    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QCOMPARE(readFile(file), content);
}

QTEST_MAIN(TestUndoKeys)
#include "tst_undokeys.moc"
