#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestSpeciesData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variantsAndTheirLists()
    {
        // A description of 4 to 29 characters keeps the display text within 9 to 34.
        const QRegularExpression variantForm("^([a-z]{2}) = ([A-Za-z0-9 ,-]{4,29})$");
        const QRegularExpression speciesForm("^([A-Z]{1,2}) = [A-Za-z ./,-]{3,28}$");
        const QList<int> sizes = {13, 10,  49, 11, 24,  96, 11, 8, 23, 11, 68,
                                  11, 108, 11, 38, 118, 90, 11, 8, 14, 37, 11};
        QCOMPARE(VariantList::displayTexts().size(), VariantList::count());
        QString previousCode;
        QStringList longest; // the entry form caps display texts at 33 characters
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
            QCOMPARE(list.size(), sizes[position - 1]);
            QCOMPARE(SpeciesLists::entryCount(position), list.size());
            QSet<QString> codes;
            for (const QString& text : list) {
                QVERIFY2(speciesForm.match(text).hasMatch(), qPrintable(text));
                codes.insert(text.section(u' ', 0, 0));
                if (text.size() == 33)
                    longest.append(text);
            }
            QCOMPARE(codes.size(), list.size());
            // The dialogs reach a list through the variant's display text.
            QCOMPARE(SpeciesLists::forText(entry.displayText), list);
        }
        QCOMPARE(longest, QStringList{"CB = Cherrybark oak/swamp red oak"});
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
        QTest::newRow("code with anything after it") << "wsx" << 22;
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
