#pragma once

#include "app/DataWindow.h"

class QLineEdit;
class RecordListView;
class QPushButton;
class RecordFileBinding;

// The stand data window: the Stand List File, one record set per stand.
class FrmStandData : public DataWindow
{
    Q_OBJECT
public:
    FrmStandData();

    void openFromSharedState() override;
    RecordFileLogic& logic() override;

protected:
    void storeFileName() override;

private:
    RecordFileLogic* m_logic;
    QLineEdit* m_fileBox;
    QLineEdit* m_treeFile;
    RecordListView* m_display;
    QPushButton* m_previous;
    QPushButton* m_save;
    QPushButton* m_next;
};
