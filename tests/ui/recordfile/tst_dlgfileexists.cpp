#include "app/QtUserInterface.h"
#include "recordfile/DlgFileExists.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestDlgFileExists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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

QTEST_MAIN(TestDlgFileExists)
#include "tst_dlgfileexists.moc"
