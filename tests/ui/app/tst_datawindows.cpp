#include "Drive.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "location/FrmLocData.h"
#include "location/LocationWindowLogic.h"
#include "stand/FrmStandData.h"
#include "stand/StandWindowLogic.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeRecord.h"
#include "tree/TreeWindowLogic.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Drive;

// The three data windows driven from the keyboard and the mouse as a forester does.
class TestDataWindows : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    QPointer<QWidget> m_window;

    // The window of that kind, shown and opened on the shared values.
    template <typename W> W* open()
    {
        auto* window = new W();
        m_window = window;
        if (!showActive(window))
            qFatal("%s is not active", qPrintable(window->objectName()));
        window->openFromSharedState();
        return window;
    }
    FrmStandData* openStand()
    {
        auto* window = open<FrmStandData>();
        find(window, "txtSlfFile")->setFocus();
        return window;
    }
    QString text(const char* name) const { return find<QLineEdit>(m_window, name)->text(); }
    QLineEdit* treeField(int i) const
    {
        return find<QLineEdit>(m_window, TreeWindowLogic::fieldBoxName(i));
    }
    // Clicks `opener`, runs `answer` in the dialog it opens, then closes it with the button
    // `closer`, or as the window manager does when there is none.
    void throughDialog(const QString& opener, const std::function<void(QWidget*)>& answer,
                       const QString& closer = "OKButton")
    {
        inDialog(
            m_window, [&] { click(m_window, opener); },
            [&](QDialog* dialog) {
                answer(dialog);
                if (closer.isEmpty())
                    dialog->close();
                else
                    click(dialog, closer);
            });
    }
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
    // Enabled states of the controls the location record kind switches, then the kind.
    QString locationStates() const
    {
        QString s;
        for (const char* name :
             {"lblTypeA_0", "txtSlfFile", "cmdBrowseSlf", "txtLocation", "lblTypeB_1",
              "txtAddfileGroup", "txtAddfile", "cmdBrowseAddfile", "txtStandId", "txtGroups"})
            s += find(m_window, name)->isEnabled() ? u'1' : u'0';
        return s + (find<QRadioButton>(m_window, "optTypeB")->isChecked() ? " B" : " A");
    }

