#include "ScriptedUserInterface.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QTest>

using Rounds = QList<QList<int>>;

namespace {

// The order after each round of clicks is confirmed with OK; 0 stands for the Clear button.
QList<int> afterRounds(TreeTabOrder& order, const Rounds& rounds)
{
    for (const QList<int>& clicks : rounds) {
        TabOrderChoice choice;
        for (const int field : clicks)
            field ? void(choice.choose(field)) : choice.clear();
        order.apply(choice.orderNumbers());
    }
    return order.fields();
}

} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickedFieldsComeFirst_data()
    {
        QTest::addColumn<Rounds>("rounds");
        QTest::addColumn<QList<int>>("first");
        QTest::newRow("OK without clicks") << Rounds{{}} << QList<int>();
        QTest::newRow("Dbh, Species, Tree number") << Rounds{{6, 5, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("a chosen field twice") << Rounds{{6, 5, 6, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("Clear") << Rounds{{1, 2, 0, 6, 5, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("a later round") << Rounds{{6, 5, 2}, {19}} << QList<int>{19, 6, 5, 2};
    }
    void clickedFieldsComeFirst()
    {
        QFETCH(Rounds, rounds);
        QFETCH(QList<int>, first);
        // Behind the fields listed first, the rest follow in field order.
        QList<int> expected = first;
        for (int field = 1; field <= TreeFieldCount; ++field) {
            if (!first.contains(field))
                expected.append(field);
        }
        TreeTabOrder order;
        QCOMPARE(afterRounds(order, rounds), expected);
    }

    void focusSkipsASwitchedOffFirstField()
    {
        ScriptedUserInterface ui;
        TreeWindowLogic logic(ui);
        afterRounds(logic.tabOrder(), {{2, 12, 13, 6}});
        QCOMPARE(logic.firstFocusField(), 2);
        logic.toggleSwitch(2);
        logic.toggleSwitch(12);
        QCOMPARE(logic.firstFocusField(), 6);
    }
};

QTEST_GUILESS_MAIN(TestTabOrder)
#include "tst_taborder.moc"
