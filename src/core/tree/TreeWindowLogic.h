#pragma once

#include "TreeRecord.h"
#include "TreeTabOrder.h"
#include "recordfile/RecordFileLogic.h"

#include <array>

// The tree data window's logic: the shared record file handling plus the 19 entry fields,
// their switches and locks, auto-numbering and the fields' tab order.
class TreeWindowLogic : public RecordFileLogic
{
    Q_OBJECT
public:
    TreeWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent = nullptr);

    // The species codes are checked against the variant that `shared` names.
    static RecordFileConfig fileConfig(const ModGlobal& shared);

    // Whether field i has a switch of its own (the severity fields follow their damage field).
    static bool hasSwitch(int field);
    // Species and Dbh are always on.
    static bool canToggleSwitch(int field);

    bool isSwitchedOn(int field) const { return m_on.at(field); }
    bool isLocked(int field) const { return m_locked.at(field); }
    QString switchTag(int field) const;
    QString lockTag(int field) const;
    // A switched-off field cannot be edited; a severity field goes with its damage field.
    bool isFieldEnabled(int field) const;

    void toggleSwitch(int field);
    void toggleLock(int field);
    void labelClicked(int field);
    void incrementPlot();
    void resetTreeNumber();
    // Prepares the entry fields for the next record.
    void ResetEntryFields();

    // The process button: checks the required fields, then adds or updates.
    bool processEntry() override;

    TreeTabOrder& tabOrder() { return m_tabOrder; }
    const TreeTabOrder& tabOrder() const { return m_tabOrder; }
    // The field that gets the focus after the tab order was set: the first one in tab order
    // that is not switched off. 0 when none.
    int firstFocusField() const;

Q_SIGNALS:
    // Switches, locks or enabled states changed.
    void fieldStatesChanged();

protected:
    void clearFieldsForLoad() override;
    void slotSelected() override;
    bool recordSelected(int index) override;
    void recordAdded() override;
    void recordUpdated() override;

private:
    TreeFieldTexts texts() const;
    QString nextTreeNumber() const;
    void tabToFirstField();

    std::array<bool, TreeFieldCount + 1> m_on{};
    std::array<bool, TreeFieldCount + 1> m_locked{};
    TreeTabOrder m_tabOrder;
};
