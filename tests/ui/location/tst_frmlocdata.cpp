#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "location/FrmLocData.h"
#include "location/LocationWindowLogic.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <typename T = QWidget> T* find(const QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Types into the focused control, then Enter, which moves on like Tab.
void typeField(const QString& keys)
{
    QTest::keyClicks(QApplication::focusWidget(), keys);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

} // namespace

class TestFrmLocData : public QObject
{
    Q_OBJECT

    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    FrmLocData* m_window = nullptr;

    void openOn(const QString& fileName)
    {
        modGlobal().LocationsFileName = fileName;
        m_window = new FrmLocData();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
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
        openOn(fileName);
        QCOMPARE(focusName(), "txtLocFile");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        typeField("bigcreek.slf");
        QCOMPARE(focusName(), "txtLocation");
        QTest::keyClicks(QApplication::focusWidget(), "Big \"Creek\"");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(find<QLineEdit>(m_window, "txtLocation")->text(), "Big 'Creek'");

        // The kind is chosen with the mouse; then the B fields take the keys.
        QTest::mouseClick(find(m_window, "optTypeB"), Qt::LeftButton);
        QVERIFY(!find(m_window, "txtLocation")->isEnabled());
        QTest::mouseClick(find(m_window, "txtAddfileGroup"), Qt::LeftButton);
        typeField("G1");
        QCOMPARE(focusName(), "txtAddfile");
        QTest::keyClicks(QApplication::focusWidget(), "a.kcp b.kcp");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(focusName(), "lstLocDisplay");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(focusName(), "cmdProcess");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_window->logic().RecordCount(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!m_window->logic().HasUnsavedChanges());
        QVERIFY(m_ui.messages.isEmpty());
        QCOMPARE(readFile(fileName),
                 "A \"Big 'Creek'\" @ bigcreek.slf @ @\r\nB G1 a.kcp b.kcp\r\n");
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
        QCOMPARE(m_ui.titles(), QStringList{"Error"});
        auto* view = find<QAbstractItemView>(m_window, "lstLocDisplay");
        QCOMPARE(view->model()->rowCount(), 5);
        QTest::keyClick(m_window, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_ui.titles(), QStringList({"Error", "File Exists"}));
        QCOMPARE(readFile(fileName), lines);
    }

    void controlsFollowTheKind()
    {
        openOn(m_dir.filePath("none.loc"));
        QCOMPARE(find<QPlainTextEdit>(m_window, "txtGroups")->toPlainText(),
                 "Specified in the Stand List File\n(use 'Prev. Window' button)");
        auto* access = find<QLineEdit>(m_window, "txtSlfAccess");
        QVERIFY(!access->isVisible());
        QCOMPARE(access->text(), "@");
        auto states = [this] {
            QString s;
            for (const char* name : {"optTypeA", "lblTypeA_0", "txtSlfFile", "cmdBrowseSlf",
                                     "txtLocation", "lblTypeB_1", "txtAddfileGroup", "txtAddfile",
                                     "cmdBrowseAddfile", "txtStandId", "txtGroups"})
                s += find(m_window, name)->isEnabled() ? u'1' : u'0';
            return s + (find<QRadioButton>(m_window, "optTypeB")->isChecked() ? " B" : " A");
        };
        QCOMPARE(states(), "11111000000 A");
        const QColor grey = find(m_window, "txtAddfile")->palette().color(QPalette::Base);
        QVERIFY(grey != find(m_window, "txtLocation")->palette().color(QPalette::Base));
        QTest::mouseClick(find(m_window, "optTypeB"), Qt::LeftButton);
        QCOMPARE(states(), "10000111100 B");
        QCOMPARE(find(m_window, "txtLocation")->palette().color(QPalette::Base), grey);
        // Selecting an A line switches back.
        m_window->logic().process("A \"L\" @ b.slf @ @");
        m_window->logic().select(0);
        QCOMPARE(states(), "11111000000 A");
        QCOMPARE(find<QLineEdit>(m_window, "txtLocation")->text(), "L");
    }
};

QTEST_MAIN(TestFrmLocData)
#include "tst_frmlocdata.moc"
