#include "TestFiles.h"
#include "app/FileCheck.h"
#include "app/StartFile.h"
#include "recordfile/RecordFileIO.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"
#include "tree/TreeRecord.h"

#include <QMetaEnum>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FileKind)

namespace {

const QString DataDir = QStringLiteral(SAPWRIGHT_TEST_DATA "/check/");

// "line Kind" for each finding, joined by ", ".
QString summary(const QList<CheckFinding>& findings)
{
    const QMetaEnum kinds = QMetaEnum::fromType<CheckFinding::Kind>();
    QStringList parts;
    for (const CheckFinding& f : findings)
        parts.append(QStringLiteral("%1 %2").arg(f.line).arg(kinds.valueToKey(int(f.kind))));
    return parts.join(QStringLiteral(", "));
}

QList<CheckFinding> checkFile(const QString& path, int variant = 0)
{
    QStringList lines;
    if (!RecordFileIO::readLines(path, &lines).ok)
        qFatal("cannot read %s", qPrintable(path));
    return FileCheck::check(fileKindOf(path, lines), lines, path, variant);
}

} // namespace

class TestFileCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findingsOfEachFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char* file, const char* variant, const char* expected) {
            QTest::newRow(file) << QString::fromLatin1(file) << QString::fromLatin1(variant)
                                << QString::fromLatin1(expected);
        };
        row("tree_clean.velk", "ie", "");
        row("../tree_two_trees.velk", "", "");
        row("tree_empty_line.velk", "ie", "2 EmptyLine");
        row("tree_comment.velk", "ie", "2 CommentLine");
        row("tree_end_of_data.velk", "ie", "2 EndOfData");
        row("tree_point_in_plot.velk", "ie", "2 ReadError");
        row("tree_minus_in_tree.velk", "ie", "2 ReadError");
        row("tree_negative_dbh.velk", "ie", "2 DroppedRecord");
        row("tree_dbh_100.velk", "ie", "2 DbhMisread");
        row("tree_dbh_1000.velk", "ie", "2 DbhMisread");
        row("tree_same_tree.velk", "ie", "2 DuplicateTree");
        row("tree_merged_id.velk", "ie", "2 MergedTreeId");
        row("tree_unknown_species.velk", "ie", "2 UnknownSpecies");
        QTest::newRow("no variant chosen: no species check")
            << QStringLiteral("tree_unknown_species.velk") << QString() << QString();
        row("tree_species_zeros.velk", "", "2 SpeciesLeadingZeros");
        // The letter's second byte moves Dbh one column on, so it reads "©12." as well.
        row("tree_utf8.velk", "", "2 ByteOutsideText, 2 ReadError");
        row("tree_control_byte.velk", "", "2 ByteOutsideText");
        row("stand_clean.slf", "", "");
        row("stand_unknown_line.slf", "", "3 UnknownLine");
        row("stand_without_a.slf", "", "1 SetWithoutA");
        row("stand_read_back.slf", "", "2 ReadBack");
        row("stand_unknown_variant.slf", "", "1 UnknownVariant");
        row("stand_missing_tree.slf", "", "1 MissingTreeFile");
        row("stand_missing_addfile.slf", "", "3 MissingAddfile");
        row("loc_clean.loc", "", "");
        row("loc_unknown_line.loc", "", "2 UnknownLine");
        row("loc_read_back.loc", "", "2 ReadBack");
        row("loc_missing_slf.loc", "", "1 MissingStandListFile");
    }

    void findingsOfEachFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, variant);
        QFETCH(QString, expected);

        QCOMPARE(summary(checkFile(DataDir + file, VariantList::positionOf(variant))), expected);
    }

    // Records typed within the field rules, none of the cases the check is there for: no finding.
    void typedRecordsHaveNoFinding()
    {
        QRandomGenerator random(20261206);
        const auto digits = [&](int most) {
            QString text;
            for (int n = int(random.bounded(1, most + 1)); n > 0; --n)
                text += QChar(u'0' + int(random.bounded(10)));
            return text;
        };
        const auto maybe = [&](const QString& text) {
            return random.bounded(4) ? text : QString();
        };
        // A decimal of at most `width` characters, with or without a point.
        const auto decimal = [&](int width) {
            QString text = digits(width);
            if (random.bounded(2))
                text.insert(int(random.bounded(text.size() + 1)), u'.');
            return text.left(width);
        };
        const auto pick = [&](const QStringList& from) {
            return from[random.bounded(from.size())];
        };
        // Now and then a minus sign, which the simulator reads in these fields.
        const auto sign = [&](const QString& text, int width) {
            return random.bounded(6) ? text : (u'-' + text).left(width);
        };

        for (int round = 0; round < 200; ++round) {
            const int variant = int(random.bounded(VariantList::count() + 1));
            QStringList codes;
            for (const QString& entry : SpeciesLists::forPosition(variant))
                codes.append(SpeciesLists::speciesCodeOf(entry).trimmed());
            codes.append(QStringLiteral("073"));
            QStringList lines;
            QSet<qint64> ids;
            for (int n = int(random.bounded(1, 60)); n > 0; --n) {
                TreeFieldTexts f;
                f[1] = maybe(digits(4));
                f[2] = maybe(digits(3));
                f[3] = maybe(decimal(6));
                f[4] = maybe(digits(1));
                f[5] = variant ? pick(codes) : pick({QStringLiteral("df"), QStringLiteral("L")});
                f[6] = digits(2) + (random.bounded(2) ? u'.' + digits(1) : QString());
                for (int i = 7; i <= 10; ++i)
                    f[i] = maybe(sign(decimal(treeField(i).width), treeField(i).width));
                f[11] = maybe(digits(1));
                for (int i = 12; i <= 17; ++i)
                    f[i] = maybe(sign(digits(2), 2));
                f[18] = maybe(QString::number(random.bounded(1, 4)));
                f[19] = maybe(digits(1));
                const QString line = FormatTreeRecord(f);
                // Plot and tree number are read as one number: keep that number unique.
                const qint64 id = QString(line.left(7)).remove(u' ').toLongLong();
                if (!ids.contains(id))
                    lines.append(line);
                ids.insert(id);
            }
            const QList<CheckFinding> findings = FileCheck::check(FileKind::Tree, lines, {}, variant);
            QVERIFY2(findings.isEmpty(), qPrintable(lines.join(u'\n') + u'\n' + summary(findings) +
                                                    u' ' + findings.value(0).describe()));
        }
    }

    void kindOf_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<FileKind>("kind");

        const QStringList standLines = {"", "b\tS1 1999", "A S1 t.tre @ ie", "X stray"};
        const QStringList locLines = {"B G1 a.kcp", "a \"Big Creek\" @ b.slf @ @"};
        const QStringList treeLines = {"   1  1     11DF  5.0", ""};
        QTest::newRow("extension beats content") << "x.TRE" << standLines << FileKind::Tree;
        QTest::newRow(".Slf") << "x.Slf" << treeLines << FileKind::Stand;
        QTest::newRow(".loc") << "x.loc" << QStringList() << FileKind::Locations;
        QTest::newRow("a quoted A line") << "x.txt" << locLines << FileKind::Locations;
        QTest::newRow("first line A to D and a blank") << "x" << standLines << FileKind::Stand;
        QTest::newRow("plot number") << "x.dat" << treeLines + standLines << FileKind::Tree;
        QTest::newRow("plain text") << "x.txt" << QStringList{"Dear forester"} << FileKind::None;
        QTest::newRow("letter E") << "x" << QStringList{"E 1 2"} << FileKind::None;
        QTest::newRow("NUL") << "x" << QStringList{"A S1", QString(QChar(0))} << FileKind::None;
        QTest::newRow("no lines") << "x" << QStringList{""} << FileKind::None;
    }

    void kindOf()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        QFETCH(FileKind, kind);
        QCOMPARE(fileKindOf(name, lines), kind);
    }

    // The file named on the command line: its path, its kind or why it cannot be opened.
    void fromArguments_data()
    {
        QTest::addColumn<QString>("argument");   // %1 is the working directory; empty: none given
        QTest::addColumn<QString>("file");       // the file it names, below the working directory
        QTest::addColumn<QByteArray>("content"); // null: the file is not written
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("problem"); // %1 is the file's full path
        const QString notOurs =
            QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                           "Stand List File (.slf) or a Locations File (.loc).");
        const QByteArray none;
        QTest::newRow("none") << ""
                              << "" << none << FileKind::None << "";
        // A known extension wins over the content, letter case ignored.
        QTest::newRow("relative TRE") << "sub/../P.TRE"
                                      << "P.TRE" << QByteArray("A S1") << FileKind::Tree << "";
        QTest::newRow("Slf by file URL") << "file://%1/s.Slf"
                                         << "s.Slf" << QByteArray("") << FileKind::Stand << "";
        QTest::newRow("loc") << "v.loc"
                             << "v.loc" << QByteArray("") << FileKind::Locations << "";
        // The content decides any other name.
        QTest::newRow("stand after empty lines")
            << "s"
            << "s" << QByteArray("\r\n\nb\tS1 1999\r\n") << FileKind::Stand << "";
        QTest::newRow("binary") << "a.png"
                                << "a.png" << QByteArray("A \"\0", 4) << FileKind::None << notOurs;
        QTest::newRow("missing") << "gone.slf"
                                 << "gone.slf" << none << FileKind::None
                                 << "The file %1 does not exist.";
        QTest::newRow("folder") << "sub"
                                << "sub" << none << FileKind::None << "%1 is a folder, not a file.";
    }

    void fromArguments()
    {
        QFETCH(QString, argument);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(FileKind, kind);
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
};

QTEST_GUILESS_MAIN(TestFileCheck)
#include "tst_filecheck.moc"
