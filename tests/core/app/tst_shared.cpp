#include "app/ModGlobal.h"
#include "app/NumberTest.h"
#include "recordfile/Cp1252.h"

#include <QTest>
#include <limits>

class TestShared : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        // Leading blanks, a sign, digits with one point: nothing else, nothing after.
        const QList<std::pair<const char*, bool>> cases = {
            {"12", true},   {"1.5", true},    {".5", true},  {"5.", true},   {"-5", true},
            {"+5", true},   {"  5", true},    {"-.5", true}, {"5 ", false},  {"5-", false},
            {"- 5", false}, {"", false},      {".", false},  {"-", false},   {"1.2.3", false},
            {"1e5", false}, {"1,000", false}, {"$5", false}, {"5 5", false}, {"--5", false},
            {"5+", false},
        };
        for (const auto& [text, number] : cases)
            QTest::newRow(text) << QString::fromLatin1(text) << number;
    }

    void numberTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(readsAsNumber(text), number);
    }

    void twips_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("stored");
        QTest::newRow("plain") << 1234.0 << 1234;
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("splash left 0.66") << 6750.0 * 0.66 << 4455;
        QTest::newRow("too far right") << 40000.0 << 32767;
        QTest::newRow("too far left") << -40000.0 << -32768;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 32767;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }

    void twips()
    {
        QFETCH(double, twips);
        QFETCH(int, stored);
        QCOMPARE(int(ModGlobal::toTwips16(twips)), stored);
    }

    // Every byte's round trip is the record files' own test.
    void charactersOutsideTheCodePage()
    {
        QVERIFY(!Cp1252::canEncode(QChar(0x0100))); // Ā
        QVERIFY(!Cp1252::canEncode(QChar(0x4E2D))); // a CJK character
        QVERIFY(Cp1252::canEncode(QChar(0x0160)));  // Š has a byte
        // Upper case never leaves the code page: µ stays, ÿ becomes Ÿ (0x9F).
        QCOMPARE(Cp1252::toUpper(QStringLiteral("\u00b5\u00ff")), QStringLiteral("\u00b5\u0178"));
    }
};

QTEST_APPLESS_MAIN(TestShared)
#include "tst_shared.moc"
