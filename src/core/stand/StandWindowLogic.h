#pragma once

#include "StandFieldInfo.h"
#include "StandSet.h"
#include "base/TypingCheck.h"
#include "recordfile/RecordFileLogic.h"

#include <array>

// The stand data window's logic: the shared record file handling plus the boxes of one stand,
// which it adds to the Stand List File as a set of A to D lines, shows again from any line of
// a set, replaces and deletes set by set.
class StandWindowLogic : public RecordFileLogic
{
    Q_OBJECT
public:
    StandWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent = nullptr);

    static RecordFileConfig fileConfig();

    // Object name of a box (StandBox index).
    static QString boxName(int box);
    // The grey note where the location is named.
    static QString locationNote();

    // Window start: the tree data file handed over when no Stand List File is known yet,
    // then the Stand List File loaded.
    void openFromSharedState() override;

    QString field(int box) const { return m_boxes.at(box); }
    // A change the user made by typing, pasting or deleting; `caret` is the caret position
    // after it. Returns what the box must show; beeps when the change was refused.
    TypingResult fieldEdited(int box, const QString& text, int caret);
    // A change made by the program: checked with the caret at 0, so it is never cut.
    void setField(int box, const QString& text);

    bool addfilesOn() const { return m_addfilesOn; }
    QString addfilesTag() const;
    void toggleAddfiles();

    void browseTree();
    void browseAddfile();

    // The process button: the checks and questions, then the set added or replaced.
    bool processEntry();
    void deleteCurrent() override;

    int setStart() const { return m_setStart; }
    int cCount() const { return m_cCount; }
    int dCount() const { return m_dCount; }
    bool setIsValid() const { return m_setIsValid; }

    // Boxes 1 to 33 (StandBox).
    QStringList entryFields() const override;

Q_SIGNALS:
    void fieldChanged(int box, const QString& text);
    void addfilesSwitched();

protected:
    void clearFieldsForLoad() override;
    void slotSelected() override;
    bool recordSelected(int index) override;
    int shownLine(int index) const override;
    void restoreEntryFields(const QStringList& fields) override;

private:
    StandSet boxesAsSet() const;
    void showSet(const StandSet& set);
    void store(int box, const QString& text);
    // Refuses a chosen path the file cannot hold; true when it may be used.
    bool pathFits(const QString& path);
    // A box may hold a name handed over from the tree window that the file cannot hold:
    // refused with a message naming it, so it never reaches the list as "?".
    bool everyCharacterFits();
    bool warnUnreadable(const StandSet& set);
    // Says so when the shown set holds two lines of one type, which an update cannot keep.
    bool setHasOneLineOfEachType();
    void addSet(const QStringList& lines);
    bool replaceSet(const QStringList& lines);

    std::array<QString, StandBox::Last + 1> m_boxes;
    bool m_addfilesOn = false;
    int m_setStart = -1;
    int m_cCount = 0;
    int m_dCount = 0;
    bool m_setIsValid = true;
};
