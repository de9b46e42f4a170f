#include "TestFiles.h"
#include "WindowTest.h"
#include "location/FrmLocData.h"
#include "location/LocationWindowLogic.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace Drive;

// The location data window driven from the keyboard and the mouse.
class TestFrmLocData : public QObject, WindowTest
{
    Q_OBJECT

    // Enabled states of the controls the location record kind switches, then the kind.
    QString locationStates() const
    {
        QString s;
        for (const char* name :
             {"lblTypeA_0", "txtSlfFile", "cmdBrowseSlf", "txtLocation", "lblTypeB_1",
              "txtAddfileGroup", "txtAddfile", "cmdBrowseAddfile", "txtStandId", "txtGroups"})
            s += find(m_window, name)->isEnabled() ? u'1' : u'0';
        return s + (find<QRadioButton>(m_window, "optTypeB")->isChecked() ? " B" : " A");
    }

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

    void locationTypesAnAAndABRecordAndSaves()
    {
        const QString fileName = m_dir.filePath("keys.loc");
        writeFile(m_dir.filePath("bigcreek.slf"), {}); // named by the A record
        modGlobal().LocationsFileName = fileName;
        auto* window = open<FrmLocData>();
        QVERIFY(!find(m_window, "txtSlfAccess")->isVisible());
        QCOMPARE(locationStates(), "1111000000 A");
        const QColor grey = find(m_window, "txtAddfile")->palette().color(QPalette::Base);
        QVERIFY(grey != find(m_window, "txtLocation")->palette().color(QPalette::Base));

        QCOMPARE(focusName(), "txtLocFile");
        key(Qt::Key_Return);
        typeField("bigcreek.slf");
        QCOMPARE(focusName(), "txtLocation");
        keys("Big \"Creek\"");
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(find<QLineEdit>(m_window, "txtLocation")->text(), "Big 'Creek'");

        // The kind is chosen with its access keys; then the B fields take the keys.
        key(Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(locationStates(), "0000111100 B");
        key(Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(locationStates(), "1111000000 A");
        key(Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(locationStates(), "0000111100 B");
        QCOMPARE(find(m_window, "txtLocation")->palette().color(QPalette::Base), grey);
        QTest::mouseClick(find(m_window, "txtAddfileGroup"), Qt::LeftButton);
        typeField("G1");
        QCOMPARE(focusName(), "txtAddfile");
        typeField("a.kcp b.kcp");
        QCOMPARE(focusName(), "lstLocDisplay");
        key(Qt::Key_Return);
        QCOMPARE(focusName(), "cmdProcess");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!window->logic().HasUnsavedChanges());
        QVERIFY(m_ui.messages.isEmpty());
        QCOMPARE(readFile(fileName),
                 "A \"Big 'Creek'\" @ bigcreek.slf @ @\r\nB G1 a.kcp b.kcp\r\n");

        // Selecting an A line switches back.
        window->logic().select(0);
        QCOMPARE(locationStates(), "1111000000 A");
    }
};

QTEST_MAIN(TestFrmLocData)
#include "tst_frmlocdata.moc"
