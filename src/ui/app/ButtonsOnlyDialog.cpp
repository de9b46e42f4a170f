#include "ButtonsOnlyDialog.h"

#include <QKeyEvent>

void ButtonsOnlyDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
