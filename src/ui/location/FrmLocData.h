#pragma once

#include "app/DataWindow.h"

class QLineEdit;
class RecordListView;
class QPushButton;

// The location data window: the Locations File, the last window of the chain.
class FrmLocData : public DataWindow
{
    Q_OBJECT
public:
    FrmLocData();

    void openFromSharedState() override;
    RecordFileLogic& logic() override;

protected:
    void storeFileName() override;

private:
    RecordFileLogic* m_logic;
    QLineEdit* m_fileBox;
    QLineEdit* m_slfFile;
    RecordListView* m_display;
    QPushButton* m_previous;
    QPushButton* m_save;
    QPushButton* m_exit;
};
