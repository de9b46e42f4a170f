#include "TestFiles.h"
#include "WindowTest.h"
#include "app/DataWindow.h"
#include "recordfile/DlgFileExists.h"
#include "recordfile/RecordFileLogic.h"
#include "species/VariantList.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeWindowLogic.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

using namespace Drive;
using Answer = UserInterface::Answer;

namespace {

using Window = WindowChain::Window;
// The records of a file for each window; the first holds a value of 100,000 characters, in the
// form an update without an edit writes it.
const QByteArray Long(100000, 'v');
const QByteArray Lines[] = {
    "   1  1     11DF  5.0" + QByteArray(41, ' ') + Long +
        "\r\n   1  2     11WF  7.5\r\n   1  3     11DF  9.5\r\n   2  1     11PP 12.0\r\n",
    "A S1 " + Long + " @ ie \r\nB S1 1999" + QByteArray(" @").repeated(27) +
        "\r\nA S2 @ @ ie\r\nB S2 2001\r\nC S2 g1\r\nA S3 @ @ ie\r\nB S3 2004\r\n",
    "A \"" + Long + "\" @ b.slf @ @\r\nB G1 a.kcp\r\nA \"Elk\" @ e.slf @ @\r\n"};

// The record file controls of each window: file-name box, list, Browse.
const char* const Controls[][3] = {{"txtTreeFile", "lstDisplay", "cmdBrowseTree"},
                                   {"txtSlfFile", "lstSlfDisplay", "cmdBrowseSlf"},
                                   {"txtLocFile", "lstLocDisplay", "cmdBrowseLoc"}};

} // namespace

// The record file controls the three windows share, their undo keys, the check question and
// the exists dialog.
class TestRecordFileBinding : public QObject, WindowTest
{
    Q_OBJECT

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

    // What the list shows on screen is what painting it afresh shows: no row a change touched
    // is left as it was (a gradient painted in parts may differ by a shade).
    static bool shownAsPainted(QAbstractItemView* list)
    {
        // The pending paints only: a Tab the window sent itself waits.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QWidget* viewport = list->viewport();
        const QPoint at = viewport->mapTo(list->window(), QPoint());
        const QImage shown = list->screen()
                                 ->grabWindow(list->window()->winId(), at.x(), at.y(),
                                              viewport->width(), viewport->height())
                                 .toImage();
        const QImage painted = viewport->grab().toImage();
        if (shown.size() != painted.size())
            return false;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = painted.pixel(x, y);
                if (qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                        qAbs(qBlue(a) - qBlue(b)) >
                    8)
                    return false;
            }
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

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
        writeFile(file, content);
        auto* w = static_cast<DataWindow*>(WindowChain::show(window));
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* box = find<QLineEdit>(w, names[0]);
        auto* list = find<QAbstractItemView>(w, names[1]);
        const auto mode = [&] { // the selected row, the mode, how many of Delete and V work
            return QStringLiteral("%1 %2 %3")
                .arg(list->currentIndex().row())
                .arg(find(w, "cmdProcess")->property("tag").toString())
                .arg(find(w, "cmdDelete")->isEnabled() + find(w, "cmdLast")->isEnabled());
        };
        // Typing a name and leaving the box loads the file; the slot is selected.
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, file);
        list->setFocus();
        const int shown = list->model()->rowCount();
        QCOMPARE(shown, content.count('\n') + 1);
        QVERIFY(shownAsPainted(list));
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
        QVERIFY(shownAsPainted(list));
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
        QVERIFY(shownAsPainted(list));

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

        // The first record updated without an edit: its long value is written whole.
        clickRow(list, 0);
        click(w, "cmdProcess");
        QVERIFY(shownAsPainted(list));
        click(w, "cmdSave");
        QCOMPARE(m_ui.titles().value(0), "File Exists");
        QCOMPARE(readFile(file), content);
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
        // LF line ends, so a save (CR LF) shows in the bytes. WF is no species of variant ie;
        // the point in the plot number stops the simulator's run.
        const QByteArray before = "   1  1     11DF 12.0\n   1  2     11WF  8.5\n"
                                  " 1.5  3     11DF 12.0\n" +
                                  QByteArray(9, '\n');
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
        QVERIFY(m_seen[0].startsWith("File Exists|") && !m_seen[1].contains("Line 10"));
        // Eleven findings: the first eight, errors first, then how many more.
        for (const char* part :
             {"Check|The file will not be read as it is shown here:\n\nLine 3, error: ",
              "\nLine 2, warning: Species \"WF\"", "\nLine 9, warning: an empty line; ",
              "\n... and 3 more.", "OK saves the file anyway"})
            QVERIFY2(m_seen[1].contains(part), qPrintable(m_seen[1]));
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

    // The exists dialog: a long path loses its middle, never its file name (the tooltip has
    // it whole), and only its two buttons close it.
    void fileExistsDialog_data()
    {
        QTest::addColumn<bool>("status"); // Open clicked; else Enter on Use Displayed Values
        QTest::newRow("open, clicked") << true;
        QTest::newRow("use displayed, Enter") << false;
    }
    void fileExistsDialog()
    {
        QFETCH(bool, status);
        DlgFileExists dialog(nullptr);
        auto* message = find<QLineEdit>(&dialog, "txtMessage");
        const QString path = "/home/forester/inventories/2026/north block/compartment 12/"
                             "plots measured in june.velk";
        dialog.SetFilename(path);
        QVERIFY(message->text().startsWith("The file /hom") && message->text().contains(u'\u2026'));
        QVERIFY(message->text().endsWith("/plots measured in june.velk already exists!"));
        QCOMPARE(message->toolTip(), path);
        QVERIFY(showActive(&dialog));
        // Neither Esc, nor the window manager's close, nor minimising it makes a choice.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        dialog.showMinimized();
        QTRY_VERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
        auto* chosen = find(&dialog, status ? "cmdOpen" : "cmdNew");
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
};

QTEST_MAIN(TestRecordFileBinding)
#include "tst_recordfilebinding.moc"
