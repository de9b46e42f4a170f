#pragma once

#include <QDialog>

// A dialog without a cancel button: only its own buttons close it, so Escape does nothing.
class ButtonsOnlyDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
