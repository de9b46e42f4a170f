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

// Each variant's species codes in the order the dialog shows them.
const char* const ReferenceCodes =
    "ak: WS RC SF MH WH YC LP SS AF RA CW OH OS\n"
    "bm: WP WL DF GF MH LP ES AF PP OT\n"
    "ca: PC IC RC WF RF SH DF WH MH WB KP LP CP LM JP SP WP PP MP GP JU BR GS PY OS LO CY "
    "BL EO WO BO VO IO BM BU RA MA GC DG FL WN TO SY AS CW WI CN CL OH\n"
    "ci: WP WL DF GF WH RC LP ES AF PP OT\n"
    "cr: AF CB DF GF WF MH RC WL BC LM LP PI PP WB WP JU BS ES WS AS CO OA OS OH\n"
    "cs: RC JU SP VP LP OS WP WN BN TL TS WT BG HS SH SL MH PH HI WH BH PE BI AB BA PA UA "
    "CW RM BE SV BC AE SG HB WE EL SI RL RE YP BW SM AS WA GA WO RO SK BO SO BJ CK SW BR SN "
    "PO DO CO PN CB QI OV WK NK WL QS UH SS OB CA PS HL BP BT QA BK OL SY BY RB SU WI BL NC "
    "AH RD DW HT KC OO CT MV MB HH SD\n"
    "ec: WP WL DF SF RC GF LP ES AF PP OT\n"
    "em: WB L DF LP S AF PP OT\n"
    "ie: WP WL DF GF WH RC LP ES AF PP MH WB LM LL PI JU PY AS CO MM PB OH OS\n"
    "kt: WP L DF GF WH C LP S AF PP OT\n"
    "ls: JP SC RN RP WP WS NS BF BS TA WC EH OS RC BA GA CW SV RM BC AE RL RE YB BW SM BM "
    "AB WA WO SW BR CK RO BO NP BH PH SH BT QA BP PB CH BN WN HH BK NC BE ST MM AH AC HB DW "
    "HT AP BG SY PR CC PL WI BL DM SS MA\n"
    "nc: OC SP DF WF M IC BO TO RF PP OH\n"
    "ne: BF TA WS RS NS BS PI RN WP LP VP WC AW RC OC EH HM OP JP SP TM PP PD SC OS RM SM "
    "BM SV YB SB RB PB GB HI PH SL SH MH AB AS WA BA GA PA YP SU CT QA BP EC BT PY BC WO BR "
    "CK PO OK SO QI WK NP CO SW SN RO SK BO CB OH BU YY WR HB PS HY BN WN OO MG MV AP WT BG "
    "SD PW SY WL BK BL SS BW WB EL AE RL NC BE ST AI SE AH DW HT HH PL PR\n"
    "ni: WP L DF GF WH C LP S AF PP OT\n"
    "pn: SF WF GF AF RF SS NF YC IC ES LP JP SP WP PP DF RW RC WH MH BM RA WA PB GC AS CW "
    "WO J LL WB KP PY DG HT CH WI OT\n"
    "se: RC JU SP SA SR LL PZ PP PD WP LP VP BY PC EH MP CM BE RM SV SM OB BB YB SB RB AH "
    "HI WH BH PH PE SL SH BI MH CA HB SG RD DW HT PS AB AS WA BA GA PA UA HL LB KC HY BN WN "
    "SU YP OO CT MG MV MB WM RY WT OG BG TS HH SD RA SY CW BP EC BT QA BC WO SW SO QN NP SK "
    "CB QI TO LK OV BR BJ SN CK WK NK PN WL CO RO QS PO DO BO LO DP BK WI BL SS BW EL WE AE "
    "SI RL RE NC\n"
    "sn: FR JU PI PU SP SA SR LL TM PP PD WP LP VP BY PC HM FM BE RM SV SM BU BB SB AH HI "
    "CA HB RD DW PS AB AS WA BA GA HL LB HA HY BN WN SU YP MG CT MS MV ML AP MB WT BG TS HH "
    "SD RA SY CW BT BC WO SO SK CB TO LK OV BJ SN CK WK CO RO QS PO BO LO BK WI SS BW EL WE "
    "AE RL OS OH OT\n"
    "so: WP SP DF WF MH IC LP ES RF PP OT\n"
    "tt: WB LM DF AS LP ES AF OT\n"
    "ut: WB LM DF WF BS AS LP ES AF PP PI JU OA OT\n"
    "wc: SF WF GF AF RF NF YC IC ES LP JP SP WP PP DF RW RC WH MH BM RA WA PB GC AS CW WO J "
    "LL WB KP PY DG HT CH WI OT\n"
    "ws: OC SP DF WF GS IC BO JP RF PP TO\n";

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
        QStringList codes;
        QStringList equalLists;
        for (int position = 1; position <= VariantList::count(); ++position) {
            const VariantList::Entry entry = VariantList::entry(position);
            const QRegularExpressionMatch match = variantForm.match(entry.displayText);
            QVERIFY2(match.hasMatch(), qPrintable(entry.displayText));
            QCOMPARE(match.captured(1) + u'|' + match.captured(2),
                     entry.code + u'|' + entry.description);
            QVERIFY2(previousCode < entry.code, qPrintable(entry.code)); // sorted, so distinct
            previousCode = entry.code;
            QCOMPARE(VariantList::codeOf(entry.displayText), entry.code);
            QCOMPARE(VariantList::displayTexts().at(position - 1), entry.displayText);

            const QStringList list = SpeciesLists::forPosition(position);
            QStringList listCodes;
            for (const QString& species : list)
                listCodes << SpeciesLists::speciesCodeOf(species).trimmed();
            codes << entry.code + QStringLiteral(": ") + listCodes.join(u' ');
            for (int other = 1; other < position; ++other) {
                if (SpeciesLists::forPosition(other) == list)
                    equalLists << VariantList::entry(other).code + u'=' + entry.code;
            }
            // The dialogs reach a list through the variant's display text.
            QCOMPARE(SpeciesLists::forText(entry.displayText), list);
        }
        // A missing, doubled or moved entry is named by its variant and place in the list.
        const QStringList reference = QString::fromLatin1(ReferenceCodes).trimmed().split(u'\n');
        QCOMPARE(codes.size(), reference.size());
        for (qsizetype v = 0; v < codes.size(); ++v) {
            const QStringList got = codes[v].split(u' '), want = reference[v].split(u' ');
            for (qsizetype i = 0; i < qMax(got.size(), want.size()); ++i) {
                QVERIFY2(got.value(i) == want.value(i),
                         qPrintable(QStringLiteral("%1 entry %2: %3 where %4 belongs")
                                        .arg(want.front(), QString::number(i))
                                        .arg(got.value(i), want.value(i))));
            }
        }
        QCOMPARE(equalLists.join(u' '), "kt=ni");
    }

    void speciesText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problems"); // where(), see above
        QTest::addColumn<QString>("kept");     // the lists by variant, entries joined by "|"
        QTest::newRow("comments, blank lines, CR LF, any section order")
            << "# x\r\n\r\n[bm]\r\nL = Western larch\r\n[ak]\nWS = White spruce\nOT = Other\n"
            << ""
            << "ak WS = White spruce|OT = Other; bm L = Western larch";
        QTest::newRow("outside a known section, entries of an unknown one go with it")
            << "OT = Other\n[zz]\nOT = Other\n[AK]\n[ak ]\n[]\nOT = Other"
            << ":1; zz:2; AK:4; ak :5; :6"
            << "";
        QTest::newRow("second section") << "[ak]\nWS = White spruce\n[ak]\nOT = Other"
                                        << "ak:3"
                                        << "ak WS = White spruce";
        // No " = "; a code padded, in lower case, of three letters, with a digit; a name of 2
        // and of 29 characters, with a digit, none.
        QTest::newRow("not an entry")
            << "[ak]\nWS White\nWS= White\nWS =White\nL  = Larch\nws = White\nWSP = White\n"
               "W1 = White\nOT = Ot\nOT = Abcdefghijklmnopqrstuvwxyzabc\nOT = Fir 2\nOT = "
            << "ak:2; ak:3; ak:4; ak:5; ak:6; ak:7; ak:8; ak:9; ak:10; ak:11; ak:12"
            << "";
        QTest::newRow("doubled code")
            << "[ak]\nWS = White spruce\nW = Willow\nWS = Sitka\nW = Willow"
            << "ak:4; ak:5"
            << "ak WS = White spruce|W = Willow";
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

    void listForText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position"); // 0: no list
        // "se" is a variant code, so only a case-sensitive comparison rejects the placeholder.
        QTest::newRow("placeholder") << "Select variant" << 0;
        QTest::newRow("mixed case") << "Ws" << 0;
        QTest::newRow("one letter") << "a" << 0;
        QTest::newRow("leading blank") << " ak" << 0;
        QTest::newRow("bare code") << "ak" << 1;
    }
    void listForText()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(SpeciesLists::forText(text),
                 position ? SpeciesLists::forPosition(position) : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSpecies)
#include "tst_species.moc"
