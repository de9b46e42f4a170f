#include "species/DlgSpecies.h"

#include "app/ModGlobal.h"
#include "species/SpeciesDialogLayout.h"
#include "species/SpeciesLists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

constexpr int TwipsPerPixel = 15;

QRect inTwips(const QRect& pixels)
{
    return {pixels.topLeft() * TwipsPerPixel, pixels.size() * TwipsPerPixel};
}

// A dialog over its own owner window with a Species field to write into.
struct Opened
{
    QWidget owner;
    QLineEdit field{&owner};
    std::unique_ptr<DlgSpecies> dialog;

    explicit Opened(const QString& fieldText = QStringLiteral("XX"))
    {
        field.setText(fieldText);
        owner.resize(800, 600);
        owner.show();
        dialog = std::make_unique<DlgSpecies>(&owner, &field);
        dialog->show();
    }

    QComboBox* combo() const { return dialog->findChild<QComboBox*>(QStringLiteral("cboVariant")); }
    QListWidget* list() const
    {
        return dialog->findChild<QListWidget*>(QStringLiteral("lstSpecies"));
    }
    QPushButton* button(const char* name) const
    {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QStringList listTexts() const
    {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts.append(list()->item(row)->text());
        return texts;
    }
    void select(const QString& text) const
    {
        const QList<QListWidgetItem*> found = list()->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list()->setCurrentItem(found.first());
    }
    // Client size in pixels for an outer size in twips.
    void resizeOuter(int outerWidth, int outerHeight) const
    {
        dialog->resize((outerWidth - SpeciesDialogLayout::FrameWidth) / TwipsPerPixel,
                       (outerHeight - SpeciesDialogLayout::FrameHeight) / TwipsPerPixel);
    }
};

} // namespace

class TestDlgSpecies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { modGlobal().SpeciesVariantIndex = 0; }

    void firstOpeningIsEmpty();
    void designLayout();
    void variantRememberedAfterCancel();
    void placeholderEmptiesList();
    void confirm_data();
    void confirm();
    void escapeDoesNotClose();
    void columnsFollowListWidth_data();
    void columnsFollowListWidth();
    void layoutRules_data();
    void layoutRules();
    void resizeLimits_data();
    void resizeLimits();
};

void TestDlgSpecies::firstOpeningIsEmpty()
{
    Opened opened;
    QCOMPARE(opened.combo()->count(), 23);
    QCOMPARE(opened.combo()->currentIndex(), 0);
    QCOMPARE(opened.combo()->currentText(), QStringLiteral("Select variant"));
    QCOMPARE(opened.combo()->itemText(22), QStringLiteral("ws = Western Sierra Nevada"));
    QCOMPARE(opened.list()->count(), 0);

    QTest::mouseClick(opened.button("OKButton"), Qt::LeftButton);
    QCOMPARE(opened.field.text(), QString());
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!opened.dialog->isVisible());
}

void TestDlgSpecies::designLayout()
{
    Opened opened;
    QCOMPARE(opened.dialog->objectName(), QStringLiteral("dlgSpecies"));
    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("VELK Species"));
    QCOMPARE(opened.dialog->size() * TwipsPerPixel, QSize(7155, 3195));
    QCOMPARE(inTwips(opened.list()->geometry()), QRect(120, 540, 5655, 2520));
    QCOMPARE(inTwips(opened.button("OKButton")->geometry()), QRect(5880, 540, 1215, 375));
    QCOMPARE(inTwips(opened.button("CancelButton")->geometry()), QRect(5880, 1020, 1215, 375));
    QCOMPARE(inTwips(opened.combo()->geometry()), QRect(1140, 120, 3495, 315));
    QCOMPARE(opened.dialog->columnCount(), 2);
    for (const char* name : {"OKButton", "CancelButton"}) {
        QVERIFY(!opened.button(name)->isDefault());
        QVERIFY(!opened.button(name)->autoDefault());
    }
    QCOMPARE(opened.list()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(opened.list()->flow(), QListView::TopToBottom);
    QVERIFY(opened.list()->isWrapping());
    QVERIFY(!opened.combo()->isEditable());
}

