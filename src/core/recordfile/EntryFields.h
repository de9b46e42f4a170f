#pragma once

#include "EntryField.h"
#include "base/UserInterface.h"

#include <QList>
#include <QObject>
#include <QStringList>

// The texts of a window's entry fields and the one way they change: the user's typing, the
// program's own changes and undo, each checked by the field's typing class and length. The
// fields are numbered from `first` on, in the order of their table.
class EntryFields : public QObject
{
    Q_OBJECT
public:
    // `placeholder` ("@" where the file writes it for no value) passes every typing check.
    EntryFields(QList<EntryField> table, int first, QString placeholder, UserInterface& ui);

    int first() const { return m_first; }
    int last() const { return m_first + int(m_table.size()) - 1; }
    bool has(int field) const { return field >= first() && field <= last(); }
    const EntryField& entry(int field) const { return m_table.at(field - m_first); }
    QString boxName(int field) const { return QString::fromLatin1(entry(field).box); }
    QString name(int field) const { return QString::fromLatin1(entry(field).name); }
    QString text(int field) const { return has(field) ? m_texts.at(field - m_first) : QString(); }

    // A change the user made by typing, pasting or deleting; `caret` is the caret position
    // after it. Returns what the box must show; beeps when the change was refused.
    TypingResult edited(int field, const QString& text, int caret);
    // A change made by the program: checked with the caret at 0, so it is never cut.
    void set(int field, const QString& text);
    // Taken as it is, without the checks of typing.
    void store(int field, const QString& text);

    // Every text, in field order, and back.
    QStringList texts() const { return m_texts; }
    void restore(const QStringList& texts);

    // The message, then the focus to the field's box.
    void refuse(int field, const QString& title, const QString& text);
    // The first of `order` (every field when empty) that must be there and is empty, refused
    // with "Missing Data".
    bool refusedAsMissing(const QList<int>& order = {});
    // The first number box that holds the start of a number and no more, refused.
    bool refusedAsUnfinishedNumber();

Q_SIGNALS:
    void changed(int field, const QString& text);

private:
    QList<EntryField> m_table;
    int m_first;
    QString m_placeholder;
    UserInterface& m_ui;
    QStringList m_texts;
};
