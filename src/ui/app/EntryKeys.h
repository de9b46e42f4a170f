#pragma once

#include <QList>
#include <QObject>

class QLineEdit;
class QWidget;

// The data windows' keys: Enter moves on like Tab everywhere but on a button, which takes
// Enter as its click; the boxes named select their whole text when they get the focus.
class EntryKeys : public QObject
{
    Q_OBJECT
public:
    // Watches every control the window holds now.
    EntryKeys(QWidget* window, QList<QLineEdit*> selectAllBoxes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> m_selectAllBoxes;
};
