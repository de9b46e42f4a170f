#include "TestFiles.h"
#include "WindowTest.h"
#include "app/ClickableLabel.h"
#include "app/DataWindow.h"
#include "app/FrmSplash.h"
#include "app/QtUserInterface.h"
#include "base/Cp1252.h"
#include "recordfile/DlgFileExists.h"
#include "recordfile/RecordFileLogic.h"
#include "species/DlgSpecies.h"
#include "stand/DlgVariants.h"
#include "tree/DlgTabOrder.h"
#include "tree/TreeTabOrder.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>

using namespace Drive;
using Answer = UserInterface::Answer;

namespace {

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
            const int key = label->buddy() ? int(Qt::TextShowMnemonic) : 0;
            needed =
                w->fontMetrics().boundingRect(room, int(label->alignment()) | wrap | key, text);
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
        // Fitted narrower or smaller than the design font.
        if (label && ((w->font().stretch() != QFont::AnyStretch &&
                       w->font().stretch() != QFont::Unstretched) ||
                      w->font().pointSizeF() < QApplication::font().pointSizeF()))
            found << w->objectName() + QStringLiteral(" is condensed");
    }
    return found;
}

// Every control a screen reader can land on, by its name; unnamed ones by their object name.
void focusableNames(QAccessibleInterface* node, QStringList* names, QStringList* unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        const auto* widget = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
        if (!widget || child->state().invisible)
            continue;
        const QString name = child->text(QAccessible::Name);
        if (child->state().focusable)
            name.trimmed().isEmpty() ? unnamed->append(widget->objectName()) : names->append(name);
        focusableNames(child, names, unnamed);
    }
}

} // namespace

Q_DECLARE_METATYPE(Opener)

// The splash, the chain of the three data windows, the file dialog, and the layout of every
// window and dialog.
class TestWindows : public QObject, WindowTest
{
    Q_OBJECT

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

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

    void fileDialogFilters()
    {
        QCOMPARE(
            QtUserInterface::nameFilters(".VELK Tree Files (*.velk)|*.velk|All Files (*.*)|*.*"),
            (QStringList{".VELK Tree Files (*.velk)", "All Files (*)"}));
        QCOMPARE(QtUserInterface::nameFilters("Addfiles|*.kcp"), QStringList{"Addfiles (*.kcp)"});
    }

    // A long value loses its middle, so the message box stays narrow; the details hold it whole.
    void messagesElideLongValues()
    {
        QWidget owner;
        QtUserInterface ui(&owner);
        const QString text = "File \"start" + QString(100000, u'x') + "end\": holds a blank";
        QString shown, details;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::tie(shown, details) = std::pair(box->text(), box->detailedText());
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start(10);
        ui.message("Alert", text, UserInterface::Buttons::Ok, UserInterface::Icon::Exclamation);
        QVERIFY2(shown.startsWith("File \"startxx") && shown.endsWith("xxend\": holds a blank") &&
                     shown.size() < 1000,
                 qPrintable(shown));
        QCOMPARE(details, text);
    }

    // A key or a click closes the splash, and the chain goes on, once.
    void splashCloses_data()
    {
        QTest::addColumn<QString>("how"); // the control clicked, else the key
        QTest::newRow("click") << "imgLogo";
        QTest::newRow("key") << "X";
    }
    void splashCloses()
    {
        QFETCH(QString, how);
        QPointer<FrmSplash> splash = new FrmSplash();
        QVERIFY(showActive(splash));
        if (how.size() == 1)
            QTest::keyClick(QApplication::focusWidget(), how[0].toLatin1());
        else
            QTest::mouseClick(find(splash, how), Qt::LeftButton);
        QCOMPARE(openDataWindows(), 1); // at once, not by the timer
        QTRY_VERIFY(splash.isNull());
        QCOMPARE(current()->objectName(), "frmTreeData");
    }

    // Tree -> stand -> location -> back twice -> on again, the names and the position handed
    // on; Cancel keeps the window for Exit and Back, the close box asks once and writes nothing.
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
        QCOMPARE(boxText("txtTreeFile") + '|' + modGlobal().TreeFileName,
                 treeFile + '|' + treeFile);
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
        m_ui.answers = {Answer::Cancel, Answer::Cancel};
        press("cmdExit");
        press("cmdPreviousWindow");
        QVERIFY(!WindowChain::programEnded() && current() == location && location->isVisible());
        m_ui.answers = {Answer::No};
        QVERIFY(location->close()); // the close box ends the program
        QVERIFY(WindowChain::programEnded());
        QCOMPARE(m_ui.titles(), QStringList(3, "Unsaved Changes")); // never again on closing
        QVERIFY(!QFile::exists(locFile));
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

