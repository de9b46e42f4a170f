#include "ScriptedUserInterface.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DlgFileExists.h"
#include "species/DlgSpecies.h"
#include "tree/DlgTabOrder.h"
#include "tree/TreeTabOrder.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>

namespace {

using Opener = std::function<QWidget*(QWidget* owner)>;

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Where a label draws its text, in its own coordinates.
QRect labelText(const QLabel* label)
{
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
}

// The room a control leaves its text, and the size the text needs.
std::pair<QRect, QSize> textRoom(const QWidget* w)
{
    const QFontMetrics metrics = w->fontMetrics();
    if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        return {box->rect(),
                box->style()
                    ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)
                    .size()};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement element =
            qobject_cast<const QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
            : qobject_cast<const QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                   : QStyle::SE_PushButtonContents;
        return {button->style()->subElementRect(element, &option, button),
                metrics.size(Qt::TextShowMnemonic, button->text())};
    }
    const auto* edit = qobject_cast<const QLineEdit*>(w);
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    // A line edit keeps two pixels free on either side of its text.
    const QRect room = edit->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                           .marginsRemoved(edit->textMargins())
                           .adjusted(2, 0, -2, 0);
    return {room, QSize(metrics.horizontalAdvance(edit->text()), metrics.height())};
}

// Every text that is not readable whole: wider or taller than its box, or (a label's) running
// under a neighbouring control.
QStringList unreadable(const QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty())
                continue;
            const QRect text = labelText(label);
            if (!label->contentsRect().contains(text))
                found << nameOf(w) + QStringLiteral(" does not fit its box");
            // Touching a neighbour is running into it.
            const QRect drawn = text.translated(label->pos()).adjusted(-1, 0, 1, 0);
            for (QObject* object : label->parentWidget()->children()) {
                auto* other = qobject_cast<QWidget*>(object);
                // A picture the label lies on is its background, not a neighbour.
                if (other && other != w && other->isVisibleTo(window) &&
                    other->geometry().intersects(drawn) &&
                    !other->geometry().contains(label->geometry()))
                    found << nameOf(w) + QStringLiteral(" runs under ") + nameOf(other);
            }
        } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            if (area->property("plainText").toString().isEmpty() &&
                area->property("html").toString().isEmpty())
                continue;
            if (area->horizontalScrollBar()->maximum() > 0 ||
                area->verticalScrollBar()->maximum() > 0)
                found << nameOf(w) + QStringLiteral(" scrolls its text");
        } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w) ||
                   (qobject_cast<QLineEdit*>(w) && !static_cast<QLineEdit*>(w)->text().isEmpty())) {
            const auto [room, needed] = textRoom(w);
            if (needed.width() > room.width() || needed.height() > room.height())
                found << nameOf(w) + QStringLiteral(" needs %1x%2 in %3x%4")
                                         .arg(needed.width())
                                         .arg(needed.height())
                                         .arg(room.width())
                                         .arg(room.height());
        }
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Opener)

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
        auto window = [](WindowChain::Window which) {
            return Opener([which](QWidget*) { return WindowChain::show(which); });
        };
        QTest::newRow("frmTreeData") << window(WindowChain::Window::Tree);
        QTest::newRow("frmStandData") << window(WindowChain::Window::Stand);
        QTest::newRow("frmLocData") << window(WindowChain::Window::Location);
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
