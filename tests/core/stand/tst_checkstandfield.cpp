#include "stand/CheckStandField.h"
#include "tree/TreeRecord.h"

#include <QTest>

class TestCheckStandField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data();
    void typing();
    void everyBoxTypingOnePointFive_data();
    void everyBoxTypingOnePointFive();
    void change_data();
    void change();
    void trailingSignDiffersFromTreeRules();
    void labelsAndTooltips();
};

namespace {

struct Typed
{
    QString text;
    int beeps = 0;
};

// Types `keys` one at a time at the caret, as the box would: a key that would go past the
// box's length limit is not taken; every change runs the check.
Typed type(int index, const QString& keys)
{
    QString text;
    int caret = 0;
    Typed typed;
    for (const QChar key : keys) {
        const int limit = standFieldMaxLength(index);
        if (limit > 0 && text.size() >= limit)
            continue;
        text.insert(caret, key);
        ++caret;
        const TypingResult result = CheckStandField(index, text, caret);
        if (result.beep)
            ++typed.beeps;
        text = result.text;
        caret = result.caret;
    }
    typed.text = text;
    return typed;
}

namespace Box {
constexpr int InventoryYear = 2;
constexpr int Latitude = 3;
constexpr int Location = 5;
constexpr int BasalAreaFactor = 11;
constexpr int DiameterGrowthCode = 18;
constexpr int HeightGrowthCode = 20;
constexpr int SiteSpecies = 25;
constexpr int ForestType = 29;
} // namespace Box

} // namespace

void TestCheckStandField::typing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("1 point 5 in a year") << Box::InventoryYear << "1.5"
                                         << "15" << 1;
    QTest::newRow("1 point 5 in a latitude") << Box::Latitude << "1.5"
                                             << "1.5" << 0;
    QTest::newRow("point first in a latitude") << Box::Latitude << ".5"
                                               << ".5" << 0;
    QTest::newRow("minus first in a latitude") << Box::Latitude << "-5"
                                               << "5" << 1;
    QTest::newRow("minus first in a basal area factor") << Box::BasalAreaFactor << "-10"
                                                        << "-10" << 0;
    QTest::newRow("minus after 10 in a basal area factor") << Box::BasalAreaFactor << "10-"
                                                           << "10" << 1;
    QTest::newRow("second minus in a basal area factor") << Box::BasalAreaFactor << "--1"
                                                         << "-1" << 1;
    QTest::newRow("@ then a digit, whole") << Box::Location << "@5"
                                           << "@" << 1;
    QTest::newRow("@ then a digit, signed") << Box::BasalAreaFactor << "@5"
                                            << "@" << 1;
    QTest::newRow("digit then @") << Box::Location << "5@"
                                  << "5" << 1;
    QTest::newRow("@ in a growth code") << Box::DiameterGrowthCode << "@"
                                        << "@" << 0;
    QTest::newRow("blank at the end, whole") << Box::InventoryYear << "19 "
                                             << "19" << 1;
    QTest::newRow("blank at the end, decimal") << Box::Latitude << "4 "
                                               << "4" << 1;
    QTest::newRow("blank at the end, signed") << Box::BasalAreaFactor << "-1 "
                                              << "-1" << 1;
    QTest::newRow("blank into an empty growth code") << Box::HeightGrowthCode << " "
                                                     << "" << 1;
    QTest::newRow("4 in a growth code") << Box::DiameterGrowthCode << "4"
                                        << "" << 1;
    QTest::newRow("0 in a growth code") << Box::DiameterGrowthCode << "0"
                                        << "0" << 0;
    QTest::newRow("growth code takes one character") << Box::HeightGrowthCode << "21"
                                                     << "2" << 0;
    QTest::newRow("year takes four characters") << Box::InventoryYear << "19995"
                                                << "1999" << 0;
    QTest::newRow("point at the end of a whole number") << Box::Location << "12."
                                                        << "12" << 1;
    // Unlike the tree rules, a trailing sign is let through: it reads as a number.
    QTest::newRow("trailing minus in a whole number") << Box::Location << "5-"
                                                      << "5-" << 0;
    QTest::newRow("trailing minus in a decimal") << Box::Latitude << "5-"
                                                 << "5-" << 0;
    QTest::newRow("any characters in a forest type") << Box::ForestType << "a b-@."
                                                     << "a b-@." << 0;
    QTest::newRow("site species takes two characters") << Box::SiteSpecies << "d f"
                                                       << "d " << 0;
}

