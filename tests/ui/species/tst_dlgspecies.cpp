#include "WindowTest.h"
#include "species/DlgSpecies.h"
#include "species/SpeciesDialogLayout.h"
#include "species/SpeciesLists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

using namespace Drive;

namespace {

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

} // namespace

// The species dialog: its variant, how an entry is chosen, its layout at any size.
class TestDlgSpecies : public QObject, WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

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
        // Tab into the list chooses the entry it marks, so Down goes on from that one.
        QVERIFY(QTest::qWaitForWindowActive(&reopened.dialog));
        reopened.list->setFocus(Qt::TabFocusReason);
        QCOMPARE(reopened.list->selectedItems(), {reopened.list->item(0)});
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

    // At the design geometry no entry of any variant is cut with the design font; in a larger
    // font some are, and each of those shows its whole text as its tooltip.
    void speciesEntriesFitOrShowWhole_data()
    {
        QTest::addColumn<qreal>("points"); // 0: the design font
        QTest::addColumn<bool>("someCut");
        QTest::newRow("design font") << 0.0 << false;
        QTest::newRow("12 points") << 12.0 << true;
    }
    void speciesEntriesFitOrShowWhole()
    {
        QFETCH(qreal, points);
        QFETCH(bool, someCut);
        Opened opened;
        if (points > 0) {
            QFont font = opened.list->font();
            font.setPointSizeF(points);
            opened.list->setFont(font);
        }
        const int margins =
            2 * (opened.list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        QStringList cut;
        for (int variant = 1; variant < opened.combo->count(); ++variant) {
            opened.combo->setCurrentIndex(variant);
            for (int row = 0; row < opened.list->count(); ++row) {
                const QListWidgetItem* item = opened.list->item(row);
                // Within a pixel the text layout decides; beyond, the width alone.
                const qreal over =
                    QFontMetricsF(opened.list->font()).horizontalAdvance(item->text()) + margins -
                    opened.list->visualItemRect(item).width();
                if (qAbs(over) > 1)
                    QCOMPARE(item->toolTip(), over > 0 ? item->text() : QString());
                if (!item->toolTip().isEmpty())
                    cut << item->text();
            }
        }
        QVERIFY2(cut.isEmpty() != someCut, qPrintable(cut.join(QStringLiteral("; "))));
    }

    void speciesLayout_data()
    {
        QTest::addColumn<QSize>("outer"); // twips, like the list
        QTest::addColumn<QSize>("list");  // the last list size is 9000 x 3990
        QTest::addColumn<int>("columns");
        // clang-format off
        QTest::newRow("5599: 1 column") << QSize(7219, 3600) << QSize(5599, 2520) << 1;
        QTest::newRow("5600: 2 columns") << QSize(7220, 3600) << QSize(5600, 2520) << 2;
        QTest::newRow("8400: 3 columns") << QSize(10020, 3600) << QSize(8400, 2520) << 3;
        QTest::newRow("width at the limit") << QSize(1620, 3000) << QSize(9000, 1920) << 3;
        QTest::newRow("width just over") << QSize(1621, 3000) << QSize(1, 1920) << 1;
        QTest::newRow("height just over") << QSize(5115, 1081) << QSize(3495, 1) << 1;
        QTest::newRow("buttons off the left edge") << QSize(900, 900) << QSize(9000, 3990) << 3;
        // clang-format on
    }

    void speciesLayout()
    {
        QFETCH(QSize, outer);
        QFETCH(QSize, list);
        QFETCH(int, columns);
        const SpeciesDialogLayout rules =
            SpeciesDialogLayout::forOuterSize(outer.width(), outer.height(), 9000, 3990);
        QCOMPARE(QSize(rules.listWidth, rules.listHeight), list);
        QCOMPARE(rules.buttonLeft, outer.width() - 1395); // whatever the width
        QCOMPARE(rules.columns, columns);
    }

    // The dialog lays itself out by those rules as it is resized.
    void speciesDialogFollowsTheLayout()
    {
        modGlobal().SpeciesVariantIndex = 16; // enough entries to overflow the list
        Opened opened;
        opened.dialog.resize(700, 311); // a list of 9000 x 3990 twips
        opened.dialog.resize((QSize(10020, 3600) - QSize(SpeciesDialogLayout::FrameWidth,
                                                         SpeciesDialogLayout::FrameHeight)) /
                             15);
        QCOMPARE(opened.list->size() * 15, QSize(8400, 2520));
        QCOMPARE(opened.dialog.columnCount(), 3);
        QTRY_VERIFY(opened.list->horizontalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(TestDlgSpecies)
#include "tst_dlgspecies.moc"
