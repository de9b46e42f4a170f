#include "CheckedBox.h"

#include <QApplication>
#include <QLineEdit>

namespace CheckedBox {

void bind(QLineEdit* box, Field field)
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box, field](const QString& text) {
        const TypingResult result = field.edited(text, box->cursorPosition());
        if (box->text() != result.text)
            box->setText(result.text);
        if (!result.accepted)
            box->setCursorPosition(result.caret);
    });
    // The signal's text may be stale when an edit was refused, so the box is read instead.
    QObject::connect(box, &QLineEdit::textChanged, box, [box, field] {
        if (box->text() == field.value())
            return;
        field.set(box->text());
        if (box->text() != field.value())
            box->setText(field.value());
    });
}

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
