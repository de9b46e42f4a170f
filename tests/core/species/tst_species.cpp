#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Variant and line of each problem: "ak:3; zz:1".
QString where(const QList<SpeciesLists::Problem>& problems)
{
    QStringList places;
    for (const SpeciesLists::Problem& problem : problems)
        places << problem.variant + u':' + QString::number(problem.line);
    return places.join(QStringLiteral("; "));
}

} // namespace

// The variant list and each variant's species list.
class TestSpecies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variantsAndTheirLists()
    {
        // Every line of the program's species text is an entry of its variant's list.
        QVERIFY2(SpeciesLists::loaded().problems.isEmpty(),
                 qPrintable(where(SpeciesLists::loaded().problems)));
        // A description of 4 to 29 characters keeps the display text within 9 to 34.
        const QRegularExpression variantForm("^([a-z]{2}) = ([A-Za-z0-9 ,-]{4,29})$");
        QCOMPARE(VariantList::displayTexts().size(), VariantList::count());
        QString previousCode;
        for (int position = 1; position <= VariantList::count(); ++position) {
            const VariantList::Entry entry = VariantList::entry(position);
            const QRegularExpressionMatch match = variantForm.match(entry.displayText);
            QVERIFY2(match.hasMatch(), qPrintable(entry.displayText));
            QCOMPARE(match.captured(1) + u'|' + match.captured(2),
                     entry.code + u'|' + entry.description);
            QVERIFY2(previousCode < entry.code, qPrintable(entry.code)); // sorted, so distinct
            previousCode = entry.code;
            QCOMPARE(VariantList::codeOf(entry.displayText), entry.code);
            // The dialogs reach a list through the variant's display text.
            QVERIFY(!SpeciesLists::forPosition(position).isEmpty());
            QCOMPARE(SpeciesLists::forText(entry.displayText), SpeciesLists::forPosition(position));
        }
        // "se" is a variant code, so only a case-sensitive comparison rejects the placeholder.
        for (const char* text : {"Select variant", "Ws", "a", " ak"})
            QVERIFY2(SpeciesLists::forText(QString::fromLatin1(text)).isEmpty(), text);
        QCOMPARE(SpeciesLists::forText(u"ak"), SpeciesLists::forPosition(1));
    }

    void speciesText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problems"); // where(), see above
        QTest::addColumn<QString>("kept");     // the lists by variant, entries joined by "|"
        // clang-format off
        QTest::newRow("comments, blank lines, CR LF, any section order")
            << "# x\r\n\r\n[bm]\r\nL = Western larch\r\n[ak]\nWS = White spruce\nOT = Other\n"
            << "" << "ak WS = White spruce|OT = Other; bm L = Western larch";
        QTest::newRow("outside a known section, entries of an unknown one go with it")
            << "OT = Other\n[zz]\nOT = Other\n[AK]\n[ak ]\n[]\nOT = Other"
            << ":1; zz:2; AK:4; ak :5; :6" << "";
        QTest::newRow("second section")
            << "[ak]\nWS = White spruce\n[ak]\nOT = Other" << "ak:3" << "ak WS = White spruce";
        // No " = "; a code padded, in lower case, of three letters, with a digit; a name of 2
        // and of 29 characters, with a digit, none.
        QTest::newRow("not an entry")
            << "[ak]\nWS White\nWS= White\nWS =White\nL  = Larch\nws = White\nWSP = White\n"
               "W1 = White\nOT = Ot\nOT = Abcdefghijklmnopqrstuvwxyzabc\nOT = Fir 2\nOT = "
            << "ak:2; ak:3; ak:4; ak:5; ak:6; ak:7; ak:8; ak:9; ak:10; ak:11; ak:12" << "";
        QTest::newRow("doubled code")
            << "[ak]\nWS = White spruce\nW = Willow\nWS = Sitka\nW = Willow"
            << "ak:4; ak:5" << "ak WS = White spruce|W = Willow";
        // clang-format on
    }
    void speciesText()
    {
        QFETCH(QString, text);
        QFETCH(QString, problems);
        QFETCH(QString, kept);
        const SpeciesLists::Parsed parsed = SpeciesLists::parse(text);
        QCOMPARE(where(parsed.problems), problems);
        QStringList lists;
        for (int position = 1; position <= VariantList::count(); ++position) {
            if (!parsed.lists[position - 1].isEmpty())
                lists << VariantList::entry(position).code + u' ' +
                             parsed.lists[position - 1].join(u'|');
        }
        QCOMPARE(lists.join(QStringLiteral("; ")), kept);
    }
};

QTEST_GUILESS_MAIN(TestSpecies)
#include "tst_species.moc"
