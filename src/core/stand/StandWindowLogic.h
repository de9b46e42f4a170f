#pragma once

#include "StandFields.h"
#include "StandSet.h"
#include "recordfile/RecordFileLogic.h"

// The stand data window's logic: the shared record file handling plus the boxes of one stand,
// which it adds to the Stand List File as a set of A to D lines, shows again from any line of
// a set, replaces and deletes set by set.
class StandWindowLogic : public RecordFileLogic
{
    Q_OBJECT
public:
    StandWindowLogic(ModGlobal& shared, UserInterface& ui, QObject* parent = nullptr);

    static RecordFileConfig fileConfig();

    // The grey note where the location is named.
    static QString locationNote();

    // Window start: the tree data file handed over when no Stand List File is known yet,
    // then the Stand List File loaded.
    void openFromSharedState() override;

    bool addfilesOn() const { return m_addfilesOn; }
    QString addfilesTag() const;
    void toggleAddfiles();

    void browseTree();
    void browseAddfile();

    // The process button: the checks and questions, then the set added or replaced.
    bool processEntry() override;
    void deleteCurrent() override;

    int setStart() const { return m_setStart; }
    int cCount() const { return m_cCount; }
    int dCount() const { return m_dCount; }
    bool setIsValid() const { return m_setIsValid; }

Q_SIGNALS:
    void addfilesSwitched();

protected:
    void clearFieldsForLoad() override;
    void slotSelected() override;
    bool recordSelected(int index) override;
    int shownLine(int index) const override;

private:
    StandSet boxesAsSet() const;
    void showSet(const StandSet& set);
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

    bool m_addfilesOn = false;
    int m_setStart = -1;
    int m_cCount = 0;
    int m_dCount = 0;
    bool m_setIsValid = true;
};
