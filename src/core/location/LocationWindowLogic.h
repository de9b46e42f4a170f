#pragma once

#include "LocRecord.h"
#include "recordfile/RecordFileLogic.h"

// The location data window's logic: the shared record file handling plus the A and B record
// fields, the switch between the two kinds and the checks before a record is built.
class LocationWindowLogic : public RecordFileLogic
{
    Q_OBJECT
public:
    using Field = LocRecord::Field;

    LocationWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent = nullptr);

    static RecordFileConfig fileConfig();

    // What the two grey boxes always show: grouping codes and stand IDs belong to the Stand
    // List File.
    static QString noteText();

    // Opening: the Locations File named by the shared state ("vorlin.loc" when none), A records
    // chosen, and the stand window's Stand List File offered when nothing was loaded.
    void openFromSharedState() override;

    bool isTypeB() const { return m_typeB; }
    // The option buttons: which record kind is entered, and so which fields are enabled.
    void chooseType(bool typeB);
    bool isFieldEnabled(Field field) const;

    void browseSlf();
    void browseAddfile();
    // The process button: checks the fields, then adds or updates.
    bool processEntry() override;

    // The record kind ("A" or "B"), then the fields in Field order.
    QStringList entryFields() const override;

Q_SIGNALS:
    void typeChanged(bool typeB);

protected:
    void clearFieldsForLoad() override;
    void slotSelected() override;
    bool recordSelected(int index) override;
    bool confirmReplace(const QString& newLine) override;
    void restoreEntryFields(const QStringList& fields) override;

private:
    void browseInto(Field field, const QString& filter, bool append);
    // Asks before values that the file would give back as something else; false to stop.
    bool valuesReadBack(const LocRecord& record);
    // Says that a value has a character without a byte in the file.
    void refuseNoByte(const QString& what, const QString& value);
    LocRecord entry() const;

    bool m_typeB = false;
};
