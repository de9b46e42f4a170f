#pragma once

#include <QObject>
#include <QSet>

class QLineEdit;
class QWidget;

// The keys and focus rules of a window's entry boxes: Enter moves on like Tab, and a box either
// selects its whole text when it gets the focus or keeps the caret without a selection. (A
// button takes Enter as its click by itself, see Controls.)
class EntryKeys : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void enterAsTab(QWidget* widget);
    void selectAllOnFocus(QLineEdit* box);
    void noSelectionOnFocus(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QSet<QObject*> m_enterAsTab;
    QSet<QObject*> m_selectAll;
    QSet<QObject*> m_noSelection;
};
