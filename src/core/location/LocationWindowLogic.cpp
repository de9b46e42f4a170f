#include "LocationWindowLogic.h"

#include "LocFields.h"
#include "LocReadBack.h"
#include "LocationsFileCheck.h"
#include "base/Cp1252.h"
#include "base/RecordText.h"

using Answer = UserInterface::Answer;
using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;
using Field = LocRecord::Field;

LocationWindowLogic::LocationWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent)
    : RecordFileLogic(fileConfig(), shared, ui, parent)
{
    fields().store(Field::Access, RecordText::placeholder());
}

RecordFileConfig LocationWindowLogic::fileConfig()
{
    RecordFileConfig c(WindowFiles::Location, locEntryFields(),
                       [](std::span<const QString> lines, const QString& folder) {
                           return LocationsFileCheck::check(lines, folder);
                       });
    c.firstField = Field::LocationName;
    c.defaultFileName = QStringLiteral("vorlin.loc");
    c.unsavedRule = RecordFileConfig::UnsavedRule::NameNotDefault;
    c.recordLetters = QStringLiteral("AB");
    c.invalidFormatText = QStringLiteral("Invalid Locations File format.");
    return c;
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
    browseInto(Field::SlfFileName, QString::fromLatin1(WindowFiles::Stand.filter), false);
}

void LocationWindowLogic::browseAddfile()
{
    browseInto(Field::Addfiles, QString::fromLatin1(WindowFiles::AddfilesFilter), true);
}

void LocationWindowLogic::browseInto(Field field, const QString& filter, bool append)
{
    if (!isFieldEnabled(field))
        return;
    const std::optional<QString> path = ui().openFileDialog(filter);
    if (path && !Cp1252::canEncode(*path)) {
        refuseNoByte(QStringLiteral("file name"), *path);
    } else if (path) {
        const QString shown = this->field(field);
        setField(field, append && !shown.isEmpty() ? shown + u' ' + *path : *path);
    }
    ui().focusControl(fields().boxName(field));
}

bool LocationWindowLogic::processEntry()
{
    // Only an empty text is missing; blanks pass here.
    if (fields().refusedAsMissing(m_typeB ? QList<int>{Field::GroupingCode, Field::Addfiles}
                                          : QList<int>{Field::SlfFileName, Field::LocationName}))
        return false;
    // The quotes replaced in the box belong to the same step as the line.
    const UndoStep step(*this);
    LocRecord record = entry();
    if (!valuesReadBack(record))
        return false;
    if (!m_typeB) {
        // The box shows what the file gets.
        QString name = record.locationName;
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
            ui().focusControl(fields().boxName(field));
    };
    for (const ReadBack::Problem& p : std::as_const(problems)) {
        if (p.why == ReadBack::Why::NoByte) {
            refuseNoByte(fields().name(p.field), p.value);
            focusOn(p.field);
            return false;
        }
    }
    const LocRecord readBack = ParseLocRecord(FormatLocRecord(record));
    QList<ReadBack::AlertValue> values;
    for (const ReadBack::Problem& p : std::as_const(problems)) {
        const Field field = Field(p.field);
        QString title = fields().name(field);
        title[0] = title[0].toUpper();
        // A name of the loaded addfiles is only part of its field.
        const bool whole = p.value == record.field(field);
        values.append(
            {title, p.value, ReadBack::reason(p), whole ? readBack.field(field) : QString()});
    }
    if (ui().message(QStringLiteral("Alert"),
                     ReadBack::alertText(QStringLiteral("Locations File"), values),
                     Buttons::OkCancel, Icon::Exclamation) == Answer::Ok)
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

LocRecord LocationWindowLogic::entry() const
{
    LocRecord record;
    record.kind = m_typeB ? LocRecord::Kind::B : LocRecord::Kind::A;
    for (int field = fields().first(); field <= fields().last(); ++field)
        record.field(Field(field)) = this->field(field);
    return record;
}

QStringList LocationWindowLogic::entryFields() const
{
    return QStringList{m_typeB ? QStringLiteral("B") : QStringLiteral("A")} + fields().texts();
}

void LocationWindowLogic::restoreEntryFields(const QStringList& texts)
{
    chooseType(texts.value(0) == u'B');
    fields().restore(texts.mid(1));
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
    for (int field = fields().first(); field <= fields().last(); ++field)
        setField(field, record.field(Field(field)));
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
