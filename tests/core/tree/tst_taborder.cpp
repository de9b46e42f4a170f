#include "ScriptedUserInterface.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QTest>

namespace {

QList<int> fieldOrder()
{
    QList<int> order;
    for (int field = 1; field <= TreeFieldCount; ++field)
        order.append(field);
    return order;
}

// The order after clicking these fields and pressing OK.
QList<int> afterClicks(TreeTabOrder& order, const QList<int>& clicks)
{
    TabOrderChoice choice;
    for (const int field : clicks)
        choice.choose(field);
    order.apply(choice.orderNumbers());
    return order.fields();
}

} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickedFieldsComeFirst_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("nothing clicked") << QList<int>() << fieldOrder();
        QList<int> dbhFirst{6, 5, 2, 1, 3, 4};
        for (int field = 7; field <= TreeFieldCount; ++field)
            dbhFirst.append(field);
        QTest::newRow("Dbh, Species, Tree number") << QList<int>{6, 5, 2} << dbhFirst;
        QList<int> reversed = fieldOrder();
        std::reverse(reversed.begin(), reversed.end());
        QTest::newRow("all 19") << reversed << reversed;
    }
    void clickedFieldsComeFirst()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<int>, expected);
        TreeTabOrder order;
        QCOMPARE(afterClicks(order, clicks), expected);
    }

    void laterChoicesStartFromThePreviousOrder()
    {
        TreeTabOrder order;
        afterClicks(order, {6, 5, 2});
        QList<int> expected{19, 6, 5, 2, 1, 3, 4};
        for (int field = 7; field < TreeFieldCount; ++field)
            expected.append(field);
        QCOMPARE(afterClicks(order, {19}), expected);
        QCOMPARE(order.positionOf(2), 4);
    }

    void eachFieldOnceUntilClear()
    {
        TabOrderChoice choice;
        QVERIFY(choice.choose(6));
        QVERIFY(!choice.choose(6));
        QVERIFY(choice.choose(1));
        QCOMPARE(choice.orderText(6), QStringLiteral("1"));
        QCOMPARE(choice.orderText(1), QStringLiteral("2"));
        QCOMPARE(choice.orderText(2), QString());
        QCOMPARE(choice.nextNumber(), 3);
        choice.clear();
        QVERIFY(!choice.isChosen(6));
        QCOMPARE(choice.nextNumber(), 1);
        QVERIFY(choice.choose(6));
        QCOMPARE(choice.orderText(6), QStringLiteral("1"));
    }

    void focusSkipsASwitchedOffFirstField()
    {
        ScriptedUserInterface ui;
        TreeWindowLogic logic(ui);
        afterClicks(logic.tabOrder(), {2, 12, 13, 6});
        QCOMPARE(logic.firstFocusField(), 2);
        logic.toggleSwitch(2);
        logic.toggleSwitch(12);
        QCOMPARE(logic.firstFocusField(), 6);
    }
};

QTEST_GUILESS_MAIN(TestTabOrder)
#include "tst_taborder.moc"
