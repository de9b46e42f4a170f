#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// The species codes of each variant in list order, variant positions 1 to 22.
const char* const Codes[] = {
    "WS RC SF MH WH YC LP SS AF RA CW OH OS",
    "WP WL DF GF MH LP ES AF PP OT",
    "PC IC RC WF RF SH DF WH MH WB KP LP CP LM JP SP WP PP MP GP JU BR GS PY OS LO CY "
    "BL EO WO BO VO IO BM BU RA MA GC DG FL WN TO SY AS CW WI CN CL OH",
    "WP WL DF GF WH RC LP ES AF PP OT",
    "AF CB DF GF WF MH RC WL BC LM LP PI PP WB WP JU BS ES WS AS CO OA OS OH",
    "RC JU SP VP LP OS WP WN BN TL TS WT BG HS SH SL MH PH HI WH BH PE BI AB BA PA UA "
    "CW RM BE SV BC AE SG HB WE EL SI RL RE YP BW SM AS WA GA WO RO SK BO SO BJ CK SW "
    "BR SN PO DO CO PN CB QI OV WK NK WL QS UH SS OB CA PS HL BP BT QA BK OL SY BY RB "
    "SU WI BL NC AH RD DW HT KC OO CT MV MB HH SD",
    "WP WL DF SF RC GF LP ES AF PP OT",
    "WB L DF LP S AF PP OT",
    "WP WL DF GF WH RC LP ES AF PP MH WB LM LL PI JU PY AS CO MM PB OH OS",
    "WP L DF GF WH C LP S AF PP OT",
    "JP SC RN RP WP WS NS BF BS TA WC EH OS RC BA GA CW SV RM BC AE RL RE YB BW SM BM "
    "AB WA WO SW BR CK RO BO NP BH PH SH BT QA BP PB CH BN WN HH BK NC BE ST MM AH AC "
    "HB DW HT AP BG SY PR CC PL WI BL DM SS MA",
    "OC SP DF WF M IC BO TO RF PP OH",
    "BF TA WS RS NS BS PI RN WP LP VP WC AW RC OC EH HM OP JP SP TM PP PD SC OS RM SM "
    "BM SV YB SB RB PB GB HI PH SL SH MH AB AS WA BA GA PA YP SU CT QA BP EC BT PY BC "
    "WO BR CK PO OK SO QI WK NP CO SW SN RO SK BO CB OH BU YY WR HB PS HY BN WN OO MG "
    "MV AP WT BG SD PW SY WL BK BL SS BW WB EL AE RL NC BE ST AI SE AH DW HT HH PL PR",
    "WP L DF GF WH C LP S AF PP OT",
    "SF WF GF AF RF SS NF YC IC ES LP JP SP WP PP DF RW RC WH MH BM RA WA PB GC AS CW "
    "WO J LL WB KP PY DG HT CH WI OT",
    "RC JU SP SA SR LL PZ PP PD WP LP VP BY PC EH MP CM BE RM SV SM OB BB YB SB RB AH "
    "HI WH BH PH PE SL SH BI MH CA HB SG RD DW HT PS AB AS WA BA GA PA UA HL LB KC HY "
    "BN WN SU YP OO CT MG MV MB WM RY WT OG BG TS HH SD RA SY CW BP EC BT QA BC WO SW "
    "SO QN NP SK CB QI TO LK OV BR BJ SN CK WK NK PN WL CO RO QS PO DO BO LO DP BK WI "
    "BL SS BW EL WE AE SI RL RE NC",
    "FR JU PI PU SP SA SR LL TM PP PD WP LP VP BY PC HM FM BE RM SV SM BU BB SB AH HI "
    "CA HB RD DW PS AB AS WA BA GA HL LB HA HY BN WN SU YP MG CT MS MV ML AP MB WT BG "
    "TS HH SD RA SY CW BT BC WO SO SK CB TO LK OV BJ SN CK WK CO RO QS PO BO LO BK WI "
    "SS BW EL WE AE RL OS OH OT",
    "WP SP DF WF MH IC LP ES RF PP OT",
    "WB LM DF AS LP ES AF OT",
    "WB LM DF WF BS AS LP ES AF PP PI JU OA OT",
    "SF WF GF AF RF NF YC IC ES LP JP SP WP PP DF RW RC WH MH BM RA WA PB GC AS CW WO J "
    "LL WB KP PY DG HT CH WI OT",
    "OC SP DF WF GS IC BO JP RF PP TO",
};

} // namespace