void TestDlgSpecies::variantRememberedAfterCancel()
{
    {
        Opened opened;
        opened.combo()->setCurrentIndex(8);
        QCOMPARE(modGlobal().SpeciesVariantIndex, qint16(8));
        QTest::mouseClick(opened.button("CancelButton"), Qt::LeftButton);
        QCOMPARE(opened.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(opened.field.text(), QStringLiteral("XX"));
    }
    Opened reopened;
    QCOMPARE(reopened.combo()->currentIndex(), 8);
    QCOMPARE(reopened.listTexts(), SpeciesLists::forPosition(8));
    QCOMPARE(reopened.list()->count(), 8);
    QVERIFY(reopened.list()->selectedItems().isEmpty());
}

void TestDlgSpecies::placeholderEmptiesList()
{
    modGlobal().SpeciesVariantIndex = 5;
    Opened opened;
    QCOMPARE(opened.list()->count(), 24);
    opened.select(QStringLiteral("CB = Corkbark fir"));
    opened.combo()->setCurrentIndex(6);
    QCOMPARE(opened.list()->count(), 96);
    QVERIFY(opened.list()->selectedItems().isEmpty());
    opened.combo()->setCurrentIndex(0);
    QCOMPARE(opened.list()->count(), 0);
    QCOMPARE(modGlobal().SpeciesVariantIndex, qint16(0));
}

void TestDlgSpecies::confirm_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one letter, OK")
        << 12 << QStringLiteral("M = Madrone") << false << QStringLiteral("M ");
    QTest::newRow("one letter, double-click")
        << 12 << QStringLiteral("M = Madrone") << true << QStringLiteral("M ");
    QTest::newRow("two letters, OK")
        << 1 << QStringLiteral("WS = White spruce") << false << QStringLiteral("WS");
    QTest::newRow("two letters, double-click")
        << 1 << QStringLiteral("WS = White spruce") << true << QStringLiteral("WS");
    QTest::newRow("second column, double-click")
        << 6 << QStringLiteral("SD = Sourwood") << true << QStringLiteral("SD");
}

void TestDlgSpecies::confirm()
{
    QFETCH(int, variant);
    QFETCH(QString, entry);
    QFETCH(bool, doubleClick);
    QFETCH(QString, expected);

    Opened opened;
    opened.combo()->setCurrentIndex(variant);
    if (doubleClick) {
        const QListWidgetItem* item = opened.list()->findItems(entry, Qt::MatchExactly).value(0);
        QVERIFY(item);
        opened.list()->scrollToItem(item);
        const QPoint at = opened.list()->visualItemRect(item).center();
        // The press of a real double-click comes first and selects the entry.
        QTest::mouseClick(opened.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(opened.list()->viewport(), Qt::LeftButton, {}, at);
    } else {
        opened.select(entry);
        QTest::mouseClick(opened.button("OKButton"), Qt::LeftButton);
    }
    QCOMPARE(opened.field.text(), expected);
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!opened.dialog->isVisible());
}

void TestDlgSpecies::escapeDoesNotClose()
{
    Opened opened;
    QTest::keyClick(opened.dialog.get(), Qt::Key_Escape);
    QTest::keyClick(opened.dialog.get(), Qt::Key_Return);
    QVERIFY(opened.dialog->isVisible());
    QCOMPARE(opened.field.text(), QStringLiteral("XX"));
}

void TestDlgSpecies::columnsFollowListWidth_data()
{
    QTest::addColumn<int>("listWidth"); // twips; a whole number of pixels
    QTest::addColumn<int>("columns");
    QTest::newRow("one column, just under") << 2790 << 1;
    QTest::newRow("one column, just over 2800") << 2805 << 1;
    QTest::newRow("two columns") << 5610 << 2;
    QTest::newRow("two columns, just under three") << 8385 << 2;
    QTest::newRow("three columns") << 8400 << 3;
}

void TestDlgSpecies::columnsFollowListWidth()
{
    QFETCH(int, listWidth);
    QFETCH(int, columns);

    modGlobal().SpeciesVariantIndex = 16;
    Opened opened;
    opened.resizeOuter(listWidth + 1620, 3600);
    QCOMPARE(opened.list()->width() * TwipsPerPixel, listWidth);
    QCOMPARE(opened.dialog->columnCount(), columns);

    // The columns share the list's width, and the rest scrolls sideways.
    const int viewport = opened.list()->viewport()->width();
    const int column = opened.list()->gridSize().width();
    QVERIFY2(column * columns <= viewport && column * (columns + 1) > viewport,
             qPrintable(QStringLiteral("%1 x %2 in %3").arg(column).arg(columns).arg(viewport)));
    QCOMPARE(opened.list()->verticalScrollBar()->isVisible(), false);
    QTRY_VERIFY(opened.list()->horizontalScrollBar()->maximum() > 0);
}

