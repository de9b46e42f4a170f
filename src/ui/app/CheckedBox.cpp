#include "CheckedBox.h"

#include <QApplication>
#include <QWidget>

namespace CheckedBox {

void showEnabled(QWidget* box, bool enabled)
{
    const QPalette usual = QApplication::palette(box);
    const QColor base = enabled ? usual.color(QPalette::Active, QPalette::Base)
                                : usual.color(QPalette::Active, QPalette::Midlight);
    QPalette palette = box->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     usual.color(QPalette::Active, QPalette::Shadow));
    box->setPalette(palette);
    box->setEnabled(enabled);
}

} // namespace CheckedBox
