#pragma once

#include "app/DataWindow.h"
#include "tree/TreeRecord.h"

#include <array>

class ClickableLabel;
class HoverFrame;
class QLabel;
class QLineEdit;
class RecordListView;
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

    RecordFileLogic& logic() override;
    TreeWindowLogic& treeLogic() { return *m_logic; }

private:
    void buildFields();
    void buildImages();
    // Pictures, tags, enabled states and backgrounds of the fields, switches and locks.
    void updateFieldControls();
    // The tab chain: the display list, the fields in their tab order, then the buttons.
    void applyTabOrder();
    void openTabOrder();
    void openSpeciesList();

    TreeWindowLogic* m_logic;
    QPushButton* m_speciesList = nullptr;
    std::array<QLineEdit*, TreeFieldCount + 1> m_fields{};
    std::array<ClickableLabel*, TreeFieldCount + 1> m_labels{};
    std::array<ClickableLabel*, TreeFieldCount + 1> m_switches{};
    std::array<ClickableLabel*, TreeFieldCount + 1> m_locks{};
    // Hidden holders of the four state pictures.
    QLabel* m_switchOnPicture = nullptr;
    QLabel* m_switchOffPicture = nullptr;
    QLabel* m_unlockedPicture = nullptr;
    QLabel* m_lockedPicture = nullptr;
    HoverFrame* m_hoverFrame = nullptr;
};
