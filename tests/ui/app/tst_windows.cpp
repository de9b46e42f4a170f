#include "Drive.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/ModGlobal.h"
#include "app/QtUserInterface.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "location/FrmLocData.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/DisplayList.h"
#include "recordfile/DlgFileExists.h"
#include "recordfile/RecordFileLogic.h"
#include "species/DlgSpecies.h"
#include "species/SpeciesDialogLayout.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"
#include "stand/DlgVariants.h"
#include "stand/FrmStandData.h"
#include "stand/StandWindowLogic.h"
#include "tree/DlgTabOrder.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeRecord.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;
using namespace Drive;

namespace {

constexpr int TwipsPerPixel = 15;

// A species dialog with an owner window and a Species field to write into.
struct Opened
{
    QWidget owner;
    QLineEdit field{"XX", &owner};
    DlgSpecies dialog{&owner, &field};
    QComboBox* combo = dialog.findChild<QComboBox*>("cboVariant");
    QListWidget* list = dialog.findChild<QListWidget*>("lstSpecies");
    QPushButton* ok = dialog.findChild<QPushButton*>("OKButton");
    QPushButton* cancel = dialog.findChild<QPushButton*>("CancelButton");

    Opened() { dialog.show(); }
};

using Window = WindowChain::Window;
// The records of a file for each window.
const QByteArray Lines[] = {
    "   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n   1  3     11DF  9.5\r\n"
    "   2  1     11PP 12.0\r\n",
    "A S1 @ @ ie\r\nB S1 1999\r\nA S2 @ @ ie\r\nB S2 2001\r\nC S2 g1\r\nA S3 @ @ ie\r\n"
    "B S3 2004\r\n",
    "A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\nA \"Elk\" @ e.slf @ @\r\n"};

// The record file controls of each window: file-name box, list, Browse.
const char* const Controls[][3] = {{"txtTreeFile", "lstDisplay", "cmdBrowseTree"},
                                   {"txtSlfFile", "lstSlfDisplay", "cmdBrowseSlf"},
                                   {"txtLocFile", "lstLocDisplay", "cmdBrowseLoc"}};

using Opener = std::function<QWidget*(QWidget* owner)>;

// The room a button, frame title or text box leaves its text, and what the text needs.
std::pair<QRect, QRect> textRoom(const QWidget* w, const QFontMetrics& metrics)
{
    QStyle* style = w->style();
    if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        return {box->rect(),
                style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room = style->subElementRect(
            qobject_cast<const QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
            : qobject_cast<const QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                   : QStyle::SE_PushButtonContents,
            &option, button);
        return {room, QRect(room.topLeft(), metrics.size(Qt::TextShowMnemonic, button->text()))};
    }
    // A text box keeps two pixels free on either side of its text.
    const auto* edit = static_cast<const QLineEdit*>(w);
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                           .marginsRemoved(edit->textMargins())
                           .adjusted(2, 0, -2, 0);
    return {room, QRect(room.topLeft(),
                        QSize(metrics.horizontalAdvance(edit->text()), metrics.height()))};
}

// Every text that cannot be read whole: larger than its box, or a label's running into a
// neighbouring control. Text boxes count when the program has put text there.
QStringList unreadable(const QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        const QString text = w->property("text").toString() + w->property("plainText").toString() +
                             w->property("title").toString();
        if (!w->isVisibleTo(window) || text.isEmpty())
            continue;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            if (area->horizontalScrollBar()->maximum() > 0 ||
                area->verticalScrollBar()->maximum() > 0)
                found << w->objectName() + QStringLiteral(" scrolls");
            continue;
        }
        QRect room = w->contentsRect();
        QRect needed;
        if (label) {
            const int wrap = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
            needed = w->fontMetrics().boundingRect(room, int(label->alignment()) | wrap, text);
            // Touching a neighbour is running into it; a picture under the label is its
            // background.
            const QRect drawn = needed.translated(w->pos()).adjusted(-1, 0, 1, 0);
            for (QWidget* other :
                 w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (other != w && other->isVisibleTo(window) &&
                    other->geometry().intersects(drawn) &&
                    !other->geometry().contains(w->geometry()))
                    found << w->objectName() + QStringLiteral(" runs into ") + other->objectName();
            }
        } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w) ||
                   qobject_cast<QLineEdit*>(w)) {
            std::tie(room, needed) = textRoom(w, w->fontMetrics());
        }
        if (needed.width() > room.width() || needed.height() > room.height())
            found << w->objectName() + QStringLiteral(" does not fit");
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Opener)

