#include "ScriptedUserInterface.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DlgFileExists.h"
#include "species/DlgSpecies.h"
#include "stand/DlgVariants.h"
#include "tree/DlgTabOrder.h"
#include "tree/TreeTabOrder.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>

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

// No text of a window or dialog is larger than its box at the design geometry, with the
// design font and the fonts this machine has. One row per window or dialog.
class TestLayout : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    TreeTabOrder m_tabOrder;

private Q_SLOTS:
    void initTestCase()
    {
        applyDesignFont();
        UserInterfaceSwitch::installStandIn(&m_ui);
    }
    void cleanup() { WindowChain::resetForTests(); }

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

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
