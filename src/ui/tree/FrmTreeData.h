#pragma once

#include "app/DataWindow.h"

class QLineEdit;
class QListView;
class QPushButton;
class RecordFileBinding;
class TreeWindowLogic;

// The tree data window: one tree record per line of the tree data file.
class FrmTreeData : public DataWindow
{
    Q_OBJECT
public:
    FrmTreeData();
    ~FrmTreeData() override;

    void openFromSharedState() override;
    RecordFileLogic& logic() override;

protected:
    void storeFileName() override;

private:
    TreeWindowLogic* m_logic;
    RecordFileBinding* m_binding;
    QLineEdit* m_fileBox;
    QListView* m_display;
    QPushButton* m_save;
    QPushButton* m_next;
};