// The windows driven from the keyboard and the mouse as a forester does: the splash, the chain
// of the three data windows, each of them and the record file handling they share, and the
// layout of every window and dialog.
class TestWindows : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    QPointer<QWidget> m_window;

    static DataWindow* current() { return qobject_cast<DataWindow*>(WindowChain::current()); }
    static QString boxText(const char* box) { return find<QLineEdit>(current(), box)->text(); }
    static void press(const char* button) { click(current(), button); }
    static int openDataWindows()
    {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += qobject_cast<DataWindow*>(w) && w->isVisible();
        return count;
    }
    TreeTabOrder m_tabOrder;
    QStringList m_seen; // title|text of the real message boxes answered

    // Answers the real message boxes as they come up, in order.
    void answerBoxes(QList<QMessageBox::StandardButton> buttons)
    {
        m_seen.clear();
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
    void initTestCase()
    {
        applyDesignFont();
        UserInterfaceSwitch::installStandIn(&m_ui);
    }
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
        WindowChain::resetForTests();
    }
    void cleanup()
    {
        delete m_window;
        WindowChain::resetForTests();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void treeTypesTwoTreesAndSaves()
    {
        auto* window = open<FrmTreeData>();
        const QString fileName = m_dir.filePath("trees.velk");
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
        const QString fileName = m_dir.filePath("ten.velk");
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
        key(Qt::Key_Return); // a new line in the grouping box
        keys("G2");
        key(Qt::Key_Tab);
        // The x in the year and the minus after the digits are refused as they are typed.
        for (const char* text : {"S1", "19x99", "46.5", "117.2-", "103", "", "", "", "", "", "-20"})
            typeField(text);
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
        auto* window = open<FrmStandData>();
        find(window, "txtSlfFile")->setFocus();
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

    // The shared record file controls in each window, and records deleted from the list
    // (keys or button) coming back with the undo keys, then saved byte for byte as loaded.
    void recordsComeAndGo_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<int>("clicked");   // the line clicked before deleting
        QTest::addColumn<int>("deleteKey"); // pressed in the list twice; 0: the Delete button once
        QTest::addColumn<int>("remaining"); // lines left after the deletes, the slot included
        QTest::addColumn<QString>("entryBox");
        // clang-format off
        QTest::newRow("tree, Backspace twice") << Window::Tree << 2 << int(Qt::Key_Backspace) << 3 << "txtTreeData_11";
        QTest::newRow("stand, a whole set with the button") << Window::Stand << 3 << 0 << 5 << "txtStandData_1";
        QTest::newRow("location, the button") << Window::Location << 2 << 0 << 3 << "txtLocation";
        // clang-format on
    }
    void recordsComeAndGo()
    {
        QFETCH(Window, window);
        const QByteArray content = Lines[int(window)];
        QFETCH(int, clicked);
        QFETCH(int, deleteKey);
        QFETCH(int, remaining);
        QFETCH(QString, entryBox);
        const char* const* names = Controls[int(window)];
        const QString file = m_dir.filePath("records");
        const QString second = m_dir.filePath("second");
        writeFile(file, content);
        writeFile(second, content.left(content.indexOf('\n') + 1));
        auto* w = static_cast<DataWindow*>(WindowChain::show(window));
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* box = find<QLineEdit>(w, names[0]);
        auto* list = find<QAbstractItemView>(w, names[1]);
        auto* process = find(w, "cmdProcess");
        QWidget* enabled[] = {find(w, "cmdDelete"), find(w, "cmdLast")};
        const auto mode = [&] {
            return QString::number(list->currentIndex().row()) + u' ' +
                   process->property("tag").toString() + u' ' +
                   QString::number(enabled[0]->isEnabled() + enabled[1]->isEnabled());
        };
        // Fixed columns need a font of one width.
        const QFontMetrics metrics(list->font());
        QCOMPARE(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));

        // Typing a name and leaving the box loads the file; the slot is selected.
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, file);
        list->setFocus();
        const int shown = list->model()->rowCount();
        QCOMPARE(shown, content.count('\n') + 1);
        QCOMPARE(mode(), QString::number(shown - 1) + " add 0");
        // A record selected: edit mode; the V button goes back to the slot.
        clickRow(list, 0);
        QCOMPARE(mode(), "0 edit 2");
        click(w, "cmdLast");
        QCOMPARE(mode(), QString::number(shown - 1) + " add 0");

        clickRow(list, clicked);
        for (int k = 0; k < (deleteKey ? 2 : 0); ++k)
            QTest::keyClick(list, Qt::Key(deleteKey));
        if (!deleteKey)
            click(w, "cmdDelete");
        QCOMPARE(list->model()->rowCount(), remaining);
        // In the list or on the button the click focused.
        QVERIFY(focused() == list || qobject_cast<QPushButton*>(focused()));
        for (int k = 0; k < (deleteKey ? 2 : 1); ++k)
            key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(list->model()->rowCount(), shown);
        QVERIFY(!w->logic().HasUnsavedChanges());
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(list->model()->rowCount() < shown && w->logic().HasUnsavedChanges());
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(list->model()->rowCount() < shown);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(list->model()->rowCount(), shown);

        // In an entry box Ctrl+Z takes back the typing there, not a record.
        auto* entry = find<QLineEdit>(w, entryBox);
        const QString before = entry->text();
        entry->setFocus();
        entry->end(false);
        QTest::keyClicks(entry, "5");
        QCOMPARE(entry->text(), before + "5");
        QTest::keyClick(entry, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(entry->text(), before);
        QVERIFY(w->logic().canRedo());

        click(w, "cmdSave");
        QCOMPARE(m_ui.titles().value(0), "File Exists");
        QCOMPARE(readFile(file), content);

        // Browse with the window's filter; the file replaces the display after the exists dialog.
        m_ui.fileDialogAnswers = {second};
        m_ui.fileExistsAnswers = {true};
        click(w, names[2]);
        QCOMPARE(m_ui.fileDialogFilters, QStringList{w->logic().config().filter});
        QCOMPARE(m_ui.fileExistsAsked, QStringList{second});
        QCOMPARE(box->text(), second);
        QCOMPARE(list->model()->rowCount(), 2);
        // Clear Display leaves only the slot.
        click(w, "cmdClear");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(m_ui.messages.last().text, "Clear all records from the display?");
    }

    void accessKeyFinishesTheFileName_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("openExisting");
        // clang-format off
        QTest::newRow("Alt+S, open existing") << Window::Tree << int(Qt::Key_S) << false << true;
        QTest::newRow("Alt+S, use displayed") << Window::Tree << int(Qt::Key_S) << false << false;
        QTest::newRow("Alt+S, unsaved, Cancel") << Window::Tree << int(Qt::Key_S) << true << false;
        QTest::newRow("Alt+N") << Window::Stand << int(Qt::Key_N) << false << false;
        QTest::newRow("Alt+X") << Window::Location << int(Qt::Key_X) << false << false;
        // clang-format on
    }
    void accessKeyFinishesTheFileName()
    {
        QFETCH(Window, window);
        const QByteArray content = Lines[int(window)];
        QFETCH(int, key);
        QFETCH(bool, unsaved);
        QFETCH(bool, openExisting);

        // The window shows one file; the user types the name of another existing file.
        const QString shown = m_dir.filePath("shown");
        const QString typed = m_dir.filePath("typed");
        const QByteArray typedContent = content.left(content.indexOf('\n') + 1);
        writeFile(shown, content);
        writeFile(typed, typedContent);
        modGlobal().TreeFileName = modGlobal().StandListFileName = shown;
        if (window == Window::Location)
            modGlobal().LocationsFileName = shown;
        auto* w = static_cast<DataWindow*>(WindowChain::show(window));
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (unsaved)
            w->logic().process(QString::fromLatin1(content.left(content.indexOf('\r'))));
        auto* box = find<QLineEdit>(w, Controls[int(window)][0]);
        auto* save = find(w, "cmdSave");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);

        m_ui.fileExistsAnswers = {openExisting};
        m_ui.answers = {unsaved ? Answer::Cancel : Answer::Ok};
        // While the exists dialog waits, neither a click nor Enter on Save may run it.
        m_ui.whileFileExistsAsked = [&] {
            QTest::mouseClick(save, Qt::LeftButton);
            QTest::keyClick(save, Qt::Key_Return);
            QVERIFY(m_ui.messages.isEmpty());
        };
        QTest::keyClick(box, Qt::Key(key), Qt::AltModifier);
        QTest::qWait(200); // an access key clicks its button after a short animation

        // Only "Use Displayed Values" and the overwrite question let the display replace the file.
        const bool saved = key == Qt::Key_S && !unsaved;
        QCOMPARE(m_ui.fileExistsAsked, unsaved ? QStringList() : QStringList{typed});
        QCOMPARE(m_ui.titles(), unsaved ? QStringList{"Unsaved Changes"}
                                : saved ? QStringList{"File Exists"}
                                        : QStringList());
        QCOMPARE(readFile(typed), saved && !openExisting ? content : typedContent);
        QCOMPARE(readFile(shown), content);
        if (key == Qt::Key_S)
            QCOMPARE(box->text(), unsaved ? shown : typed);
        QCOMPARE(modGlobal().StandListFileName, key == Qt::Key_N ? typed : shown);
        QCOMPARE(WindowChain::current() == w, key == Qt::Key_S);
        QCOMPARE(WindowChain::programEnded(), key == Qt::Key_X);
    }

    // The real message boxes when a save finds lines the simulator misreads.
    void checkQuestionCancelLeavesFileOkWritesIt()
    {
        UserInterfaceSwitch::installStandIn(nullptr);
        const auto standIn = qScopeGuard([this] { UserInterfaceSwitch::installStandIn(&m_ui); });
        const QString file = m_dir.filePath("plot.velk");
        // LF line ends, so a save (CR LF) shows in the bytes. WF is no species of variant ie.
        const QByteArray before =
            "   1  1     11DF 12.0\n   1  2     11WF  8.5\n" + QByteArray(9, '\n');
        writeFile(file, before);
        modGlobal().TreeFileName = file;
        modGlobal().SpeciesVariantIndex = qint16(VariantList::positionOf(u"ie"));
        FrmTreeData window;
        QVERIFY(showActive(&window));
        window.openFromSharedState();

        // The access key: "Overwrite file", then the check; Cancel writes nothing.
        answerBoxes({QMessageBox::Ok, QMessageBox::Cancel});
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_seen.size(), 2);
        QVERIFY(m_seen[0].startsWith("File Exists|"));
        // Ten findings: the first eight, then how many more.
        for (const char* part : {"Check|", "\nLine 2: Species \"WF\"", "\nLine 9: an empty line: ",
                                 "\n... and 2 more.", "OK saves the file anyway"})
            QVERIFY2(m_seen[1].contains(part) && !m_seen[1].contains("Line 10"),
                     qPrintable(m_seen[1]));
        QCOMPARE(readFile(file), before);

        // The close box: Yes at "Unsaved Changes", Cancel at the check: the window stays.
        window.treeLogic().select(10);
        window.treeLogic().deleteCurrent();
        answerBoxes({QMessageBox::Yes, QMessageBox::Cancel});
        window.close();
        QTRY_COMPARE(m_seen.size(), 2);
        QVERIFY(m_seen[1].startsWith("Check|") && window.isVisible());
        QCOMPARE(readFile(file), before);

        // The button: OK at the check writes the file.
        answerBoxes({QMessageBox::Ok, QMessageBox::Ok});
        click(&window, "cmdSave");
        QTRY_COMPARE(m_seen.size(), 2);
        QVERIFY(m_seen[1].startsWith("Check|"));
        QCOMPARE(readFile(file), QByteArray(before).replace("\n", "\r\n").chopped(2));
        QVERIFY(!window.treeLogic().HasUnsavedChanges());
    }

    // The exists dialog itself.
    // The exists dialog: a long path loses its middle, never its file name (the tooltip has
    // it whole), and only its two buttons close it.
    void fileExistsDialog_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("status");
        QTest::newRow("open, clicked") << "cmdOpen" << true;
        QTest::newRow("use displayed, Enter") << "cmdNew" << false;
    }
    void fileExistsDialog()
    {
        QFETCH(QString, button);
        QFETCH(bool, status);
        DlgFileExists dialog(nullptr);
        dialog.SetFilename("C:\\data\\plot.tre");
        auto* message = find<QLineEdit>(&dialog, "txtMessage");
        QCOMPARE(message->text(), "The file C:\\data\\plot.tre already exists!");
        const QString path = "/home/forester/inventories/2026/north block/compartment 12/"
                             "plots measured in june.velk";
        dialog.SetFilename(path);
        QVERIFY(message->text().startsWith("The file /hom"));
        QVERIFY(message->text().endsWith("/plots measured in june.velk already exists!"));
        QVERIFY(message->text().contains(QChar(0x2026)));
        QCOMPARE(message->toolTip(), path);
        QVERIFY(
            !(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
        QVERIFY(showActive(&dialog));
        // Neither Esc, nor the window manager's close, nor minimising it makes a choice.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        dialog.showMinimized();
        QTRY_VERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
        auto* chosen = find(&dialog, button);
        if (status) {
            QTest::mouseClick(chosen, Qt::LeftButton);
        } else {
            QCOMPARE(focused(), chosen); // the focus starts there
            QTest::keyClick(chosen, Qt::Key_Return);
        }
        QTRY_VERIFY(!dialog.isVisible());
        bool read = !status;
        dialog.GetOpenStatus(read);
        QCOMPARE(read, status);
    }

    void fileDialogFilters()
    {
        QCOMPARE(
            QtUserInterface::nameFilters(".VELK Tree Files (*.velk)|*.velk|All Files (*.*)|*.*"),
            (QStringList{".VELK Tree Files (*.velk)", "All Files (*)"}));
        QCOMPARE(QtUserInterface::nameFilters("Addfiles|*.kcp"), QStringList{"Addfiles (*.kcp)"});
    }

    void splashCloses_data()
    {
        // A control clicked, a key, the timer; "" a click that is none.
        QTest::addColumn<QString>("how");
        for (const char* how :
             {"cmdOK", "imgLogo", "frmSplash", "Esc", "x", "Backspace", "", "timer"})
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
        if (how == "timer") {
            QTest::qWait(2500);
            QVERIFY(!splash.isNull());
        } else if (keys.contains(how)) {
            QTest::keyClick(QApplication::focusWidget(), keys[how]);
        } else {
            QTest::mouseClick(how == "frmSplash" ? splash : splash->findChild<QWidget*>(how),
                              Qt::LeftButton, {}, QPoint(3, 3));
        }
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
        press("cmdNextWindow");
        QCOMPARE(current()->objectName(), "frmStandData");
        QCOMPARE(current()->pos(), QPoint(200, 120));
        QCOMPARE(modGlobal().TreeFileName, treeFile);
        QCOMPARE(boxText("txtTreeFile"), treeFile);
        current()->findChild<QLineEdit*>("txtSlfFile")->setText("s.slf");
        press("cmdNextWindow");
        QCOMPARE(current()->objectName(), "frmLocData");
        QCOMPARE(current()->pos(), QPoint(200, 120));
        QCOMPARE(boxText("txtLocFile") + ' ' + modGlobal().LocationsFileName,
                 "vorlin.loc vorlin.loc");
        QCOMPARE(boxText("txtSlfFile"), "s.slf");
        current()->findChild<QLineEdit*>("txtLocFile")->setText(locFile);
        press("cmdPreviousWindow");
        // Back at the stand window, a known Stand List File leaves the tree-file box empty.
        QCOMPARE(boxText("txtSlfFile") + '|' + boxText("txtTreeFile"), "s.slf|");
        press("cmdPreviousWindow");
        QCOMPARE(boxText("txtTreeFile"), treeFile);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(openDataWindows(), 1);
        QVERIFY(m_ui.messages.isEmpty());

        press("cmdNextWindow");
        press("cmdNextWindow");
        QCOMPARE(boxText("txtLocFile"), locFile);
        DataWindow* location = current();
        location->logic().process("A \"x\" @ x.slf @ @");
        m_ui.answers = {Answer::Cancel};
        press("cmdExit");
        QVERIFY(!WindowChain::programEnded() && location->isVisible());
        m_ui.answers = {Answer::No};
        press("cmdExit");
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
        press("cmdNextWindow");
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
        QCOMPARE(boxText("txtSlfFile"), path);
        QCOMPARE(current()->logic().display().lines(), lines);
        QVERIFY(m_ui.messages.isEmpty());
        // The chain goes on as usual: back to the tree window and forth again reloads the file.
        press("cmdPreviousWindow");
        press("cmdNextWindow");
        QCOMPARE(current()->logic().display().lines(), lines);
    }

    // No text of a window or dialog is larger than its box at the design geometry, with the
    // design font and the fonts this machine has. One row per window or dialog.
    void textsFitTheirBoxes_data()
    {
        QTest::addColumn<Opener>("open");
        for (const auto& [name, which] : {std::pair("frmTreeData", WindowChain::Window::Tree),
                                          std::pair("frmStandData", WindowChain::Window::Stand),
                                          std::pair("frmLocData", WindowChain::Window::Location)})
            QTest::newRow(name) << Opener([which](QWidget*) { return WindowChain::show(which); });
        QTest::newRow("dlgFileExists") << Opener([](QWidget* owner) {
            auto* dialog = new DlgFileExists(owner);
            dialog->SetFilename(QStringLiteral("/home/forester/inventories/2026/north block/"
                                               "compartment 12/plots measured in june.velk"));
            return dialog;
        });
        QTest::newRow("dlgTabOrder")
            << Opener([this](QWidget* owner) { return new DlgTabOrder(owner, m_tabOrder); });
        QTest::newRow("dlgSpecies")
            << Opener([](QWidget* owner) { return new DlgSpecies(owner, nullptr); });
        QTest::newRow("dlgVariants")
            << Opener([](QWidget* owner) { return new DlgVariants(owner, nullptr); });
        QTest::newRow("frmSplash") << Opener([](QWidget*) { return new FrmSplash(); });
    }
    void textsFitTheirBoxes()
    {
        QFETCH(Opener, open);
        QWidget owner;
        QWidget* window = open(&owner);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList found = unreadable(window);
        if (window->parent() != &owner)
            delete window;
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }

    void speciesFirstOpeningIsEmptyAndTheVariantIsKept()
    {
        {
            Opened opened;
            QCOMPARE(opened.combo->currentText(), "Select variant");
            QCOMPARE(opened.list->count(), 0);
            opened.combo->setCurrentIndex(8);
            // Neither key may close the dialog, nor Enter in the list; Enter on a focused Cancel
            // does, without writing.
            QTest::keyClick(&opened.dialog, Qt::Key_Escape);
            QTest::keyClick(&opened.dialog, Qt::Key_Return);
            QTest::keyClick(opened.list, Qt::Key_Return);
            QVERIFY(opened.dialog.isVisible());
            opened.cancel->setFocus();
            QTest::keyClick(opened.cancel, Qt::Key_Return);
            QVERIFY(!opened.dialog.isVisible());
            QCOMPARE(opened.field.text(), "XX");
        }
        Opened reopened;
        QCOMPARE(reopened.combo->currentIndex(), 8);
        QStringList shown;
        for (int row = 0; row < reopened.list->count(); ++row)
            shown << reopened.list->item(row)->text();
        QCOMPARE(shown, SpeciesLists::forPosition(8));
        // Going back to the placeholder must clear the list, not just add nothing to it; OK
        // with nothing chosen empties the field.
        reopened.combo->setCurrentIndex(0);
        QCOMPARE(reopened.list->count(), 0);
        QCOMPARE(modGlobal().SpeciesVariantIndex, 0);
        QTest::mouseClick(reopened.ok, Qt::LeftButton);
        QCOMPARE(reopened.field.text(), QString());
        QCOMPARE(reopened.dialog.result(), int(QDialog::Accepted));
    }

    void speciesConfirm_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "Enter", "double-click"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void speciesConfirm()
    {
        QFETCH(QString, how);
        Opened opened;
        opened.combo->setCurrentIndex(12);
        QListWidgetItem* item = opened.list->item(4); // "M = Madrone"
        if (how == "double-click") {
            const QPoint at = opened.list->visualItemRect(item).center();
            // The press of a real double-click comes first and selects the entry.
            QTest::mouseClick(opened.list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(opened.list->viewport(), Qt::LeftButton, {}, at);
        } else {
            opened.list->setCurrentItem(item);
            opened.ok->setFocus();
            how == "Enter" ? QTest::keyClick(opened.ok, Qt::Key_Return)
                           : QTest::mouseClick(opened.ok, Qt::LeftButton);
        }
        QCOMPARE(opened.field.text(), "M "); // a one-letter code keeps its blank
        QCOMPARE(opened.dialog.result(), int(QDialog::Accepted));
    }

    void speciesLayout_data()
    {
        QTest::addColumn<QSize>("outer"); // twips, like the list
        QTest::addColumn<QSize>("list");  // the last list size is 9000 x 3990
        QTest::addColumn<int>("columns");
        // Only whole-pixel sizes can be checked through the dialog too.
        QTest::addColumn<bool>("dialog");
        // clang-format off
        QTest::newRow("2790: 1 column") << QSize(4410, 3600) << QSize(2790, 2520) << 1 << true;
        QTest::newRow("5599: 1 column") << QSize(7219, 3600) << QSize(5599, 2520) << 1 << false;
        QTest::newRow("5600: 2 columns") << QSize(7220, 3600) << QSize(5600, 2520) << 2 << false;
        QTest::newRow("8400: 3 columns") << QSize(10020, 3600) << QSize(8400, 2520) << 3 << true;
        QTest::newRow("width at the limit") << QSize(1620, 3000) << QSize(9000, 1920) << 3 << true;
        QTest::newRow("width just over") << QSize(1621, 3000) << QSize(1, 1920) << 1 << false;
        QTest::newRow("height at the limit") << QSize(5115, 1080) << QSize(3495, 3990) << 1 << true;
        QTest::newRow("height just over") << QSize(5115, 1081) << QSize(3495, 1) << 1 << false;
        QTest::newRow("buttons off the left edge") << QSize(900, 900) << QSize(9000, 3990) << 3 << false;
        // clang-format on
    }

    void speciesLayout()
    {
        QFETCH(QSize, outer);
        QFETCH(QSize, list);
        QFETCH(int, columns);
        QFETCH(bool, dialog);
        const SpeciesDialogLayout rules =
            SpeciesDialogLayout::forOuterSize(outer.width(), outer.height(), 9000, 3990);
        QCOMPARE(QSize(rules.listWidth, rules.listHeight), list);
        QCOMPARE(rules.buttonLeft, outer.width() - 1395); // whatever the width
        QCOMPARE(rules.columns, columns);
        if (!dialog)
            return;

        modGlobal().SpeciesVariantIndex = 16; // enough entries to overflow every size here
        Opened opened;
        opened.dialog.resize(700, 311); // a list of 9000 x 3990 twips
        opened.dialog.resize(
            (outer - QSize(SpeciesDialogLayout::FrameWidth, SpeciesDialogLayout::FrameHeight)) /
            TwipsPerPixel);
        QCOMPARE(opened.list->size() * TwipsPerPixel, list);
        QCOMPARE(opened.ok->x() * TwipsPerPixel, rules.buttonLeft);
        QCOMPARE(opened.cancel->x() * TwipsPerPixel, rules.buttonLeft);
        QCOMPARE(opened.dialog.columnCount(), columns);
        // The columns share the list's width, and the rest scrolls sideways.
        QCOMPARE(opened.list->viewport()->width() / opened.list->gridSize().width(), columns);
        QVERIFY(!opened.list->verticalScrollBar()->isVisible());
        QTRY_VERIFY(opened.list->horizontalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
