#pragma once

#include "app/ButtonsOnlyDialog.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// Ticks variants instead of typing their codes; on OK the codes replace the text of the
// stand window's variant box. Built afresh for every opening, with nothing ticked.
class DlgVariants : public ButtonsOnlyDialog
{
    Q_OBJECT
public:
    DlgVariants(QWidget* owner, QLineEdit* variantField);

private:
    void confirm();

    QLineEdit* m_variantField;
    QListWidget* m_list;
};
