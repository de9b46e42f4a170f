#include "EntryFieldBinding.h"

#include "recordfile/EntryFields.h"

#include <QLineEdit>

namespace EntryFieldBinding {

void bind(QWidget* window, EntryFields& fields)
{
    QList<QLineEdit*> boxes;
    for (int field = fields.first(); field <= fields.last(); ++field) {
        auto* box = window->findChild<QLineEdit*>(fields.boxName(field));
        boxes.append(box);
        if (!box)
            continue;
        if (box->text() != fields.text(field))
            box->setText(fields.text(field));
        QObject::connect(
            box, &QLineEdit::textEdited, box, [box, field, &fields](const QString& text) {
                const TypingResult result = fields.edited(field, text, box->cursorPosition());
                if (box->text() != result.text)
                    box->setText(result.text);
                if (!result.accepted)
                    box->setCursorPosition(result.caret);
            });
        // The signal's text may be stale when an edit was refused, so the box is read instead.
        QObject::connect(box, &QLineEdit::textChanged, box, [box, field, &fields] {
            if (box->text() == fields.text(field))
                return;
            fields.set(field, box->text());
            if (box->text() != fields.text(field))
                box->setText(fields.text(field));
        });
    }
    QObject::connect(&fields, &EntryFields::changed, window,
                     [boxes, first = fields.first()](int field, const QString& text) {
                         QLineEdit* box = boxes.value(field - first);
                         if (box && box->text() != text)
                             box->setText(text);
                     });
}

} // namespace EntryFieldBinding
