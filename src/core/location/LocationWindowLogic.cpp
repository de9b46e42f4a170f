#include "LocationWindowLogic.h"

#include "LocReadBack.h"
#include "LocationsFileCheck.h"
#include "base/Cp1252.h"
#include "base/FileFilters.h"
#include "base/RecordText.h"

#include <QFileInfo>

using Answer = UserInterface::Answer;
using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;
using Field = LocRecord::Field;

namespace {

// Each field's box and how a message names it, in field order.
struct FieldInfo
{
    Field field;
    const char* box;
    const char* title;
};
constexpr FieldInfo Fields[] = {
    {Field::LocationName, "txtLocation", "location name"},
    {Field::Access, "txtSlfAccess", "access field"},
    {Field::SlfFileName, "txtSlfFile", "Stand List File name"},
    {Field::GroupingCode, "txtAddfileGroup", "grouping code"},
    {Field::Addfiles, "txtAddfile", "addfile field"},
};

QString fieldTitle(Field field)
{
    return QString::fromLatin1(Fields[int(field)].title);
}

} // namespace

LocationWindowLogic::LocationWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent)
    : RecordFileLogic(fileConfig(), shared, ui, parent)
{
}

RecordFileConfig LocationWindowLogic::fileConfig()
{
    RecordFileConfig c;
    c.fileNameBox = QStringLiteral("txtLocFile");
    c.filter = FileFilters::locations();
    c.missingFilename = QStringLiteral("A Locations File name must be specified.");
    c.sharedName = &ModGlobal::LocationsFileName;
    c.journalWindow = QStringLiteral("location");
    c.defaultFileName = QStringLiteral("vorlin.loc");
    c.unsavedRule = RecordFileConfig::UnsavedRule::NameNotDefault;
    c.recordLetters = QStringLiteral("AB");
    c.invalidFormatText = QStringLiteral("Invalid Locations File format.");
    c.saveCheck = [](const QStringList& lines, const QString& fileName, const ModGlobal&) {
        return LocationsFileCheck::check(lines, QFileInfo(fileName).absolutePath());
    };
    return c;
}

QString LocationWindowLogic::boxName(Field field)
{
    return QString::fromLatin1(Fields[int(field)].box);
}

QString LocationWindowLogic::noteText()
{
    return QStringLiteral("Specified in the Stand List File\r\n(use 'Prev. Window' button)");
}

void LocationWindowLogic::openFromSharedState()
{
    chooseType(false);
    open(shared().LocationsFileName);
    setField(Field::SlfFileName, display().isEmpty() ? shared().StandListFileName : QString());
}

TypingResult LocationWindowLogic::fieldEdited(Field field, const QString& text, int caret)
{
    // No length limit and no class: only characters without a byte in the file are refused.
    const TypingResult result = checkEdit(TypingClass::None, m_entry.field(field), text, caret, 0);
    setField(field, result.text);
    if (result.beep)
        ui().beep();
    return result;
}

void LocationWindowLogic::setField(Field field, const QString& text)
{
    if (m_entry.field(field) == text)
        return;
    m_entry.field(field) = text;
    Q_EMIT fieldChanged(field, text);
}

void LocationWindowLogic::chooseType(bool typeB)
{
    m_typeB = typeB;
    Q_EMIT typeChanged(typeB);
}

bool LocationWindowLogic::isFieldEnabled(Field field) const
{
    switch (field) {
    case Field::LocationName:
    case Field::SlfFileName:
        return !m_typeB;
    case Field::GroupingCode:
    case Field::Addfiles:
        return m_typeB;
    default:
        return false;
    }
}

void LocationWindowLogic::browseSlf()
{
    browseInto(Field::SlfFileName, FileFilters::standList(), false);
}

void LocationWindowLogic::browseAddfile()
{
    browseInto(Field::Addfiles, FileFilters::addfiles(), true);
}

void LocationWindowLogic::browseInto(Field field, const QString& filter, bool append)
{
    if (!isFieldEnabled(field))
        return;
    const std::optional<QString> path = ui().openFileDialog(filter);
    if (path && !Cp1252::canEncode(*path)) {
        refuseNoByte(QStringLiteral("file name"), *path);
    } else if (path) {
        const QString shown = m_entry.field(field);
        setField(field, append && !shown.isEmpty() ? shown + u' ' + *path : *path);
    }
    ui().focusControl(boxName(field));
}