        WindowChain::startWith(path);
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
        QCOMPARE(boxText("txtSlfFile") + '|' + modGlobal().StandListFileName, path + '|' + path);
        QCOMPARE(current()->logic().display().lines(), lines);
        QVERIFY(m_ui.messages.isEmpty());
    }

    // No text of a window or dialog is larger than its box at the design geometry, and with a
    // sans of the design font's widths (which the build installs) no caption is condensed
    // either; a screen reader finds a name for every control that takes the focus. One row per
    // window or dialog.
    void textsFitAndControlsAreNamed_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::addColumn<QString>("family"); // the design font's when empty
        for (const auto& [name, which] : {std::pair("frmTreeData", WindowChain::Window::Tree),
                                          std::pair("frmStandData", WindowChain::Window::Stand),
                                          std::pair("frmLocData", WindowChain::Window::Location)}) {
            const Opener open([which](QWidget*) { return WindowChain::show(which); });
            QTest::newRow(name) << open << QString();
            // Without it, captions are fitted: drawn narrower where there is no room.
            QTest::addRow("%s, DejaVu Sans", name) << open << QStringLiteral("DejaVu Sans");
        }
        QTest::newRow("dlgFileExists") << Opener([](QWidget* owner) {
            auto* dialog = new DlgFileExists(owner);
            dialog->SetFilename(QStringLiteral("/home/forester/inventories/2026/north block/"
                                               "compartment 12/plots measured in june.velk"));
            return dialog;
        }) << QString();
        QTest::newRow("dlgTabOrder")
            << Opener([this](QWidget* owner) { return new DlgTabOrder(owner, m_tabOrder); })
            << QString();
        QTest::newRow("dlgSpecies")
            << Opener([](QWidget* owner) { return new DlgSpecies(owner, nullptr); }) << QString();
        QTest::newRow("dlgVariants")
            << Opener([](QWidget* owner) { return new DlgVariants(owner, nullptr); }) << QString();
        QTest::newRow("frmSplash") << Opener([](QWidget*) { return new FrmSplash(); }) << QString();
    }
    void textsFitAndControlsAreNamed()
    {
        QFETCH(Opener, open);
        QFETCH(QString, family);
        QVERIFY2(designFamilies().contains(QApplication::font().family()),
                 "Liberation Sans or Arimo is not installed");
        const QFont design = QApplication::font();
        const auto restore = qScopeGuard([design] { QApplication::setFont(design); });
        if (!family.isEmpty()) {
            QFont font = design;
            font.setFamily(family);
            QApplication::setFont(font);
        }
        QWidget owner;
        QWidget* window = open(&owner);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList found = unreadable(window);
        // The hover frame holds each picture with room on every side and runs into no text.
        if (auto* frame = window->findChild<QWidget*>("imgButton")) {
            for (ClickableLabel* picture : window->findChildren<ClickableLabel*>()) {
                if (picture->pixmap().isNull() || !picture->isVisibleTo(window))
                    continue;
                Q_EMIT picture->mouseMoved();
                if (!frame->geometry()
                         .adjusted(2, 2, -2, -2)
                         .contains(QRect(picture->pos(),
                                         picture->pixmap().deviceIndependentSize().toSize())))
                    found << picture->objectName() + QStringLiteral(" leaves its frame");
                found << unreadable(window);
            }
        }
        // The focus shows from the start, as after a Tab.
        if (qobject_cast<QDialog*>(window) && !window->testAttribute(Qt::WA_KeyboardFocusChange))
            found << QStringLiteral("the focus does not show");
        QStringList names, unnamed;
        focusableNames(QAccessible::queryAccessibleInterface(window), &names, &unnamed);
        if (window->parent() != &owner)
            delete window;
        for (const QString& name : std::as_const(unnamed))
            found << name + QStringLiteral(" has no accessible name");
        if (!family.isEmpty())
            found.removeIf(
                [](const QString& problem) { return problem.endsWith(" is condensed"); });
        found.removeDuplicates();
        QVERIFY(!names.isEmpty());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