void TestCheckStandField::typing()
{
    QFETCH(int, index);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);

    const Typed typed = type(index, keys);
    QCOMPARE(typed.text, text);
    QCOMPARE(typed.beeps, beeps);
}

void TestCheckStandField::everyBoxTypingOnePointFive_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    // The class and the length limit of each box, seen through one set of keys.
    const char* const results[] = {
        "1.5",                                                                // 1 stand ID
        "15",  "1.5", "1.5", "15",  "1.5", "15",  "1.5", "1.5", "1.5",        // 2 to 10
        "1.5", "1.5", "1.5", "15",  "15",  "1.5", "1.5", "1",   "1.5",        // 11 to 19
        "1",   "1.5", "1.5", "1.5", "1.5", "1.",  "1.5", "1",   "1.5", "1.5", // 20 to 29
    };
    for (int index = 1; index <= 29; ++index)
        QTest::addRow("box %d", index) << index << QString::fromLatin1(results[index - 1]);
}

void TestCheckStandField::everyBoxTypingOnePointFive()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(type(index, QStringLiteral("1.5")).text, text);
}

void TestCheckStandField::change_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("resultCaret");
    QTest::addColumn<bool>("beep");

    QTest::newRow("point between digits of a whole number")
        << Box::InventoryYear << "1.5" << 2 << "1.5" << 2 << false;
    QTest::newRow("paste of several bad characters")
        << Box::Latitude << "1xy5" << 3 << "15" << 1 << true;
    QTest::newRow("bad text set by the program stays")
        << Box::InventoryYear << "abc" << 0 << "abc" << 0 << false;
    QTest::newRow("bad paste at the start stays")
        << Box::Latitude << "x5" << 0 << "x5" << 0 << false;
    QTest::newRow("program-set bad growth code is emptied")
        << Box::DiameterGrowthCode << "7" << 0 << "" << 0 << true;
    QTest::newRow("program-set @ growth code stays")
        << Box::DiameterGrowthCode << "@" << 0 << "@" << 0 << false;
    QTest::newRow("whole text deleted") << Box::Latitude << "" << 0 << "" << 0 << false;
    QTest::newRow("minus typed before a digit")
        << Box::BasalAreaFactor << "-5" << 1 << "-5" << 1 << false;
    QTest::newRow("caret past the end") << Box::Latitude << "5x" << 9 << "5" << 1 << true;
    QTest::newRow("no box 30") << 30 << "abc" << 3 << "abc" << 3 << false;
}

void TestCheckStandField::change()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, result);
    QFETCH(int, resultCaret);
    QFETCH(bool, beep);

    const TypingResult checked = CheckStandField(index, text, caret);
    QCOMPARE(checked.text, result);
    QCOMPARE(checked.caret, resultCaret);
    QCOMPARE(checked.beep, beep);
    QCOMPARE(checked.accepted, !beep);
}

void TestCheckStandField::trailingSignDiffersFromTreeRules()
{
    // The tree whole-number and decimal rules take a trailing sign out again.
    const TypingResult tree = checkTyping(treeField(TreeFields::PlotNumber).typing, "5-", 2);
    QCOMPARE(tree.text, QStringLiteral("5"));
    QCOMPARE(checkTyping(treeField(TreeFields::Dbh).typing, "5-", 2).text, QStringLiteral("5"));
    QVERIFY(CheckStandField(Box::InventoryYear, "5-", 2).accepted);
}

void TestCheckStandField::labelsAndTooltips()
{
    // The texts with quotes, repeats and lower case that are easy to get wrong.
    QCOMPARE(QString::fromUtf8(standField(17).tooltip),
             QStringLiteral("Overrides the \"Non-stockable plots\" entry"));
    QCOMPARE(QString::fromUtf8(standField(20).tooltip),
             QStringLiteral("See GROWTH keyword description (see GROWTH keyword description)"));
    QCOMPARE(QString::fromUtf8(standField(29).tooltip),
             QStringLiteral("integer southeastern forest type (see MODTYPE keyword description)"));
}

QTEST_GUILESS_MAIN(TestCheckStandField)
#include "tst_checkstandfield.moc"
