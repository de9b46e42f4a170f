#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// Ticks variants instead of typing their codes; on OK the codes replace the text of the
// stand window's variant box. Built afresh for every opening, with nothing ticked.
class DlgVariants : public QDialog
{
    Q_OBJECT
public:
    DlgVariants(QWidget* owner, QLineEdit* variantField);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();

    QLineEdit* m_variantField;
    QListWidget* m_list;
};
