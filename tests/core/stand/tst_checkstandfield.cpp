#include "stand/CheckStandField.h"

#include <QTest>

namespace {

// Types `keys` one at a time at the caret, as the box would: a key that would go past the
// box's length limit is not taken; every change runs the check. Gives the text and the beeps.
std::pair<QString, int> type(int index, const QString& keys)
{
    const int limit = standFieldMaxLength(index);
    QString text;
    int caret = 0;
    int beeps = 0;
    for (const QChar key : keys) {
        if (limit > 0 && text.size() >= limit)
            continue;
        text.insert(caret++, key);
        const TypingResult result = CheckStandField(index, text, caret);
        beeps += result.beep;
        text = result.text;
        caret = result.caret;
    }
    return {text, beeps};
}

namespace Box {
constexpr int StandId = 1, InventoryYear = 2, Latitude = 3, BasalAreaFactor = 11, GrowthCode = 18,
              SiteSpecies = 25;
} // namespace Box

} // namespace

class TestCheckStandField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");

        // The class and the length limit of every box, seen through one set of keys: a year
        // (box 2) gives "15" with one beep, a latitude (box 3) "1.5".
        const char* const onePointFive[] = {
            "1.5",                                                                // 1 stand ID
            "15",  "1.5", "1.5", "15",  "1.5", "15",  "1.5", "1.5", "1.5",        // 2 to 10
            "1.5", "1.5", "1.5", "15",  "15",  "1.5", "1.5", "1",   "1.5",        // 11 to 19
            "1",   "1.5", "1.5", "1.5", "1.5", "1.",  "1.5", "1",   "1.5", "1.5", // 20 to 29
        };
        for (int index = 1; index <= 29; ++index) {
            const QString text = QString::fromLatin1(onePointFive[index - 1]);
            QTest::addRow("1.5 in box %d", index) << index << "1.5" << text << int(text == "15");
        }

        const QString anything = QStringLiteral("Stand -7.@ at the creek, 12"); // 27 characters
        // clang-format off
    QTest::newRow("point first in a latitude") << Box::Latitude << ".5" << ".5" << 0;
    QTest::newRow("minus first in a latitude") << Box::Latitude << "-5" << "5" << 1;
    QTest::newRow("minus first in a basal area factor") << Box::BasalAreaFactor << "-10" << "-10" << 0;
    QTest::newRow("minus after 10 in a basal area factor") << Box::BasalAreaFactor << "10-" << "10" << 1;
    QTest::newRow("@ then a digit") << Box::InventoryYear << "@5" << "@" << 1;
    QTest::newRow("@ in a growth code") << Box::GrowthCode << "@" << "@" << 0;
    QTest::newRow("4 in a growth code") << Box::GrowthCode << "4" << "" << 1;
    QTest::newRow("blank into an empty growth code") << Box::GrowthCode << " " << "" << 1;
    // Blanks read as part of a number, so each number class must refuse a trailing one.
    QTest::newRow("3 in a growth code") << Box::GrowthCode << "3" << "3" << 0;
    QTest::newRow("blank at the end, whole") << Box::InventoryYear << "19 " << "19" << 1;
    QTest::newRow("blank at the end, signed") << Box::BasalAreaFactor << "-1 " << "-1" << 1;
    // A sign after the digits, or a blank inside, would reach the file as another field.
    QTest::newRow("trailing minus in a whole number") << Box::InventoryYear << "5-" << "5" << 1;
    QTest::newRow("year takes four characters") << Box::InventoryYear << "19995" << "1999" << 0;
    QTest::newRow("stand ID takes 26 of anything") << Box::StandId << anything << anything.left(26) << 0;
    QTest::newRow("site species takes two of anything") << Box::SiteSpecies << "d f" << "d " << 0;
        // clang-format on
    }

    void typing()
    {
        QFETCH(int, index);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, beeps);

        QCOMPARE(type(index, keys), std::make_pair(text, beeps));
    }
};

QTEST_GUILESS_MAIN(TestCheckStandField)
#include "tst_checkstandfield.moc"
