#pragma once

#include "tree/TabOrderChoice.h"

#include <QDialog>
#include <array>

class ClickableLabel;
class QLineEdit;
class QPushButton;
class TreeTabOrder;

// Sets the order of the tree fields by clicking their names; OK gives the clicked fields the
// first tab positions, in click order.
class DlgTabOrder : public QDialog
{
    Q_OBJECT
public:
    DlgTabOrder(QWidget* owner, TreeTabOrder& order);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int field);
    void clearChoice();
    void confirm();
    // Order boxes and labels, from the choice.
    void updateControls();

    TreeTabOrder& m_order;
    TabOrderChoice m_choice;
    std::array<QLineEdit*, TreeFieldCount + 1> m_boxes{};
    std::array<ClickableLabel*, TreeFieldCount + 1> m_labels{};
};
