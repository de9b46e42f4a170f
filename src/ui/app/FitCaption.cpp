#include "FitCaption.h"

#include <QFontMetrics>
#include <QLabel>

void fitCaption(QLabel* label)
{
    QFont font = label->font();
    for (int stretch = 100; stretch >= 70; stretch -= 5) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= label->width())
            break;
    }
    if (font.stretch() != 100)
        label->setFont(font);
}
