#include "TestFiles.h"
#include "Version.h"
#include "app/FileCheck.h"
#include "app/ModGlobal.h"
#include "app/NumberTest.h"
#include "app/StartFile.h"
#include "recordfile/Cp1252.h"
#include "recordfile/RecordFileIO.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"
#include "tree/TreeRecord.h"

#include <QCryptographicHash>
#include <QMetaEnum>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

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

} // namespace

// The file check and the command running it, the start file, the species lists, the shared rules.
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
        QStringList lines;
        QVERIFY(RecordFileIO::readLines(DataDir + file, &lines).ok);
        const FileKind kind = fileKindOf(file, lines);
        QCOMPARE(summary(FileCheck::check(kind, lines, DataDir + file,
                                          VariantList::positionOf(variant))),
                 expected);
    }

    // Records typed within the field rules, none of the cases the check is there for: no finding.
    void typedRecordsHaveNoFinding()
    {
        QRandomGenerator random(20261206);
        // `most` digits at most, now and then empty; with a point or a leading minus sign,
        // which the simulator reads in these fields, cut to `width`.
        const auto digits = [&](int most, bool point = false, bool sign = false, int width = 0) {
            QString text;
            for (int n = int(random.bounded(1, most + 1)); n > 0; --n)
                text += QChar(u'0' + int(random.bounded(10)));
            if (point && random.bounded(2))
                text.insert(int(random.bounded(text.size() + 1)), u'.');
            if (sign && !random.bounded(6))
                text.prepend(u'-');
            return width ? text.left(width) : text;
        };
        const auto maybe = [&](const QString& t) { return random.bounded(4) ? t : QString(); };
        for (int round = 0; round < 200; ++round) {
            const int variant = int(random.bounded(VariantList::count() + 1));
            QStringList codes{"073"};
            for (const QString& entry : SpeciesLists::forPosition(variant))
                codes.append(SpeciesLists::speciesCodeOf(entry).trimmed());
            if (!variant)
                codes = QStringList{"df", "L"};
            QStringList lines;
            QSet<qint64> ids;
            for (int n = int(random.bounded(1, 60)); n > 0; --n) {
                TreeFieldTexts f;
                f[1] = maybe(digits(4));
                f[2] = maybe(digits(3));
                f[3] = maybe(digits(6, true, false, 6));
                f[4] = maybe(digits(1));
                f[5] = codes[random.bounded(codes.size())];
                f[6] = digits(2) + (random.bounded(2) ? u'.' + digits(1) : QString());
                for (int i = 7; i <= 10; ++i)
                    f[i] = maybe(digits(treeField(i).width, true, true, treeField(i).width));
                f[11] = maybe(digits(1));
                for (int i = 12; i <= 17; ++i)
                    f[i] = maybe(digits(2, false, true, 2));
                f[18] = maybe(QString::number(random.bounded(1, 4)));
                f[19] = maybe(digits(1));
                const QString line = FormatTreeRecord(f);
                // Plot and tree number are read as one number: keep that number unique.
                const qint64 id = QString(line.left(7)).remove(u' ').toLongLong();
                if (!ids.contains(id))
                    lines.append(line);
                ids.insert(id);
            }
            const QList<CheckFinding> findings =
                FileCheck::check(FileKind::Tree, lines, {}, variant);
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
        // clang-format off
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
        // clang-format on
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
        // clang-format off
        QTest::newRow("none") << "" << "" << none << FileKind::None << "";
        // A known extension wins over the content, letter case ignored.
        QTest::newRow("relative TRE") << "sub/../P.TRE" << "P.TRE" << QByteArray("A S1") << FileKind::Tree << "";
        QTest::newRow("Slf by file URL") << "file://%1/s.Slf" << "s.Slf" << QByteArray("") << FileKind::Stand << "";
        // The content decides any other name.
        QTest::newRow("binary") << "a.png" << "a.png" << QByteArray("A \"\0", 4) << FileKind::None << notOurs;
        QTest::newRow("missing") << "gone.slf" << "gone.slf" << none << FileKind::None << "The file %1 does not exist.";
        QTest::newRow("folder") << "sub" << "sub" << none << FileKind::None << "%1 is a folder, not a file.";
        // clang-format on
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
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("splash left 0.66") << 6750.0 * 0.66 << 4455;
        QTest::newRow("too far right") << 40000.0 << 32767;
        QTest::newRow("too far left") << -40000.0 << -32768;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }

    void twips()
    {
        QFETCH(double, twips);
        QFETCH(int, stored);
        QCOMPARE(int(ModGlobal::toTwips16(twips)), stored);
    }

    // Every byte's round trip is the record files' own test, a refused character the typing
    // tests'. Upper case never leaves the code page: µ stays, ÿ becomes Ÿ (0x9F).
    void upperCaseInTheCodePage()
    {
        QVERIFY(Cp1252::canEncode(QChar(0x0160))); // Š has a byte
        QCOMPARE(Cp1252::toUpper(u"\u00b5\u00ff"), QStringLiteral("\u00b5\u0178"));
    }

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

    // `sapwright --check` run as the program it is, without a display.
    void checkCommand_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {d} is the folder of the check data
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern the whole output matches
        QTest::addColumn<QString>("err");
        const QString finding = "{d}tree_unknown_species\\.velk:2: Species \"DX\": [^\n]+\n";
        const QString version = QStringLiteral("sapwright %1\\.%2\\.%3\n")
                                    .arg(Version::Major)
                                    .arg(Version::Minor)
                                    .arg(Version::Revision);
        using L = QStringList;
        // clang-format off
        QTest::newRow("clean files") << L{"--check", "{d}tree_clean.velk", "{d}stand_clean.slf", "{d}loc_clean.loc"} << 0 << "" << "";
        QTest::newRow("a finding") << L{"--check", "--variant", "ie", "{d}tree_clean.velk", "{d}tree_unknown_species.velk"} << 1 << finding << "";
        QTest::newRow("--variant= after the file") << L{"--check", "{d}tree_unknown_species.velk", "--variant=ie"} << 1 << finding << "";
        QTest::newRow("unreadable beats findings") << L{"--check", "--variant", "ie", "{d}nothere.velk", "{d}tree_unknown_species.velk"} << 2 << finding << ".*nothere\\.velk: cannot be read: .*";
        QTest::newRow("a file of no kind") << L{"--check", "{d}clean.kcp"} << 2 << "" << ".*clean\\.kcp: not a tree data file.*";
        QTest::newRow("no file") << L{"--check"} << 2 << "" << ".*--help.*";
        QTest::newRow("unknown variant") << L{"--check", "--variant", "zz", "{d}tree_clean.velk"} << 2 << "" << ".*'zz'.*";
        QTest::newRow("unknown option") << L{"--check", "--fix", "{d}tree_clean.velk"} << 2 << "" << ".*'--fix'.*";
        QTest::newRow("--help") << L{"--help"} << 0 << "Usage: sapwright.*--check.*--variant.*" << "";
        QTest::newRow("--version") << L{"--version"} << 0 << version << "";
        // clang-format on
    }
    void checkCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        arguments.replaceInStrings("{d}", DataDir);
        QProcess process;
        // Any touch of the window system would fail here.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(environment);
        process.start(SAPWRIGHT_EXECUTABLE, arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        for (auto [pattern, output] : {std::pair(out, process.readAllStandardOutput()),
                                       std::pair(err, process.readAllStandardError())}) {
            pattern.replace("{d}", QRegularExpression::escape(DataDir));
            const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern),
                                           QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(whole.match(QString::fromUtf8(output)).hasMatch(), output.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestFileCheck)
#include "tst_filecheck.moc"
