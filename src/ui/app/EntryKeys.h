#pragma once

#include <QObject>
#include <QSet>

class QLineEdit;
class QPushButton;
class QWidget;

// The keys and focus rules of a data window's entry boxes: Enter moves on like Tab, Enter on
// a button is its click, and a box either selects its whole text when it gets the focus or
// keeps the caret without a selection.
class EntryKeys : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void enterAsTab(QWidget* widget);
    void enterClicks(QPushButton* button);
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
