#include "TestFiles.h"
#include "WindowTest.h"
#include "tree/FrmTreeData.h"
#include "tree/TreeRecord.h"
#include "tree/TreeWindowLogic.h"

#include <QLabel>
#include <QLineEdit>

using namespace Drive;

// The tree data window driven from the keyboard and the mouse, with its tab order dialog.
class TestFrmTreeData : public QObject, WindowTest
{
    Q_OBJECT

    QLineEdit* treeField(int i) const
    {
        return find<QLineEdit>(m_window, QString::fromLatin1(::treeField(i).box));
    }
    // Clicks `opener`, runs `answer` in the dialog it opens, then closes it with the button
    // `closer`, or as the window manager does when there is none.
    void throughDialog(const QString& opener, const std::function<void(QWidget*)>& answer,
                       const QString& closer = "OKButton")
    {
        inDialog(
            m_window, [&] { click(m_window, opener); },
            [&](QDialog* dialog) {
                answer(dialog);
                if (closer.isEmpty())
                    dialog->close();
                else
                    click(dialog, closer);
            });
    }

private Q_SLOTS:
    void initTestCase() { startUp(); }
    void init() { renew(); }
    void cleanup() { tearDown(); }

    void treeTypesTwoTreesAndSaves()
    {
        auto* window = open<FrmTreeData>();
        const QString fileName = m_dir.filePath("trees.velk");
        // From the display list: back to the file name box, then Enter loads and moves on.
        key(Qt::Key_Backtab);
        typeField(fileName);
        typeField();
        // The point in Plot number is refused as it is typed.
        for (const char* keys : {"1.2", "1", "2.5", "1", "df", "10.5", "3", "85", "", "", "5", "25",
                                 "3", "", "", "", "", "1", ""})
            typeField(keys);
        typeField();
        // The Tab sent after adding lands in the first field, never in the file name box.
        QTRY_COMPARE(focusName(), "txtTreeData_1");
        for (const char* keys : {"", "2", "1", "", "wf"})
            typeField(keys);
        keys("5");
        key(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window->treeLogic().RecordCount(), 2);
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!window->treeLogic().HasUnsavedChanges());
        QCOMPARE(readFile(fileName), readFile(SAPWRIGHT_TEST_DATA "/tree_two_trees.velk"));
    }

    void treeTabOrderDialog()
    {
        open<FrmTreeData>();
        // No control box; the window manager's close is Cancel.
        throughDialog(
            "imgTabOrder",
            [](QWidget* dialog) {
                QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
                click(dialog, "lblField_3");
            },
            QString());
        QCOMPARE(focusName(), "txtTreeData_1");
        throughDialog("imgTabOrder", [](QWidget* dialog) {
            for (const char* name : {"lblField_6", "lblField_5", "lblField_2"})
                click(dialog, name);
            auto* order = find<QLineEdit>(dialog, "txtOrder_5");
            QCOMPARE(order->text(), "2");
            QVERIFY(!order->isEnabled());
        });
        QStringList visited{focusName()};
        for (int i = 0; i < 4; ++i) {
            typeField();
            visited.append(focusName());
        }
        QCOMPARE(visited, QStringList({"txtTreeData_6", "txtTreeData_5", "txtTreeData_2",
                                       "txtTreeData_1", "txtTreeData_3"}));
    }

    void treeSpeciesListFillsTheField()
    {
        auto* window = open<FrmTreeData>();
        throughDialog("cmdSpeciesList", [](QWidget* dialog) {
            find(dialog, "cboVariant")->setProperty("currentIndex", 1);
            find(dialog, "lstSpecies")->setProperty("currentRow", 0);
        });
        QVERIFY(!treeField(5)->text().isEmpty());
        QCOMPARE(window->treeLogic().field(5), treeField(5)->text());
        QCOMPARE(focusName(), "txtTreeData_5");
    }
};

QTEST_MAIN(TestFrmTreeData)
#include "tst_frmtreedata.moc"
