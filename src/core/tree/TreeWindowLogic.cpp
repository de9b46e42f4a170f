#include "TreeWindowLogic.h"

#include "TreeFileCheck.h"
#include "base/NumberTest.h"

namespace {

using namespace TreeFields;

bool isSeverity(int field)
{
    return field == Severity1 || field == Severity2 || field == Severity3;
}

// Fields 1 to 4 hold a constant value while switched off; the others are empty.
bool keepsValueWhenOff(int field)
{
    return field >= PlotNumber && field <= Status;
}

// The whole-number part of a text that reads as a number, cut towards zero.
qlonglong wholePart(const QString& text)
{
    qlonglong value = 0;
    bool negative = false;
    for (const QChar c : text) {
        if (c == u'.')
            break;
        if (c == u'-')
            negative = true;
        else if (c.isDigit())
            value = value * 10 + (c.unicode() - u'0');
    }
    // A sign after the digits, as "12-".
    if (text.trimmed().endsWith(u'-'))
        negative = true;
    return negative ? -value : value;
}

} // namespace

TreeWindowLogic::TreeWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent)
    : RecordFileLogic(fileConfig(shared), shared, ui, parent)
{
    m_on.fill(true);
    m_locked.fill(false);
    m_locked[PlotNumber] = true;
    m_locked[TreeCount] = true;
}

RecordFileConfig TreeWindowLogic::fileConfig(const ModGlobal& shared)
{
    // The variant last chosen in the species dialog.
    RecordFileConfig c(WindowFiles::Tree, treeEntryFields(),
                       [&shared](std::span<const QString> lines, const QString&) {
                           return TreeFileCheck::check(lines, shared.SpeciesVariantIndex);
                       });
    c.keepEmptyLines = true;
    return c;
}

bool TreeWindowLogic::hasSwitch(int field)
{
    return field >= 1 && field <= TreeFieldCount && !isSeverity(field);
}

bool TreeWindowLogic::canToggleSwitch(int field)
{
    return hasSwitch(field) && field != Species && field != Dbh;
}

QString TreeWindowLogic::switchTag(int field) const
{
    return m_on.at(field) ? QStringLiteral("on") : QStringLiteral("off");
}

QString TreeWindowLogic::lockTag(int field) const
{
    return m_locked.at(field) ? QStringLiteral("keep") : QStringLiteral("sweep");
}

bool TreeWindowLogic::isFieldEnabled(int field) const
{
    return m_on.at(isSeverity(field) ? field - 1 : field);
}

void TreeWindowLogic::toggleSwitch(int field)
{
    if (!canToggleSwitch(field))
        return;
    m_on[field] = !m_on[field];
    if (!m_on[field]) {
        if (!keepsValueWhenOff(field))
            setField(field, QString());
        else if (this->field(field).isEmpty())
            setField(field, QStringLiteral("1"));
    }
    Q_EMIT fieldStatesChanged();
}

void TreeWindowLogic::toggleLock(int field)
{
    if (field < 1 || field > TreeFieldCount)
        return;
    m_locked[field] = !m_locked[field];
    Q_EMIT fieldStatesChanged();
}

void TreeWindowLogic::labelClicked(int field)
{
    toggleSwitch(field);
}

void TreeWindowLogic::incrementPlot()
{
    if (field(PlotNumber).isEmpty())
        setField(PlotNumber, QStringLiteral("0"));
    const QString text = field(PlotNumber);
    // A text that is no number (only a loaded record can hold one) counts as 0.
    const double value = readsAsNumber(text) ? text.toDouble() : 0.0;
    setField(PlotNumber, QString::number(value + 1, 'g', 15));
}

void TreeWindowLogic::resetTreeNumber()
{
    setField(TreeNumber, QStringLiteral("1"));
}

void TreeWindowLogic::ResetEntryFields()
{
    for (int field = 1; field <= TreeFieldCount; ++field) {
        if (m_locked[field])
            continue;
        if (keepsValueWhenOff(field) && !m_on[field])
            continue;
        setField(field, QString());
    }
    if (!m_on[TreeNumber] && !m_locked[TreeNumber])
        setField(TreeNumber, nextTreeNumber());
}

QString TreeWindowLogic::nextTreeNumber() const
{
    const int index = CurrentIndex();
    if (index < 1 || index > display().size())
        return QStringLiteral("1");
    const QString columns = display().line(index - 1).mid(4, 3);
    // An empty line or a blank tree number: numbering starts again.
    if (!readsAsNumber(columns))
        return QStringLiteral("1");
    return QString::number(wholePart(columns) + 1);
}

bool TreeWindowLogic::processEntry()
{
    const QString replaced = isEditMode() ? display().lines().value(CurrentIndex()) : QString();
    const QString line = ReplaceTreeRecord(replaced, texts());
    if (fields().refusedAsMissing() || fields().refusedAsUnfinishedNumber())
        return false;
    return process(line);
}

TreeFieldTexts TreeWindowLogic::texts() const
{
    TreeFieldTexts texts;
    for (int field = 1; field <= TreeFieldCount; ++field)
        texts[field] = this->field(field);
    return texts;
}

int TreeWindowLogic::firstFocusField() const
{
    return m_tabOrder.firstField([this](int field) { return isFieldEnabled(field); });
}

void TreeWindowLogic::clearFieldsForLoad()
{
    for (int field = 1; field <= TreeFieldCount; ++field)
        setField(field, QString());
    for (int field = PlotNumber; field <= Status; ++field) {
        if (!m_on[field])
            setField(field, QStringLiteral("1"));
    }
}

void TreeWindowLogic::slotSelected()
{
    ResetEntryFields();
    tabToFirstField();
}

bool TreeWindowLogic::recordSelected(int index)
{
    const QString& line = display().line(index);
    if (line.isEmpty())
        return false;
    const TreeFieldTexts texts = ParseTreeRecord(line);
    for (int field = 1; field <= TreeFieldCount; ++field)
        setField(field, texts[field]);
    return true;
}

void TreeWindowLogic::recordAdded()
{
    ResetEntryFields();
}

void TreeWindowLogic::recordUpdated()
{
    ResetEntryFields();
    tabToFirstField();
}

void TreeWindowLogic::tabToFirstField()
{
    // The Tab goes from the display list, which comes first in the tab order, so it lands in
    // the first field: never in the file-name box, where the next tree's plot number would
    // replace the file name.
    ui().sendTab(QStringLiteral("lstDisplay"));
}