void TestDlgSpecies::layoutRules_data()
{
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("outerHeight");
    QTest::addColumn<int>("listWidth");
    QTest::addColumn<int>("listHeight");
    QTest::addColumn<int>("buttonLeft");
    QTest::addColumn<int>("columns");
    // The last list size is 4000 x 2000 in every row.
    QTest::newRow("design size") << 7275 << 3600 << 5655 << 2520 << 5880 << 2;
    QTest::newRow("2800 wide is one column") << 4420 << 3600 << 2800 << 2520 << 3025 << 1;
    QTest::newRow("2801 wide is one column") << 4421 << 3600 << 2801 << 2520 << 3026 << 1;
    QTest::newRow("5599 wide is one column") << 7219 << 3600 << 5599 << 2520 << 5824 << 1;
    QTest::newRow("5600 wide is two columns") << 7220 << 3600 << 5600 << 2520 << 5825 << 2;
    QTest::newRow("8400 wide is three columns") << 10020 << 3600 << 8400 << 2520 << 8625 << 3;
    QTest::newRow("width at the limit") << 1620 << 3600 << 4000 << 2520 << 225 << 1;
    QTest::newRow("width just over the limit") << 1621 << 3600 << 1 << 2520 << 226 << 1;
    QTest::newRow("height at the limit") << 7275 << 1080 << 5655 << 2000 << 5880 << 2;
    QTest::newRow("height just over the limit") << 7275 << 1081 << 5655 << 1 << 5880 << 2;
    QTest::newRow("buttons move even off the left edge") << 900 << 900 << 4000 << 2000 << -495 << 1;
}

void TestDlgSpecies::layoutRules()
{
    QFETCH(int, outerWidth);
    QFETCH(int, outerHeight);
    QFETCH(int, listWidth);
    QFETCH(int, listHeight);
    QFETCH(int, buttonLeft);
    QFETCH(int, columns);
    const SpeciesDialogLayout layout =
        SpeciesDialogLayout::forOuterSize(outerWidth, outerHeight, 4000, 2000);
    QCOMPARE(layout.listWidth, listWidth);
    QCOMPARE(layout.listHeight, listHeight);
    QCOMPARE(layout.buttonLeft, buttonLeft);
    QCOMPARE(layout.columns, columns);
}

void TestDlgSpecies::resizeLimits_data()
{
    QTest::addColumn<QSize>("outer"); // twips
    QTest::addColumn<QSize>("list");  // twips, after first widening to 9000 x 3990
    QTest::addColumn<int>("buttonLeft");
    QTest::newRow("both at the limits") << QSize(1620, 1080) << QSize(9000, 3990) << 225;
    QTest::newRow("narrow only") << QSize(1620, 3000) << QSize(9000, 1920) << 225;
    QTest::newRow("low only") << QSize(5115, 1080) << QSize(3495, 3990) << 3720;
    QTest::newRow("just over both limits") << QSize(1635, 1095) << QSize(15, 15) << 240;
}

void TestDlgSpecies::resizeLimits()
{
    QFETCH(QSize, outer);
    QFETCH(QSize, list);
    QFETCH(int, buttonLeft);

    Opened opened;
    opened.resizeOuter(9000 + 1620, 3990 + 1080);
    QCOMPARE(opened.list()->size() * TwipsPerPixel, QSize(9000, 3990));
    opened.resizeOuter(outer.width(), outer.height());
    QCOMPARE(opened.list()->size() * TwipsPerPixel, list);
    QCOMPARE(opened.button("OKButton")->x() * TwipsPerPixel, buttonLeft);
    QCOMPARE(opened.button("CancelButton")->x() * TwipsPerPixel, buttonLeft);
    QCOMPARE(opened.dialog->columnCount(), list.width() <= 2800 ? 1 : list.width() / 2800);
}

QTEST_MAIN(TestDlgSpecies)
#include "tst_dlgspecies.moc"
