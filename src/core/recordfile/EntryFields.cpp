#include "EntryFields.h"

EntryFields::EntryFields(QList<EntryField> table, int first, QString placeholder, UserInterface& ui)
    : m_table(std::move(table)), m_first(first), m_placeholder(std::move(placeholder)), m_ui(ui)
{
    m_texts.resize(m_table.size());
}

TypingResult EntryFields::edited(int field, const QString& text, int caret)
{
    if (!has(field))
        return {true, text, caret, false};
    const EntryField& info = entry(field);
    const TypingResult result =
        checkEdit(info.typing, this->text(field), text, caret, info.maxLength, m_placeholder);
    store(field, result.text);
    if (result.beep)
        m_ui.beep();
    return result;
}

void EntryFields::set(int field, const QString& text)
{
    if (!has(field) || text == this->text(field))
        return;
    const TypingResult result = checkTyping(entry(field).typing, text, 0, m_placeholder);
    store(field, result.text);
    if (result.beep)
        m_ui.beep();
}

void EntryFields::store(int field, const QString& text)
{
    if (!has(field) || text == this->text(field))
        return;
    m_texts[field - m_first] = text;
    Q_EMIT changed(field, text);
}

void EntryFields::restore(const QStringList& texts)
{
    for (int field = first(); field <= last(); ++field)
        store(field, texts.value(field - m_first));
}

void EntryFields::refuse(int field, const QString& title, const QString& text)
{
    m_ui.message(title, text, UserInterface::Buttons::Ok, UserInterface::Icon::Exclamation);
    m_ui.focusControl(boxName(field));
}

bool EntryFields::refusedAsMissing(const QList<int>& order)
{
    QList<int> fields = order;
    if (fields.isEmpty()) {
        for (int field = first(); field <= last(); ++field)
            fields.append(field);
    }
    for (const int field : std::as_const(fields)) {
        if (entry(field).missing && text(field).isEmpty()) {
            refuse(field, QStringLiteral("Missing Data"), QString::fromLatin1(entry(field).missing));
            return true;
        }
    }
    return false;
}

bool EntryFields::refusedAsUnfinishedNumber()
{
    for (int field = first(); field <= last(); ++field) {
        if (!isUnfinishedNumber(entry(field).typing, text(field)))
            continue;
        refuse(field, QStringLiteral("Invalid Data"),
               QStringLiteral("%1 \"%2\" is not a number.").arg(name(field), text(field)));
        return true;
    }
    return false;
}
