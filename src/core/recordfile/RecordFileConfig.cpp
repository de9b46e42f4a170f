#include "RecordFileConfig.h"

#include "app/FileCheck.h"
#include "app/ModGlobal.h"

namespace {

// Captions of the windows whose records are one line each.
RecordFileConfig oneLineRecords()
{
    RecordFileConfig c;
    c.startCaption = QStringLiteral("&Add Record");
    c.addCaption = QStringLiteral("&Add Record");
    c.addTooltip = QStringLiteral("Add above information as a new record");
    c.editCaption = QStringLiteral("&Update Record");
    c.editTooltip = QStringLiteral("Replace highlighted record with above information");
    return c;
}

} // namespace

RecordFileConfig RecordFileConfig::tree()
{
    RecordFileConfig c = oneLineRecords();
    c.fileNameBox = QStringLiteral("txtTreeFile");
    c.filter = QStringLiteral(".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files (*.tre)|*.tre|"
                              "All Files (*.*)|*.*");
    c.missingFilename = QStringLiteral("A tree data file name must be specified.");
    c.nameStore = NameStore::Window;
    c.journalWindow = QStringLiteral("tree");
    c.keepEmptyLines = true;
    // The species codes are checked against the variant last chosen in the species dialog.
    c.saveCheck = [](const QStringList& lines, const QString& fileName) {
        return FileCheck::check(FileCheck::FileKind::Tree, lines, fileName,
                                modGlobal().SpeciesVariantIndex);
    };
    return c;
}

RecordFileConfig RecordFileConfig::stand()
{
    RecordFileConfig c;
    c.fileNameBox = QStringLiteral("txtSlfFile");
    c.filter = QStringLiteral("Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*");
    c.missingFilename = QStringLiteral("A Stand List File name must be specified.");
    c.nameStore = NameStore::StandListFileName;
    c.journalWindow = QStringLiteral("stand");
    c.recordLetters = QStringLiteral("ABCD");
    c.invalidFormatText = QStringLiteral("Invalid Stand List File format.");
    // Sets of lines: "Records" at first, but the slot's caption is the singular.
    c.startCaption = QStringLiteral("&Add Records");
    c.addCaption = QStringLiteral("&Add Record");
    c.addTooltip = QStringLiteral("Add above information as a new set of records");
    c.editCaption = QStringLiteral("&Update Record");
    c.editTooltip =
        QStringLiteral("Replaces the the set of A, B, C, and D records with above information");
    c.saveCheck = [](const QStringList& lines, const QString& fileName) {
        return FileCheck::check(FileCheck::FileKind::Stand, lines, fileName);
    };
    return c;
}

RecordFileConfig RecordFileConfig::location()
{
    RecordFileConfig c = oneLineRecords();
    c.fileNameBox = QStringLiteral("txtLocFile");
    c.filter = QStringLiteral("Locations Files (*.loc)|*.loc|All Files (*.*)|*.*");
    c.missingFilename = QStringLiteral("A Locations File name must be specified.");
    c.nameStore = NameStore::LocationsFileName;
    c.journalWindow = QStringLiteral("location");
    c.defaultFileName = QStringLiteral("vorlin.loc");
    c.unsavedRule = UnsavedRule::NameNotDefault;
    c.recordLetters = QStringLiteral("AB");
    c.invalidFormatText = QStringLiteral("Invalid Locations File format.");
    c.saveCheck = [](const QStringList& lines, const QString& fileName) {
        return FileCheck::check(FileCheck::FileKind::Locations, lines, fileName);
    };
    return c;
}
