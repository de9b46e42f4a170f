#include "app/QtUserInterface.h"
#include "recordfile/DlgFileExists.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestDlgFileExists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutAndTexts();
    void onlyItsButtonsCloseIt_data();
    void onlyItsButtonsCloseIt();
    void fileDialogFilters();
};

void TestDlgFileExists::layoutAndTexts()
{
    QWidget owner;
    DlgFileExists dialog(&owner);
    dialog.SetFilename(QStringLiteral("C:\\data\\plot.tre"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File Exists"));
    QCOMPARE(dialog.size(), QSize(396, 173));
    auto* message = dialog.findChild<QLineEdit*>(QStringLiteral("txtMessage"));
    QCOMPARE(message->text(), QStringLiteral("The file C:\\data\\plot.tre already exists!"));
    // A long path loses its middle, never its file name; the tooltip has it whole.
    const QString path = QStringLiteral("/home/forester/inventories/2026/north block/"
                                        "compartment 12/plots measured in june.velk");
    dialog.SetFilename(path);
    QVERIFY(message->text().startsWith(QStringLiteral("The file /hom")));
    QVERIFY(
        message->text().endsWith(QStringLiteral("/plots measured in june.velk already exists!")));
    QVERIFY(message->text().contains(QChar(0x2026)));
    QCOMPARE(message->toolTip(), path);
    QCOMPARE(message->focusPolicy(), Qt::NoFocus);
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(),
             QStringLiteral("Open Existing File"));
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
             QStringLiteral("Use Displayed Values"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cmdOpen"))->text(),
             QStringLiteral("&Open Existing File"));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("Label2"))
                ->text()
                .startsWith(QStringLiteral("This option opens the existing file")));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("Label3"))
                ->text()
                .endsWith(QStringLiteral("replacing it with the information from the display.")));
    auto* useDisplayed = dialog.findChild<QPushButton*>(QStringLiteral("cmdNew"));
    QCOMPARE(useDisplayed->text(), QStringLiteral("Use &Displayed Values"));
    QTRY_COMPARE(QApplication::focusWidget(), useDisplayed);
}

void TestDlgFileExists::onlyItsButtonsCloseIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("status");
    QTest::newRow("open, clicked") << QStringLiteral("cmdOpen") << true;
    QTest::newRow("use displayed, Enter") << QStringLiteral("cmdNew") << false;
}

void TestDlgFileExists::onlyItsButtonsCloseIt()
{
    QFETCH(QString, button);
    QFETCH(bool, status);
    DlgFileExists dialog(nullptr);
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
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

void TestDlgFileExists::fileDialogFilters()
{
    QCOMPARE(
        QtUserInterface::nameFilters(QStringLiteral(
            ".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files (*.tre)|*.tre|All Files (*.*)|*.*")),
        (QStringList{QStringLiteral(".VELK Tree Files (*.velk)"),
                     QStringLiteral(".TRE Tree Files (*.tre)"), QStringLiteral("All Files (*)")}));
    QCOMPARE(QtUserInterface::nameFilters(QStringLiteral("Addfiles|*.kcp")),
             QStringList{QStringLiteral("Addfiles (*.kcp)")});
}

QTEST_MAIN(TestDlgFileExists)
#include "tst_dlgfileexists.moc"
