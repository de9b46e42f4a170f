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
    void fileBoxListAndButtonsWorkTogether_data();
    void fileBoxListAndButtonsWorkTogether();
    void accessKeyFinishesTheFileName_data();
    void accessKeyFinishesTheFileName();
};

void TestRecordFileWindows::fileBoxListAndButtonsWorkTogether_data()
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

void TestRecordFileWindows::fileBoxListAndButtonsWorkTogether()
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

void TestRecordFileWindows::accessKeyFinishesTheFileName_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("fileBox");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<bool>("openExisting");

    const auto row = [](const char* name, Window window, const char* box, const QByteArray& content,
                        Qt::Key key, bool unsaved, bool open) {
        QTest::newRow(name) << window << box << content << int(key) << unsaved << open;
    };
    row("Alt+S, open existing", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, false, true);
    row("Alt+S, use displayed", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, false, false);
    row("Alt+S, unsaved, Cancel", Window::Tree, "txtTreeFile", TreeLines, Qt::Key_S, true, false);
    row("Alt+N", Window::Stand, "txtSlfFile", StandLines, Qt::Key_N, false, false);
    row("Alt+X", Window::Location, "txtLocFile", LocLines, Qt::Key_X, false, false);
}

void TestRecordFileWindows::accessKeyFinishesTheFileName()
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

QTEST_MAIN(TestRecordFileWindows)
#include "tst_recordfilewindows.moc"
