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

// The species dialog: its variant, how an entry is chosen, its layout as it is resized.
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

    // The dialog lays itself out as it is resized: the list takes what the margins leave, in
    // columns of 2800 twips, and keeps its last size below the limits; an entry cut in its
    // column shows its whole text as its tooltip.
    void speciesLayout_data()
    {
        QTest::addColumn<QSize>("client"); // pixels
        QTest::addColumn<QSize>("list");   // twips
        QTest::addColumn<int>("columns");
        QTest::newRow("1 column, entries cut") << QSize(150, 213) << QSize(750, 2520) << 1;
        QTest::newRow("2 columns") << QSize(474, 213) << QSize(5610, 2520) << 2;
        QTest::newRow("3 columns") << QSize(660, 213) << QSize(8400, 2520) << 3;
        QTest::newRow("below the limits") << QSize(100, 45) << QSize(5655, 2520) << 2;
    }
    void speciesLayout()
    {
        QFETCH(QSize, client);
        QFETCH(QSize, list);
        QFETCH(int, columns);
        modGlobal().SpeciesVariantIndex = 16; // enough entries to overflow the list
        Opened opened;
        opened.dialog.resize(client);
        QCOMPARE(opened.list->size() * 15, list);
        QCOMPARE(opened.dialog.columnCount(), columns);
        QCOMPARE(opened.ok->x(),
                 (client.width() * 15 + SpeciesDialogLayout::FrameWidth - 1395) / 15);
        QTRY_VERIFY(opened.list->horizontalScrollBar()->maximum() > 0);
        const int margins =
            2 * (opened.list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int row = 0; row < opened.list->count(); ++row) {
            const QListWidgetItem* item = opened.list->item(row);
            // Within a pixel the text layout decides; beyond, the width alone.
            const int over = opened.list->fontMetrics().horizontalAdvance(item->text()) + margins -
                             opened.list->visualItemRect(item).width();
            if (qAbs(over) > 1)
                QCOMPARE(item->toolTip(), over > 0 ? item->text() : QString());
        }
    }
};

QTEST_MAIN(TestDlgSpecies)
#include "tst_dlgspecies.moc"
