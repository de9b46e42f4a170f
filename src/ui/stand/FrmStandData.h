#pragma once

#include "app/DataWindow.h"
#include "stand/StandFields.h"

#include <array>

class ClickableLabel;
class HoverFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordListView;
class StandWindowLogic;

// The stand data window: one set of A to D lines of the Stand List File per stand.
class FrmStandData : public DataWindow
{
    Q_OBJECT
public:
    FrmStandData();

    RecordFileLogic& logic() override;
    StandWindowLogic& standLogic() { return *m_logic; }

private:
    void buildTop();
    void buildLocationNote();
    void buildStandBoxes();
    void applyTabOrder();
    void bindGroups();
    void showGroups(int box, const QString& text);
    // Tag, picture, enabled state and background of the addfiles switch and its box.
    void updateAddfiles();
    void openVariants();

    StandWindowLogic* m_logic;
    // Indexed by StandBox; the grouping box is multi-line and kept apart.
    std::array<QLineEdit*, StandBox::Last + 1> m_boxes{};
    QPlainTextEdit* m_groups = nullptr;
    QPlainTextEdit* m_location = nullptr;
    ClickableLabel* m_switch = nullptr;
    QLabel* m_switchOnPicture = nullptr;
    QLabel* m_switchOffPicture = nullptr;
    HoverFrame* m_hoverFrame = nullptr;
    QPushButton* m_browseTree = nullptr;
    QPushButton* m_browseAddfile = nullptr;
    QPushButton* m_variants = nullptr;
};
