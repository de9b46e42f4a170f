#include "StandWindowLogic.h"

#include "StandFileCheck.h"
#include "StandReadBack.h"
#include "base/Cp1252.h"
#include "base/RecordText.h"

using Answer = UserInterface::Answer;
using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;

StandWindowLogic::StandWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent)
    : RecordFileLogic(fileConfig(), shared, ui, parent)
{
}

RecordFileConfig StandWindowLogic::fileConfig()
{
    RecordFileConfig c(WindowFiles::Stand, standEntryFields(),
                       [](std::span<const QString> lines, const QString& folder) {
                           return StandFileCheck::check(lines, folder);
                       });
    c.placeholder = RecordText::placeholder();
    c.recordLetters = QStringLiteral("ABCD");
    c.invalidFormatText = QStringLiteral("Invalid Stand List File format.");
    // Sets of lines: "Records" at first, but the slot's caption is the singular.
    c.startCaption = QStringLiteral("&Add Records");
    c.addTooltip = QStringLiteral("Add above information as a new set of records");
    c.editTooltip =
        QStringLiteral("Replaces the the set of A, B, C, and D records with above information");
    return c;
}

QString StandWindowLogic::locationNote()
{
    return QStringLiteral("Specified in the Locations File\r\n(use 'Next Window' button)");
}

void StandWindowLogic::openFromSharedState()
{
    const ModGlobal& shared = this->shared();
    setField(StandBox::TreeFile,
             shared.StandListFileName.isEmpty() ? shared.TreeFileName : QString());
    open(shared.StandListFileName);
}

QString StandWindowLogic::addfilesTag() const
{
    return m_addfilesOn ? QStringLiteral("on") : QStringLiteral("off");
}

void StandWindowLogic::toggleAddfiles()
{
    // Off keeps the text: it is still written as the D line.
    m_addfilesOn = !m_addfilesOn;
    Q_EMIT addfilesSwitched();
}

bool StandWindowLogic::pathFits(const QString& path)
{
    if (Cp1252::canEncode(path))
        return true;
    ui().message(QStringLiteral("Error"),
                 QStringLiteral("The path %1 holds characters that a Stand List File cannot "
                                "hold. Choose a file whose path has none.")
                     .arg(path),
                 Buttons::Ok, Icon::Critical);
    return false;
}

void StandWindowLogic::browseTree()
{
    const std::optional<QString> path =
        ui().openFileDialog(QString::fromLatin1(WindowFiles::Tree.filter));
    if (!path || !pathFits(*path))
        return;
    setField(StandBox::TreeFile, *path);
    const QString handedOver = shared().TreeFileName;
    if (!handedOver.isEmpty() && handedOver != *path &&
        ui().message(QStringLiteral("Alert"),
                     QStringLiteral("The specified tree data file is different than \r\n"
                                    "the last one specified on the previous screen"),
                     Buttons::OkCancel, Icon::Exclamation) == Answer::Cancel)
        setField(StandBox::TreeFile, handedOver);
    ui().focusControl(fields().boxName(StandBox::TreeFile));
}

void StandWindowLogic::browseAddfile()
{
    if (!m_addfilesOn)
        return;
    const std::optional<QString> path =
        ui().openFileDialog(QString::fromLatin1(WindowFiles::AddfilesFilter));
    if (!path || !pathFits(*path))
        return;
    // The D line separates addfiles by blanks, so such a path would come back as two names.
    if (path->contains(u' ') &&
        ui().message(QStringLiteral("Alert"),
                     QStringLiteral("The addfile path %1 holds a blank. The Stand List File "
                                    "separates addfiles by blanks, so it would be read back "
                                    "as several names.")
                         .arg(*path),
                     Buttons::OkCancel, Icon::Exclamation) == Answer::Cancel)
        return;
    const QString current = field(StandBox::Addfile);
    setField(StandBox::Addfile, current.isEmpty() ? *path : current + u' ' + *path);
    ui().focusControl(fields().boxName(StandBox::Addfile));
}

