#include "TestFiles.h"
#include "app/StartFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Kind = FileKind;

class TestStartFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromArguments_data();
    void fromArguments();
};

void TestStartFile::fromArguments_data()
{
    QTest::addColumn<QString>("argument");   // %1 is the working directory; empty: none given
    QTest::addColumn<QString>("file");       // the file it names, below the working directory
    QTest::addColumn<QByteArray>("content"); // null: the file is not written
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("problem"); // %1 is the file's full path
    const QString notOurs = QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                                           "Stand List File (.slf) or a Locations File (.loc).");
    const QByteArray none;
    QTest::newRow("none") << ""
                          << "" << none << Kind::None << "";
    // A known extension wins over the content, letter case ignored.
    QTest::newRow("relative TRE") << "sub/../P.TRE"
                                  << "P.TRE" << QByteArray("A S1") << Kind::Tree << "";
    QTest::newRow("Slf by file URL") << "file://%1/s.Slf"
                                     << "s.Slf" << QByteArray("") << Kind::Stand << "";
    QTest::newRow("loc") << "v.loc"
                         << "v.loc" << QByteArray("") << Kind::Locations << "";
    // The content decides any other name.
    QTest::newRow("stand after empty lines")
        << "s"
        << "s" << QByteArray("\r\n\nb\tS1 1999\r\n") << Kind::Stand << "";
    QTest::newRow("binary") << "a.png"
                            << "a.png" << QByteArray("A \"\0", 4) << Kind::None << notOurs;
    QTest::newRow("missing") << "gone.slf"
                             << "gone.slf" << none << Kind::None << "The file %1 does not exist.";
    QTest::newRow("folder") << "sub"
                            << "sub" << none << Kind::None << "%1 is a folder, not a file.";
}

void TestStartFile::fromArguments()
{
    QFETCH(QString, argument);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(Kind, kind);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString full = file.isEmpty() ? QString() : dir.filePath(file);
    QVERIFY(content.isNull() || writeFile(full, content));

    // Only the first file counts.
    QStringList arguments{QStringLiteral("sapwright")};
    if (!argument.isEmpty())
        arguments << QString(argument).replace(QStringLiteral("%1"), dir.path())
                  << QStringLiteral("other.tre");
    const StartFile start = StartFile::fromArguments(arguments, dir.path());
    QCOMPARE(start.kind(), kind);
    QCOMPARE(start.path(), full);
    QCOMPARE(start.problem(), problem.isEmpty() ? QString() : problem.arg(full));
}

QTEST_APPLESS_MAIN(TestStartFile)
#include "tst_startfile.moc"
