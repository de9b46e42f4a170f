#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "Version.h"
#include "app/DataWindow.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DisplayList.h"
#include "recordfile/DlgFileExists.h"
#include "recordfile/RecordFileLogic.h"
#include "species/DlgSpecies.h"
#include "stand/DlgVariants.h"
#include "tree/DlgTabOrder.h"
#include "tree/TreeTabOrder.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

DataWindow* current()
{
    return qobject_cast<DataWindow*>(WindowChain::current());
}

QString text(const char* box)
{
    return current()->findChild<QLineEdit*>(QString::fromLatin1(box))->text();
}

// Clicks a button of the current window.
void click(const char* name)
{
    QTest::mouseClick(current()->findChild<QPushButton*>(QString::fromLatin1(name)),
                      Qt::LeftButton);
}

int openDataWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<DataWindow*>(w) && w->isVisible();
    return count;
}

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

class TestWindowChain : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    TreeTabOrder m_tabOrder;

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
        WindowChain::resetForTests();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void splashCloses_data()
    {
        QTest::addColumn<QString>("how"); // a control clicked, or a key; "" a click that is none
        for (const char* how : {"cmdOK", "imgLogo", "frmSplash", "Esc", "x", "Backspace", ""})
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
        QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(),
                 QStringLiteral("Version %1/%2/%3")
                     .arg(Version::Minor)
                     .arg(Version::Revision)
                     .arg(Version::Major));
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
        if (keys.contains(how))
            QTest::keyClick(QApplication::focusWidget(), keys[how]);
        else
            QTest::mouseClick(how == "frmSplash" ? splash : splash->findChild<QWidget*>(how),
                              Qt::LeftButton, {}, QPoint(3, 3));

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

    void splashClosesByTimer()
    {
        QPointer<FrmSplash> splash = new FrmSplash();
        splash->show();
        QTest::qWait(2500);
        QVERIFY(!splash.isNull());
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
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
        const auto is = [](const char* name) {
            QCOMPARE(current()->objectName(), name);
            QCOMPARE(current()->pos(), QPoint(200, 120));
        };
        click("cmdNextWindow");
        is("frmStandData");
        QCOMPARE(modGlobal().TreeFileName, treeFile);
        QCOMPARE(text("txtTreeFile"), treeFile);
        current()->findChild<QLineEdit*>("txtSlfFile")->setText("s.slf");
        click("cmdNextWindow");
        is("frmLocData");
        QCOMPARE(text("txtLocFile") + ' ' + modGlobal().LocationsFileName, "vorlin.loc vorlin.loc");
        QCOMPARE(text("txtSlfFile"), "s.slf");
        current()->findChild<QLineEdit*>("txtLocFile")->setText(locFile);
        click("cmdPreviousWindow");
        // Back at the stand window, a known Stand List File leaves the tree-file box empty.
        QCOMPARE(text("txtSlfFile") + '|' + text("txtTreeFile"), "s.slf|");
        click("cmdPreviousWindow");
        QCOMPARE(text("txtTreeFile"), treeFile);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(openDataWindows(), 1);
        QVERIFY(m_ui.messages.isEmpty());

        click("cmdNextWindow");
        click("cmdNextWindow");
        QCOMPARE(text("txtLocFile"), locFile);
        DataWindow* location = current();
        location->logic().process("A \"x\" @ x.slf @ @");
        m_ui.answers = {Answer::Cancel};
        click("cmdExit");
        QVERIFY(!WindowChain::programEnded() && location->isVisible());
        m_ui.answers = {Answer::No};
        click("cmdExit");
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
        click("cmdNextWindow");
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
        QCOMPARE(text("txtSlfFile"), path);
        QCOMPARE(current()->logic().display().lines(), lines);
        QVERIFY(m_ui.messages.isEmpty());
        // The chain goes on as usual: back to the tree window and forth again reloads the file.
        click("cmdPreviousWindow");
        click("cmdNextWindow");
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
};

QTEST_MAIN(TestWindowChain)
#include "tst_windowchain.moc"
