#include "app/ModGlobal.h"
#include "TestFiles.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeWindowLogic.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs `answer` inside the modal dialog the next action opens.
void whenModalOpens(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace

class TestFrmTreeData : public QObject
{
    Q_OBJECT

    QPointer<FrmTreeData> m_window;

    template <typename T = QWidget> T* child(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* field(int i) const { return child<QLineEdit>(TreeWindowLogic::fieldBoxName(i)); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // Offscreen, the window is not activated again by itself after a modal dialog.
    void reactivate()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    // Types into the focused field, then Enter.
    void typeField(const QString& keys)
    {
        if (!keys.isEmpty())
            QTest::keyClicks(QApplication::focusWidget(), keys);
        enter();
    }

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        m_window = new FrmTreeData();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        m_window->openFromSharedState();
    }
    void cleanup() { delete m_window.data(); }

    void typesTwoTreesAndSaves()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("trees.velk"));
        QCOMPARE(focusName(), QStringLiteral("lstDisplay"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("txtTreeFile"));
        typeField(fileName);
        QCOMPARE(focusName(), QStringLiteral("lstDisplay"));
        enter();

        // The point in Plot number is refused as it is typed.
        for (const char* keys : {"1.2", "1", "2.5", "1", "df", "10.5", "3", "85", "", "", "5", "25",
                                 "3", "", "", "", "", "1", ""})
            typeField(QString::fromLatin1(keys));
        QCOMPARE(focusName(), QStringLiteral("cmdProcess"));
        enter();
        QCOMPARE(m_window->treeLogic().RecordCount(), 1);
        // The Tab sent after adding lands in the first field, never in the file name box.
        QTRY_COMPARE(focusName(), QStringLiteral("txtTreeData_1"));
        QCOMPARE(field(1)->selectedText(), QStringLiteral("12"));
        QCOMPARE(field(2)->text(), QString());

        for (const char* keys : {"", "2", "1", "", "wf"})
            typeField(QString::fromLatin1(keys));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(m_window->treeLogic().RecordCount(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!m_window->treeLogic().HasUnsavedChanges());
        QCOMPARE(readFile(fileName),
                 readFile(QStringLiteral(SAPWRIGHT_TEST_DATA "/tree_two_trees.velk")));
    }

    void switchesLocksAndHoverFrame()
    {
        QCOMPARE(child<QLabel>("imgSwitch_5")->isEnabled(), false);
        QCOMPARE(child<QLabel>("imgSwitch_13")->isVisible(), false);
        QLabel* treeSwitch = child<QLabel>("imgSwitch_2");
        QTest::mouseClick(treeSwitch, Qt::LeftButton);
        QCOMPARE(treeSwitch->property("tag").toString(), QStringLiteral("off"));
        QCOMPARE(treeSwitch->pixmap().toImage(), child<QLabel>("imgSwitch_99")->pixmap().toImage());
        QVERIFY(!field(2)->isEnabled());
        QCOMPARE(field(2)->text(), QStringLiteral("1"));
        QVERIFY(field(2)->palette().color(QPalette::Base) !=
                field(1)->palette().color(QPalette::Base));

        QTest::mouseClick(child("lblField_14"), Qt::LeftButton);
        QVERIFY(!field(15)->isEnabled());
        QTest::mouseClick(child("lblField_15"), Qt::LeftButton);
        QVERIFY(!field(15)->isEnabled());

        QLabel* lock = child<QLabel>("imgLock_5");
        QTest::mouseClick(lock, Qt::LeftButton);
        QCOMPARE(lock->property("tag").toString(), QStringLiteral("keep"));

        QLabel* frame = child<QLabel>("imgButton");
        QTest::mouseMove(lock);
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->pos(), lock->pos() - QPoint(2, 2));
        QTest::mouseMove(m_window, QPoint(2, m_window->height() - 2));
        QVERIFY(!frame->isVisible());
    }

    void tabOrderDialog()
    {
        whenModalOpens([](QWidget* dialog) {
            for (const char* name : {"lblField_6", "lblField_5", "lblField_2"})
                QTest::mouseClick(dialog->findChild<QWidget*>(name), Qt::LeftButton);
            auto* order = dialog->findChild<QLineEdit*>(QStringLiteral("txtOrder_5"));
            QCOMPARE(order->text(), QStringLiteral("2"));
            QVERIFY(!order->isEnabled());
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(child("imgTabOrder"), Qt::LeftButton);
        reactivate();
        QCOMPARE(focusName(), QStringLiteral("txtTreeData_6"));
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            enter();
            visited.append(focusName());
        }
        QCOMPARE(visited,
                 QStringList({"txtTreeData_5", "txtTreeData_2", "txtTreeData_1", "txtTreeData_3"}));
    }

    void speciesListFillsTheField()
    {
        whenModalOpens([](QWidget* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("cboVariant"))->setCurrentIndex(1);
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstSpecies"));
            list->setCurrentRow(0);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(child("cmdSpeciesList"), Qt::LeftButton);
        reactivate();
        QVERIFY(!field(5)->text().isEmpty());
        QCOMPARE(m_window->treeLogic().field(5), field(5)->text());
        QCOMPARE(focusName(), QStringLiteral("txtTreeData_5"));
    }
};

QTEST_MAIN(TestFrmTreeData)
#include "tst_frmtreedata.moc"