bool LocationWindowLogic::processEntry()
{
    struct Required
    {
        Field field;
        const char* missing;
    };
    const Required a[] = {{Field::SlfFileName, "Stand List Filename is required"},
                          {Field::LocationName, "Location Name is required"}};
    const Required b[] = {{Field::GroupingCode, "A Grouping Code is required"},
                          {Field::Addfiles, "Addfile name is missing"}};
    // Only an empty text is missing; blanks pass here.
    for (const Required& r : m_typeB ? b : a) {
        if (m_entry.field(r.field).isEmpty()) {
            refuseField(QStringLiteral("Missing Data"), QString::fromLatin1(r.missing),
                        boxName(r.field));
            return false;
        }
    }
    // The quotes replaced in the box belong to the same step as the line.
    const UndoStep step(*this);
    LocRecord record = m_entry;
    record.kind = m_typeB ? LocRecord::Kind::B : LocRecord::Kind::A;
    if (!valuesReadBack(record))
        return false;
    if (!m_typeB) {
        // The box shows what the file gets.
        QString name = m_entry.locationName;
        name.replace(u'"', u'\'');
        setField(Field::LocationName, name);
        record.locationName = name;
    }
    return process(FormatLocRecord(record));
}

bool LocationWindowLogic::valuesReadBack(const LocRecord& record)
{
    QList<ReadBack::Problem> problems = valuesThatWouldNotReadBack(record);
    // A loaded addfile whose quoted name holds a blank shows in the field like two names.
    if (isEditMode() && record.kind == LocRecord::Kind::B && CurrentIndex() < RecordCount()) {
        const QString shown = display().line(CurrentIndex());
        if (ParseLocRecord(shown).addfiles == record.addfiles) {
            for (const ReadBack::Problem& p : valuesThatWouldNotReadBack(shown)) {
                if (p.field == int(Field::Addfiles) && !problems.contains(p))
                    problems.append(p);
            }
        }
    }
    if (problems.isEmpty())
        return true;
    // The access field is never shown, so there is no box to go to.
    const auto focusOn = [this](int field) {
        if (field != int(Field::Access))
            ui().focusControl(boxName(Field(field)));
    };
    for (const ReadBack::Problem& p : std::as_const(problems)) {
        if (p.why == ReadBack::Why::NoByte) {
            refuseNoByte(fieldTitle(Field(p.field)), p.value);
            focusOn(p.field);
            return false;
        }
    }
    const LocRecord readBack = ParseLocRecord(FormatLocRecord(record));
    QList<ReadBack::AlertValue> values;
    for (const ReadBack::Problem& p : std::as_const(problems)) {
        const Field field = Field(p.field);
        QString title = fieldTitle(field);
        title[0] = title[0].toUpper();
        // A name of the loaded addfiles is only part of its field.
        const bool whole = p.value == record.field(field);
        values.append(
            {title, p.value, ReadBack::reason(p), whole ? readBack.field(field) : QString()});
    }
    if (ui().message(QStringLiteral("Alert"),
                     ReadBack::alertText(QStringLiteral("Locations File"), values), Buttons::OkCancel,
                     Icon::Exclamation) == Answer::Ok)
        return true;
    focusOn(problems.constFirst().field);
    return false;
}

void LocationWindowLogic::refuseNoByte(const QString& what, const QString& value)
{
    ui().message(QStringLiteral("Alert"),
                 QStringLiteral("The %1 \"%2\" holds a character that the Locations File cannot "
                                "hold.")
                     .arg(what, value),
                 Buttons::Ok, Icon::Exclamation);
}

QStringList LocationWindowLogic::entryFields() const
{
    QStringList fields{m_typeB ? QStringLiteral("B") : QStringLiteral("A")};
    for (const FieldInfo& info : Fields)
        fields.append(m_entry.field(info.field));
    return fields;
}

void LocationWindowLogic::restoreEntryFields(const QStringList& fields)
{
    chooseType(fields.value(0) == u'B');
    for (const FieldInfo& info : Fields)
        setField(info.field, fields.value(int(info.field) + 1));
}

void LocationWindowLogic::clearFieldsForLoad()
{
    setField(Field::LocationName, QString());
    setField(Field::SlfFileName, QString());
}

void LocationWindowLogic::slotSelected()
{
    setField(Field::Access, RecordText::placeholder());
}

bool LocationWindowLogic::recordSelected(int index)
{
    // An invalid line gives empty fields and keeps the kind; it can still be replaced or
    // deleted.
    const LocRecord record = ParseLocRecord(display().line(index));
    for (const FieldInfo& info : Fields)
        setField(info.field, record.field(info.field));
    if (record.kind == LocRecord::Kind::Invalid) {
        ui().message(QStringLiteral("Error"), QStringLiteral("Invalid Locations File format.\r\n"),
                     Buttons::Ok, Icon::Critical);
    } else {
        chooseType(record.kind == LocRecord::Kind::B);
    }
    return true;
}

bool LocationWindowLogic::confirmReplace(const QString& newLine)
{
    const QStringView shown = QStringView(display().line(CurrentIndex())).left(1);
    if (shown.compare(QStringView(newLine).left(1), Qt::CaseInsensitive) == 0)
        return true;
    return ui().message(QStringLiteral("Different Record Type"),
                        QStringLiteral("Replace highlighted line?"), Buttons::OkCancel,
                        Icon::None) == Answer::Ok;
}