StandSet StandWindowLogic::boxesAsSet() const
{
    StandSet set;
    set.standId = field(StandBox::StandId);
    set.treeFileName = field(StandBox::TreeFile);
    set.variantCodes = field(StandBox::Variant);
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        set.attributes[n] = field(n);
    set.groupingCodes = field(StandBox::Groups);
    set.addfiles = field(StandBox::Addfile);
    return set;
}

void StandWindowLogic::showSet(const StandSet& set)
{
    setField(StandBox::StandId, set.standId);
    setField(StandBox::TreeFile, set.treeFileName);
    setField(StandBox::Variant, set.variantCodes);
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        setField(n, set.attributes[n]);
    setField(StandBox::Groups, set.groupingCodes);
    setField(StandBox::Addfile, set.addfiles);
}

bool StandWindowLogic::everyCharacterFits()
{
    for (int box = StandBox::StandId; box <= StandBox::Last; ++box) {
        if (Cp1252::canEncode(field(box)))
            continue;
        fields().refuse(box, QStringLiteral("Alert"),
                        QStringLiteral("The %1 \"%2\" holds a character that the Stand List "
                                       "File cannot hold.")
                            .arg(fields().name(box), field(box)));
        return false;
    }
    return true;
}

bool StandWindowLogic::warnUnreadable(const StandSet& set)
{
    const QList<ReadBack::Problem> found = findUnreadableValues(set);
    if (found.isEmpty())
        return true;
    QList<ReadBack::AlertValue> values;
    for (const ReadBack::Problem& p : found)
        values.append({fields().name(p.field), p.value, ReadBack::reason(p), QString()});
    if (ui().message(QStringLiteral("Alert"),
                     ReadBack::alertText(QStringLiteral("Stand List File"), values),
                     Buttons::OkCancel, Icon::Exclamation) == Answer::Ok)
        return true;
    ui().focusControl(fields().boxName(found.constFirst().field));
    return false;
}

bool StandWindowLogic::processEntry()
{
    if (isEditMode() && !m_setIsValid) {
        ui().message(QStringLiteral("Error"),
                     QStringLiteral("The selected line does not belong to a set of Stand List "
                                    "File records, so there is no set to update."),
                     Buttons::Ok, Icon::Critical);
        return false;
    }
    if (isEditMode() && !setHasOneLineOfEachType())
        return false;
    if (fields().refusedAsMissing() || !everyCharacterFits() ||
        fields().refusedAsUnfinishedNumber())
        return false;
    if (field(StandBox::TreeFile).isEmpty() &&
        ui().message(QStringLiteral("Bareground"),
                     QStringLiteral("No tree file name is specified.\r\n"
                                    "A bareground stand will result."),
                     Buttons::OkCancel, Icon::Exclamation) == Answer::Cancel) {
        ui().focusControl(fields().boxName(StandBox::TreeFile));
        return false;
    }
    // The variant box changes with the lines, so within the same step.
    const UndoStep step(*this);
    // An empty tree data file name is written as "@": a bareground stand.
    const StandSet set = boxesAsSet();
    if (!warnUnreadable(set))
        return false;

    const QStringList lines = FormatStandSet(set);
    if (isEditMode()) {
        if (!replaceSet(lines))
            return false;
    } else {
        const bool hasSlot = !display().isEmpty();
        if (!roomFor(int(lines.size()) + (hasSlot ? 0 : 1)))
            return false;
        setField(StandBox::Variant, variantCodesAsWritten(field(StandBox::Variant)));
        addSet(lines);
    }
    markChanged();
    // From the process button, whether it was clicked or its access key pressed.
    ui().sendTab(QStringLiteral("cmdProcess"));
    return true;
}

bool StandWindowLogic::setHasOneLineOfEachType()
{
    // The boxes show the values of one B line, and the C and D lines joined; an update writes
    // one line of each, so a second one would be lost or merged into the first.
    const StandSet::Bounds bounds = walkStandSet(display().lines(), m_setStart);
    QString seen;
    for (int i = bounds.first; i < bounds.end; ++i) {
        const QString& line = display().line(i);
        const QChar type = QChar::fromLatin1(standRecordType(line));
        if (type.isNull())
            continue;
        if (!seen.contains(type)) {
            seen += type;
            continue;
        }
        ui().message(QStringLiteral("Error"),
                     QStringLiteral("This set holds more than one %1 line:\r\n\r\nLine %2: %3"
                                    "\r\n\r\nAn update writes one %1 line, so it would not keep "
                                    "this set as it is. Nothing was changed.")
                         .arg(QString(type), QString::number(i + 1), line),
                     Buttons::Ok, Icon::Critical);
        return false;
    }
    return true;
}

