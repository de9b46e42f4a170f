#include "TestFiles.h"
#include "WindowTest.h"
#include "stand/FrmStandData.h"
#include "stand/StandWindowLogic.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>

using namespace Drive;

// The stand data window driven from the keyboard and the mouse, with its variant picker.
class TestFrmStandData : public QObject, WindowTest
{
    Q_OBJECT

    QString text(const char* name) const { return find<QLineEdit>(m_window, name)->text(); }
    // Opens the variant picker with its access key and runs `inPicker` in it.
    void throughVariants(const std::function<void()>& inPicker)
    {
        inDialog(
            m_window, [] { key(Qt::Key_L, Qt::AltModifier); },
            [&](QDialog* dialog) {
                auto* list = find<QListWidget>(dialog, "lstVariants");
                QCOMPARE(focusName(), "OKButton");
                for (int i = 0; i < list->count(); ++i)
                    QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
                inPicker();
            });
    }

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

    void standTypesAStandFromTheKeyboard()
    {
        modGlobal().TreeFileName = "plot1.velk";
        auto* window = open<FrmStandData>();
        find(window, "txtSlfFile")->setFocus();
        QCOMPARE(text("txtTreeFile"), "plot1.velk");
        const QString fileName = m_dir.filePath("typed.slf");
        writeFile(m_dir.filePath("plot1.velk"), {}); // named by the A line
        typeField(fileName);
        typeField(); // the tree data file handed over
        // Two variants ticked from the keyboard, the third one first.
        throughVariants([] {
            key(Qt::Key_Tab);
            key(Qt::Key_Tab);
            for (const Qt::Key k : {Qt::Key_End, Qt::Key_Home, Qt::Key_Down, Qt::Key_Down,
                                    Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space})
                key(k);
            key(Qt::Key_Tab);
            key(Qt::Key_Return);
        });
        QCOMPARE(text("txtVariant"), "ak ca");
        // Cancel, and a second opening that starts unticked, leave the box as it is.
        throughVariants([] {
            key(Qt::Key_Tab);
            key(Qt::Key_Return);
        });
        QCOMPARE(text("txtVariant"), "ak ca");
        key(Qt::Key_Return);
        keys("G1");
        // A pasted character without a byte in the file is refused whole.
        QApplication::clipboard()->setText("\n\u03b1");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_ui.beeps, 1);
        key(Qt::Key_Return); // a new line in the grouping box
        keys("G2");
        key(Qt::Key_Tab);
        // The x in the year and the minus after the digits are refused as they are typed.
        for (const char* text : {"S1", "19x99", "46.5", "117.2-", "103", "", "", "", "", "", "-20"})
            typeField(text);
        // Alt+F turns the addfiles switch on and off; the focus stays where it was.
        const QString before = focusName();
        key(Qt::Key_F, Qt::AltModifier);
        QVERIFY(find(window, "txtAddfile")->isEnabled());
        key(Qt::Key_F, Qt::AltModifier);
        QVERIFY(!find(window, "txtAddfile")->isEnabled());
        QCOMPARE(focusName(), before);
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window->standLogic().RecordCount(), 3);
        QCOMPARE(text("txtStandData_1"), "S1");

        // The Tab after the add lands in the list; Down passes the whole set, a click on its
        // B line shows the set, and the list highlights the set's A line.
        QTRY_COMPARE(focusName(), "lstSlfDisplay");
        key(Qt::Key_Home);
        key(Qt::Key_Down);
        QCOMPARE(window->standLogic().CurrentIndex(), 3);
        auto* list = qobject_cast<QAbstractItemView*>(focused());
        const QModelIndex a = list->model()->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(a.siblingAtRow(1)).center());
        QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{a});
        QCOMPARE(list->currentIndex(), a);
        for (int i = 0; i < 4; ++i)
            key(Qt::Key_Tab);
        QCOMPARE(focusName(), "txtGroups");
        key(Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_Return);
        keys("G3");
        key(Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(window->standLogic().field(StandBox::Groups).endsWith("G3"));
        QTRY_COMPARE(window->standLogic().display().line(2), "C S1 G1 G2 G3");
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!window->standLogic().HasUnsavedChanges());
        QCOMPARE(readFile(fileName), readFile(SAPWRIGHT_TEST_DATA "/stand_typed.slf"));
        QVERIFY(m_ui.messages.isEmpty());
    }
};

QTEST_MAIN(TestFrmStandData)
#include "tst_frmstanddata.moc"