private Q_SLOTS:
    void initTestCase() { UserInterfaceSwitch::installStandIn(&m_ui); }
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
    }
    void cleanup() { delete m_window; }

    void treeTypesTwoTreesAndSaves()
    {
        auto* window = open<FrmTreeData>();
        QTemporaryDir dir;
        const QString fileName = dir.filePath("trees.velk");
        // From the display list: back to the file name box, then Enter loads and moves on.
        key(Qt::Key_Backtab);
        typeField(fileName);
        typeField();
        // The point in Plot number is refused as it is typed.
        for (const char* keys : {"1.2", "1", "2.5", "1", "df", "10.5", "3", "85", "", "", "5", "25",
                                 "3", "", "", "", "", "1", ""})
            typeField(keys);
        typeField();
        // The Tab sent after adding lands in the first field, never in the file name box.
        QTRY_COMPARE(focusName(), "txtTreeData_1");
        for (const char* keys : {"", "2", "1", "", "wf"})
            typeField(keys);
        keys("5");
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window->treeLogic().RecordCount(), 2);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!window->treeLogic().HasUnsavedChanges());
        QCOMPARE(readFile(fileName), readFile(SAPWRIGHT_TEST_DATA "/tree_two_trees.velk"));
    }

    void treeDeleteShowsTheRecordAboveAndUpdateKeepsTheTail()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("ten.velk");
        auto tree = [](int number, const QString& species = "DF") {
            return FormatTreeRecord({{{}, "1", QString::number(number), {}, {}, species, "5"}});
        };
        // Plot data of another tool past column 49 of the ninth tree.
        const QString tail = QStringLiteral(" 25 180 HT3");
        QByteArray bytes;
        for (int number = 1; number <= 10; ++number)
            bytes += (tree(number) + (number == 9 ? tail : QString())).toLatin1() + "\r\n";
        writeFile(fileName, bytes);
        modGlobal().TreeFileName = fileName;
        auto* window = open<FrmTreeData>();
        auto* list = find<QAbstractItemView>(window, "lstDisplay");
        const auto shown = [&] {
            return treeField(2)->text() + u' ' + QString::number(list->currentIndex().row()) +
                   u' ' + find(window, "cmdProcess")->property("tag").toString();
        };
        // The seventh tree, with the button, then the last, with the Delete key: the tree
        // above is shown, never the slot.
        clickRow(list, 6);
        click(window, "cmdDelete");
        QCOMPARE(shown(), "6 5 edit");
        clickRow(list, 8);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(shown(), "9 7 edit");

        treeField(5)->setFocus();
        QTest::keyClicks(treeField(5), "wf");
        QTest::keyClick(treeField(5), Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(window->treeLogic().display().line(7), tree(9, "WF") + tail);
        // On the slot, Backspace deletes nothing.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->model()->rowCount(), 9);
    }

    void treeSwitchesLocksAndHoverFrame()
    {
        auto* window = open<FrmTreeData>();
        QVERIFY(!find(window, "imgSwitch_5")->isEnabled());
        QVERIFY(!find(window, "imgSwitch_13")->isVisible());
        auto* treeSwitch = find<QLabel>(window, "imgSwitch_2");
        QTest::mouseClick(treeSwitch, Qt::LeftButton);
        QCOMPARE(treeSwitch->property("tag").toString(), "off");
        QCOMPARE(treeSwitch->pixmap().toImage(),
                 find<QLabel>(window, "imgSwitch_99")->pixmap().toImage());
        QVERIFY(!treeField(2)->isEnabled() && treeField(2)->text() == "1");
        QVERIFY(treeField(2)->palette().color(QPalette::Base) !=
                treeField(1)->palette().color(QPalette::Base));
        click(window, "lblField_14");
        QVERIFY(!treeField(15)->isEnabled());

        auto* lock = find<QLabel>(window, "imgLock_5");
        QTest::mouseClick(lock, Qt::LeftButton);
        QCOMPARE(lock->property("tag").toString(), "keep");
        QWidget* frame = find(window, "imgButton");
        QTest::mouseMove(lock);
        QCOMPARE(frame->isVisible() ? frame->pos() : QPoint(), lock->pos() - QPoint(2, 2));
        QTest::mouseMove(window, QPoint(2, window->height() - 2));
        QVERIFY(!frame->isVisible());
    }

    void treeTabOrderDialog()
    {
        open<FrmTreeData>();
        // No control box; the window manager's close is Cancel.
        throughDialog(
            "imgTabOrder",
            [](QWidget* dialog) {
                QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
                click(dialog, "lblField_3");
            },
            QString());
        QCOMPARE(focusName(), "txtTreeData_1");
        throughDialog("imgTabOrder", [](QWidget* dialog) {
            for (const char* name : {"lblField_6", "lblField_5", "lblField_2"})
                click(dialog, name);
            auto* order = find<QLineEdit>(dialog, "txtOrder_5");
            QCOMPARE(order->text(), "2");
            QVERIFY(!order->isEnabled());
        });
        QStringList visited{focusName()};
        for (int i = 0; i < 4; ++i) {
            typeField();
            visited.append(focusName());
        }
        QCOMPARE(visited, QStringList({"txtTreeData_6", "txtTreeData_5", "txtTreeData_2",
                                       "txtTreeData_1", "txtTreeData_3"}));
    }

    void treeSpeciesListFillsTheField()
    {
        auto* window = open<FrmTreeData>();
        throughDialog("cmdSpeciesList", [](QWidget* dialog) {
            find(dialog, "cboVariant")->setProperty("currentIndex", 1);
            find(dialog, "lstSpecies")->setProperty("currentRow", 0);
        });
        QVERIFY(!treeField(5)->text().isEmpty());
        QCOMPARE(window->treeLogic().field(5), treeField(5)->text());
        QCOMPARE(focusName(), "txtTreeData_5");
    }

    void standTypesAStandFromTheKeyboard()
    {
        modGlobal().TreeFileName = "plot1.velk";
        auto* window = openStand();
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
        key(Qt::Key_Return); // a new line in the grouping box
        keys("G2");
        key(Qt::Key_Tab);
        // The x in the year and the minus after the digits are refused as they are typed.
        for (const char* text : {"S1", "19x99", "46.5", "117.2-", "103", "", "", "", "", "", "-20"})
            typeField(text);
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window->standLogic().RecordCount(), 3);
        QCOMPARE(text("txtStandData_1"), "S1");

        // The Tab after the add lands in the list; the B line shows its set, by key and by
        // click, and the list highlights the set's A line.
        QTRY_COMPARE(focusName(), "lstSlfDisplay");
        key(Qt::Key_Home);
        key(Qt::Key_Down);
        QCOMPARE(window->standLogic().CurrentIndex(), 0);
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

    void standSavesEveryShapeOfSetUnchanged()
    {
        const QString source = m_dir.filePath("shapes.slf");
        const QByteArray shapes = "B S0 1999 lone B before any A\r\n"
                                  "A S1 t.tre @ xa\r\nB S1 1999 46.5\r\n"
                                  "A S2 @ @ xa xb \r\nB S2\r\nC S2 G1 G2\r\n\r\n"
                                  "a S3\tt.tre @ xa\r\nb S3 2001\r\nd S3 f.kcp\r\n"
                                  "A S4 t @ xa\r\nB S4\r\nC S4 G\r\nX S4 unknown\r\nD S4 a b\r\n"
                                  "A S5 lone A\r\nA S6 t @ xa\r\nC S6 no B line\r\n";
        writeFile(source, shapes);
        modGlobal().StandListFileName = source;
        auto* window = openStand();
        QCOMPARE(window->standLogic().RecordCount(), 17);
        QCOMPARE(m_ui.titles(), QStringList{"Error"}); // the X line
        // Under another name, the empty line aside, byte for byte.
        const QString copy = m_dir.filePath("copy.slf");
        key(Qt::Key_A, Qt::ControlModifier);
        typeField(copy);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(readFile(copy), QByteArray(shapes).replace("\r\n\r\n", "\r\n"));
        QCOMPARE(m_ui.titles(), (QStringList{"Error", "File Exists", "Check"}));
    }

    void locationTypesAnAAndABRecordAndSaves()
    {
        const QString fileName = m_dir.filePath("keys.loc");
        writeFile(m_dir.filePath("bigcreek.slf"), {}); // named by the A record
        modGlobal().LocationsFileName = fileName;
        auto* window = open<FrmLocData>();
        QVERIFY(!find(m_window, "txtSlfAccess")->isVisible());
        QCOMPARE(locationStates(), "1111000000 A");
        const QColor grey = find(m_window, "txtAddfile")->palette().color(QPalette::Base);
        QVERIFY(grey != find(m_window, "txtLocation")->palette().color(QPalette::Base));

        QCOMPARE(focusName(), "txtLocFile");
        key(Qt::Key_Return);
        typeField("bigcreek.slf");
        QCOMPARE(focusName(), "txtLocation");
        keys("Big \"Creek\"");
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(find<QLineEdit>(m_window, "txtLocation")->text(), "Big 'Creek'");

        // The kind is chosen with the mouse; then the B fields take the keys.
        QTest::mouseClick(find(m_window, "optTypeB"), Qt::LeftButton);
        QCOMPARE(locationStates(), "0000111100 B");
        QCOMPARE(find(m_window, "txtLocation")->palette().color(QPalette::Base), grey);
        QTest::mouseClick(find(m_window, "txtAddfileGroup"), Qt::LeftButton);
        typeField("G1");
        QCOMPARE(focusName(), "txtAddfile");
        typeField("a.kcp b.kcp");
        QCOMPARE(focusName(), "lstLocDisplay");
        key(Qt::Key_Return);
        QCOMPARE(focusName(), "cmdProcess");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!window->logic().HasUnsavedChanges());
        QVERIFY(m_ui.messages.isEmpty());
        QCOMPARE(readFile(fileName),
                 "A \"Big 'Creek'\" @ bigcreek.slf @ @\r\nB G1 a.kcp b.kcp\r\n");

        // Selecting an A line switches back.
        window->logic().select(0);
        QCOMPARE(locationStates(), "1111000000 A");
    }

    void locationLoadsAndSavesUnchanged()
    {
        const QByteArray lines = "A \"Big Creek\" \"a b\" \"C:\\My Files\\b.slf\" @ @\r\n"
                                 "b\tG1 \"x y.kcp\" @\r\n"
                                 "C unknown line\r\n"
                                 "A \"\xe9t\xe9\" @ \x81.slf\r\n";
        const QString fileName = m_dir.filePath("mixed.loc");
        writeFile(fileName, "\r\n" + lines + "\r\n");
        modGlobal().LocationsFileName = fileName;
        auto* window = open<FrmLocData>();
        QCOMPARE(window->logic().RecordCount(), 4);
        QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_ui.titles(), QStringList({"Error", "File Exists", "Check"}));
        QCOMPARE(readFile(fileName), lines);
    }
};

QTEST_MAIN(TestDataWindows)
#include "tst_datawindows.moc"