void StandWindowLogic::addSet(const QStringList& lines)
{
    // On an empty list the set comes with the slot.
    const bool hasSlot = !display().isEmpty();
    changeLines(RecordCount(), 0, hasSlot ? lines : lines + QStringList{QString()},
                int(lines.size()));
    setCurrentIndex(RecordCount());
    select(RecordCount());
}

bool StandWindowLogic::replaceSet(const QStringList& lines)
{
    if (m_setStart < 0 || m_setStart >= RecordCount())
        return false;
    // The set's own lines, as the reader bounds them; lines of unknown types inside it are
    // kept after the new ones rather than overwritten.
    const StandSet::Bounds bounds = walkStandSet(display().lines(), m_setStart);
    QStringList replacement = lines;
    for (int i = bounds.first; i < bounds.end; ++i) {
        if (standRecordType(display().line(i)) == 0)
            replacement.append(display().line(i));
    }
    const int oldCount = bounds.end - bounds.first;
    const int grows = int(replacement.size()) - oldCount;
    if (grows > 0 && !roomFor(grows))
        return false;
    setField(StandBox::Variant, variantCodesAsWritten(field(StandBox::Variant)));
    replaceRecordLines(bounds.first, oldCount, replacement);
    m_cCount = !field(StandBox::Groups).isEmpty();
    m_dCount = !field(StandBox::Addfile).isEmpty();
    return true;
}

void StandWindowLogic::deleteCurrent()
{
    if (!isEditMode() || CurrentIndex() >= RecordCount())
        return;
    const UndoStep step(*this);
    if (m_setStart >= 0) {
        const int a = m_setStart;
        int end = a + 1;
        while (end < RecordCount() && standRecordType(display().line(end)) != 'A')
            ++end;
        replaceRecordLines(a, end - a, {});
        setCurrentIndex(a - 1);
    } else {
        const int selected = CurrentIndex();
        replaceRecordLines(selected, 1, {});
        setCurrentIndex(selected - 1);
    }
    if (CurrentIndex() < 0)
        setCurrentIndex(0);
    select(CurrentIndex());
    // No set left: back to the caption of a fresh window.
    if (m_setStart == RecordCount())
        setStartMode();
    markChanged();
}

void StandWindowLogic::clearFieldsForLoad()
{
    // The addfile box keeps its text, so a set added next carries it.
    for (int box = StandBox::StandId; box <= StandBox::Last; ++box) {
        if (box != StandBox::Addfile)
            setField(box, QString());
    }
}

void StandWindowLogic::slotSelected()
{
    m_setIsValid = true;
}

int StandWindowLogic::shownLine(int index) const
{
    // A line without an A line above it is shown on its own.
    const int start = FindSetStart(display().lines(), index);
    return start < 0 ? index : start;
}

bool StandWindowLogic::recordSelected(int index)
{
    m_setIsValid = true;
    m_setStart = FindSetStart(display().lines(), index);
    StandSet::Bounds bounds;
    // Every box is filled, an absent value with the empty text.
    showSet(ParseStandSet(display().lines(), m_setStart, &bounds));
    m_cCount = bounds.cCount;
    m_dCount = bounds.dCount;
    if (m_setStart < 0) {
        ui().message(QStringLiteral("Error"),
                     QStringLiteral("Invalid set of Stand List File records."), Buttons::Ok,
                     Icon::Critical);
        m_setIsValid = false;
    } else if (m_setStart != index) {
        // The set's A line stands for the whole set; the list shows it without selecting anew.
        setCurrentIndex(m_setStart);
        Q_EMIT selectionChanged(m_setStart);
    }
    return true;
}