class TestSpeciesData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variantList()
    {
        QCOMPARE(VariantList::count(), 22);
        QCOMPARE(VariantList::displayTexts().size(), 22);
        // A description of 4 to 29 characters keeps the display text within 9 to 34.
        const QRegularExpression form(QStringLiteral("^([a-z]{2}) = ([A-Za-z0-9 ,-]{4,29})$"));
        QString previousCode;
        for (int position = 1; position <= VariantList::count(); ++position) {
            const VariantList::Entry entry = VariantList::entry(position);
            const QRegularExpressionMatch match = form.match(entry.displayText);
            QVERIFY2(match.hasMatch(), qPrintable(entry.displayText));
            QCOMPARE(match.captured(1), entry.code);
            QCOMPARE(match.captured(2), entry.description);
            QVERIFY2(previousCode < entry.code, qPrintable(entry.code)); // sorted, so distinct
            previousCode = entry.code;
            QCOMPARE(VariantList::codeOf(entry.displayText), entry.code);
            QCOMPARE(VariantList::displayTexts().at(position - 1), entry.displayText);
        }
    }

    void codeSequence()
    {
        const QRegularExpression form(QStringLiteral("^([A-Z]{1,2}) = [A-Za-z ./,-]{3,28}$"));
        for (int position = 1; position <= VariantList::count(); ++position) {
            const QStringList list = SpeciesLists::forPosition(position);
            QStringList listCodes;
            for (const QString& text : list) {
                const QRegularExpressionMatch match = form.match(text);
                QVERIFY2(match.hasMatch(), qPrintable(text));
                listCodes.append(match.captured(1));
            }
            // No expected sequence repeats a code, so matching one also proves the codes distinct.
            QCOMPARE(listCodes, QString::fromLatin1(Codes[position - 1]).split(u' '));
            QCOMPARE(SpeciesLists::entryCount(position), list.size());
            // The dialogs reach a list through the variant's display text.
            QCOMPARE(SpeciesLists::forText(VariantList::entry(position).displayText), list);
        }
    }

    void longestEntry()
    {
        QStringList longest; // the entry form caps display texts at 33 characters
        for (int position = 1; position <= VariantList::count(); ++position)
            for (const QString& text : SpeciesLists::forPosition(position))
                if (text.size() == 33)
                    longest.append(text);
        QCOMPARE(longest, QStringList{QStringLiteral("CB = Cherrybark oak/swamp red oak")});
    }

    void quotedEntry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("positions"); // every position holding exactly this text
        auto row = [](const char* text, const QList<int>& positions) {
            QTest::newRow(text) << QString::fromLatin1(text) << positions;
        };
        row("L = Western larch", {8, 10, 14});
        row("M = Madrone", {12});
        row("J = Juniper", {15, 21});
        row("OT = Other species", {2, 4, 7, 8, 10, 14, 15, 18, 19, 20, 21});
        row("OT = Other", {17});
        row("OH = Other hardwoods", {1, 3, 5, 9, 12, 13, 17});
        row("NC = Non-commercial species", {6, 13});
        row("NC = Non-commercial hardwoods", {11});
        row("NC = Non-commercial", {16});
        row("GF = Grand fir/White fir", {2});
        row("WF = White fir/Grand fir", {18});
        row("YC = Yellow-cedar/Western larch", {15, 21});
        row("RC = Western redcedar", {1, 3, 4, 5, 7, 9, 15, 21});
        row("RC = Eastern redcedar", {6, 11, 13, 16});
        // One species, spelled differently by different variants.
        row("TM = Table Mountain pine", {17});
        row("TM = Table mountain pine", {13});
        row("BY = Baldcypres", {6});
        row("BY = Baldcypress", {16, 17});
        row("BS = Blue Spruce", {20});
        row("BS = Blue spruce", {5});
    }

    void quotedEntry()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, positions);
        QList<int> found;
        for (int position = 1; position <= VariantList::count(); ++position)
            if (SpeciesLists::forPosition(position).contains(text))
                found.append(position);
        QCOMPARE(found, positions);
    }

    void onlyKootenaiAndNorthIdahoListsAreEqual()
    {
        for (int p = 1; p <= VariantList::count(); ++p) {
            for (int q = p + 1; q <= VariantList::count(); ++q) {
                const bool equal = SpeciesLists::forPosition(p) == SpeciesLists::forPosition(q);
                QVERIFY2(equal == (p == 10 && q == 14),
                         qPrintable(QStringLiteral("%1/%2").arg(p).arg(q)));
            }
        }
    }

    void listForText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position"); // 0: no list
        // "se" is a variant code, so only a case-sensitive comparison rejects the placeholder.
        QTest::newRow("placeholder") << QStringLiteral("Select variant") << 0;
        QTest::newRow("mixed case") << QStringLiteral("Ws") << 0;
        QTest::newRow("one letter") << QStringLiteral("a") << 0;
        QTest::newRow("leading blank") << QStringLiteral(" ak") << 0;
        QTest::newRow("bare code") << QStringLiteral("ak") << 1;
        QTest::newRow("code with anything after it") << QStringLiteral("wsx") << 22;
    }

    void listForText()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(SpeciesLists::forText(text),
                 position ? SpeciesLists::forPosition(position) : QStringList());
    }
};

QTEST_APPLESS_MAIN(TestSpeciesData)
#include "tst_speciesdata.moc"
