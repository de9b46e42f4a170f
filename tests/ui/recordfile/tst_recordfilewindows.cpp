#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/ModGlobal.h"
#include "app/QtUserInterface.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DlgFileExists.h"
#include "recordfile/RecordFileLogic.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

using Window = WindowChain::Window;
const QByteArray TreeLines("   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n");
const QByteArray StandLines("A S1 @ @ ie\r\nA S2 @ @ ie\r\n");
const QByteArray LocLines("A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\n");

} // namespace

class TestRecordFileWindows : public QObject
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
    void cleanup() { WindowChain::resetForTests(); }

    void fileBoxListAndButtonsWorkTogether_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("fileBox");
        QTest::addColumn<QString>("list");
        QTest::addColumn<double>("points");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("browse");
        QTest::addColumn<QString>("filter");

        QTest::newRow("tree") << Window::Tree << "txtTreeFile"
                              << "lstDisplay" << 9.75 << TreeLines << "cmdBrowseTree"
                              << ".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files (*.tre)|*.tre|"
                                 "All Files (*.*)|*.*";
        QTest::newRow("stand") << Window::Stand << "txtSlfFile"
                               << "lstSlfDisplay" << 8.25 << StandLines << "cmdBrowseSlf"
                               << "Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*";
        QTest::newRow("location") << Window::Location << "txtLocFile"
                                  << "lstLocDisplay" << 8.25 << LocLines << "cmdBrowseLoc"
                                  << "Locations Files (*.loc)|*.loc|All Files (*.*)|*.*";
    }

    void fileBoxListAndButtonsWorkTogether()
    {
        QFETCH(Window, window);
        QFETCH(QString, fileBox);
        QFETCH(QString, list);
        QFETCH(double, points);
        QFETCH(QByteArray, content);
        QFETCH(QString, browse);
        QFETCH(QString, filter);

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
        QTest::mouseClick(w->findChild<QPushButton*>(browse), Qt::LeftButton);
        QCOMPARE(m_ui.fileDialogFilters, QStringList{filter});
        QCOMPARE(m_ui.fileExistsAsked, QStringList{second});
        QCOMPARE(box->text(), second);
        QCOMPARE(view->model()->rowCount(), 2);

        // Clear Display leaves only the slot.
        m_ui.answers = {Answer::Ok};
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdClear")), Qt::LeftButton);
        QCOMPARE(view->model()->rowCount(), 1);
        QCOMPARE(m_ui.messages.last().text, QStringLiteral("Clear all records from the display?"));
    }

    void accessKeyFinishesTheFileName_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("fileBox");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("openExisting");

        const auto row = [](const char* name, Window window, const char* box,
                            const QByteArray& content, Qt::Key key, bool unsaved, bool open) {
            QTest::newRow(name) << window << box << content << int(key) << unsaved << open;
        };
        row("Alt+S, open existing", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, false, true);
        row("Alt+S, use displayed", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, false,
            false);
        row("Alt+S, unsaved, Cancel", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, true,
            false);
        row("Alt+N", Window::Stand, "txtSlfFile", StandLines, Qt::Key_N, false, false);
        row("Alt+X", Window::Location, "txtLocFile", LocLines, Qt::Key_X, false, false);
    }

    void accessKeyFinishesTheFileName()
    {
        QFETCH(Window, window);
        QFETCH(QString, fileBox);
        QFETCH(QByteArray, content);
        QFETCH(int, key);
        QFETCH(bool, unsaved);
        QFETCH(bool, openExisting);

        // The window shows one file; the user types the name of another existing file.
        const QString shown = m_dir.filePath(QStringLiteral("shown"));
        const QString typed = m_dir.filePath(QStringLiteral("typed"));
        const QByteArray typedContent = content.left(content.indexOf('\n') + 1);
        writeFile(shown, content);
        writeFile(typed, typedContent);
        modGlobal().TreeFileName = modGlobal().StandListFileName = modGlobal().LocationsFileName =
            shown;
        auto* w = static_cast<DataWindow*>(WindowChain::show(window));
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (unsaved)
            w->logic().process(QString::fromLatin1(content.left(content.indexOf('\r'))));
        auto* box = w->findChild<QLineEdit*>(fileBox);
        auto* save = w->findChild<QPushButton*>(QStringLiteral("cmdSave"));
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
        QCOMPARE(m_ui.titles(), unsaved ? QStringList{QStringLiteral("Unsaved Changes")}
                                : saved ? QStringList{QStringLiteral("File Exists")}
                                        : QStringList());
        QCOMPARE(readFile(typed), saved && !openExisting ? content : typedContent);
        QCOMPARE(readFile(shown), content);
        if (key == Qt::Key_S)
            QCOMPARE(box->text(), unsaved ? shown : typed);
        QCOMPARE(modGlobal().StandListFileName, key == Qt::Key_N ? typed : shown);
        QCOMPARE(WindowChain::current() == w, key == Qt::Key_S);
        QCOMPARE(WindowChain::programEnded(), key == Qt::Key_X);
    }

    // The exists dialog itself.
    void longPathLosesItsMiddle()
    {
        DlgFileExists dialog(nullptr);
        dialog.SetFilename("C:\\data\\plot.tre");
        auto* message = dialog.findChild<QLineEdit*>("txtMessage");
        QCOMPARE(message->text(), "The file C:\\data\\plot.tre already exists!");
        // Never its file name; the tooltip has it whole.
        const QString path = "/home/forester/inventories/2026/north block/compartment 12/"
                             "plots measured in june.velk";
        dialog.SetFilename(path);
        QVERIFY(message->text().startsWith("The file /hom"));
        QVERIFY(message->text().endsWith("/plots measured in june.velk already exists!"));
        QVERIFY(message->text().contains(QChar(0x2026)));
        QCOMPARE(message->toolTip(), path);
    }

    void onlyItsButtonsCloseIt_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("status");
        QTest::newRow("open, clicked") << "cmdOpen" << true;
        QTest::newRow("use displayed, Enter") << "cmdNew" << false;
    }
    void onlyItsButtonsCloseIt()
    {
        QFETCH(QString, button);
        QFETCH(bool, status);
        DlgFileExists dialog(nullptr);
        QVERIFY(
            !(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // Neither Esc, nor the window manager's close, nor minimising it makes a choice.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        dialog.showMinimized();
        QTRY_VERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
        auto* chosen = dialog.findChild<QPushButton*>(button);
        if (status) {
            QTest::mouseClick(chosen, Qt::LeftButton);
        } else {
            QCOMPARE(QApplication::focusWidget(), chosen); // the focus starts there
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
};

QTEST_MAIN(TestRecordFileWindows)
#include "tst_recordfilewindows.moc"
