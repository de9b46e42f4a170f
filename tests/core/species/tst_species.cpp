#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// The variant list and each variant's species list.
class TestSpecies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variantsAndTheirLists()
    {
        // A description of 4 to 29 characters keeps the display text within 9 to 34.
        const QRegularExpression variantForm("^([a-z]{2}) = ([A-Za-z0-9 ,-]{4,29})$");
        const QRegularExpression speciesForm("^([A-Z]{1,2}) = [A-Za-z ./,-]{3,28}$");
        QCOMPARE(VariantList::displayTexts().size(), VariantList::count());
        QString previousCode;
        QString all; // every entry of every list, in order
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
            QCOMPARE(SpeciesLists::entryCount(position), list.size());
            QSet<QString> codes;
            for (const QString& text : list) {
                QVERIFY2(speciesForm.match(text).hasMatch(), qPrintable(text));
                codes.insert(text.section(u' ', 0, 0));
                all += text + u'\n';
            }
            QCOMPARE(codes.size(), list.size());
            // The dialogs reach a list through the variant's display text.
            QCOMPARE(SpeciesLists::forText(entry.displayText), list);
        }
        // The codes go into the files: any change to an entry changes the sum.
        QCOMPARE(QCryptographicHash::hash(all.toUtf8(), QCryptographicHash::Sha1).toHex().left(12),
                 "4770ec3162e0");
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
