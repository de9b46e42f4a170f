#include "Drive.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "location/FrmLocData.h"
#include "location/LocationWindowLogic.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Drive;

class TestFrmLocData : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    FrmLocData* m_window = nullptr;

    template <typename T = QWidget> T* find(const char* name) const
    {
        return Drive::find<T>(m_window, name);
    }
    // Enabled states of the controls the record kind switches, then the kind.
    QString states() const
    {
        QString s;
        for (const char* name :
             {"lblTypeA_0", "txtSlfFile", "cmdBrowseSlf", "txtLocation", "lblTypeB_1",
              "txtAddfileGroup", "txtAddfile", "cmdBrowseAddfile", "txtStandId", "txtGroups"})
            s += find(name)->isEnabled() ? u'1' : u'0';
        return s + (find<QRadioButton>("optTypeB")->isChecked() ? " B" : " A");
    }
    void openOn(const QString& fileName)
    {
        modGlobal().LocationsFileName = fileName;
        m_window = new FrmLocData();
        QVERIFY(showActive(m_window));
        m_window->openFromSharedState();
    }

private Q_SLOTS:
    void initTestCase() { UserInterfaceSwitch::installStandIn(&m_ui); }
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
    }
    void cleanup() { delete m_window; }

    void typesAnAAndABRecordAndSaves()
    {
        const QString fileName = m_dir.filePath("keys.loc");
        writeFile(m_dir.filePath("bigcreek.slf"), {}); // named by the A record
        openOn(fileName);
        QCOMPARE(find<QPlainTextEdit>("txtGroups")->toPlainText(),
                 "Specified in the Stand List File\n(use 'Prev. Window' button)");
        QVERIFY(!find("txtSlfAccess")->isVisible());
        QCOMPARE(states(), "1111000000 A");
        const QColor grey = find("txtAddfile")->palette().color(QPalette::Base);
        QVERIFY(grey != find("txtLocation")->palette().color(QPalette::Base));

        QCOMPARE(focusName(), "txtLocFile");
        key(Qt::Key_Return);
        typeField("bigcreek.slf");
        QCOMPARE(focusName(), "txtLocation");
        keys("Big \"Creek\"");
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(find<QLineEdit>("txtLocation")->text(), "Big 'Creek'");

        // The kind is chosen with the mouse; then the B fields take the keys.
        QTest::mouseClick(find("optTypeB"), Qt::LeftButton);
        QCOMPARE(states(), "0000111100 B");
        QCOMPARE(find("txtLocation")->palette().color(QPalette::Base), grey);
        QTest::mouseClick(find("txtAddfileGroup"), Qt::LeftButton);
        typeField("G1");
        QCOMPARE(focusName(), "txtAddfile");
        typeField("a.kcp b.kcp");
        QCOMPARE(focusName(), "lstLocDisplay");
        key(Qt::Key_Return);
        QCOMPARE(focusName(), "cmdProcess");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!m_window->logic().HasUnsavedChanges());
        QVERIFY(m_ui.messages.isEmpty());
        QCOMPARE(readFile(fileName),
                 "A \"Big 'Creek'\" @ bigcreek.slf @ @\r\nB G1 a.kcp b.kcp\r\n");

        // Selecting an A line switches back.
        m_window->logic().select(0);
        QCOMPARE(states(), "1111000000 A");
    }

    void loadsAndSavesUnchanged()
    {
        const QByteArray lines = "A \"Big Creek\" \"a b\" \"C:\\My Files\\b.slf\" @ @\r\n"
                                 "b\tG1 \"x y.kcp\" @\r\n"
                                 "C unknown line\r\n"
                                 "A \"\xe9t\xe9\" @ \x81.slf\r\n";
        const QString fileName = m_dir.filePath("mixed.loc");
        writeFile(fileName, "\r\n" + lines + "\r\n");
        openOn(fileName);
        QCOMPARE(m_window->logic().RecordCount(), 4);
        QTest::keyClick(m_window, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_ui.titles(), QStringList({"Error", "File Exists", "Check"}));
        QCOMPARE(readFile(fileName), lines);
    }
};

QTEST_MAIN(TestFrmLocData)
#include "tst_frmlocdata.moc"
