#pragma once

#include <QObject>

class QLineEdit;
class QAbstractItemView;
class QPushButton;
class RecordFileLogic;

// Binds one data window's file-name box, Browse button, display list and record buttons to
// its record file logic. The same binding serves all three windows.
class RecordFileBinding : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QLineEdit* fileNameBox = nullptr;
        QPushButton* browse = nullptr;
        QAbstractItemView* display = nullptr;
        QPushButton* save = nullptr;
        QPushButton* clear = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* last = nullptr;
        QPushButton* process = nullptr;
        bool deleteKeyInList = false; // Delete/Backspace in the list removes the record
    };

    RecordFileBinding(RecordFileLogic& logic, Controls controls, QObject* parent);

    // Captions, tag, tooltip and enabled states of the record buttons, all from the mode.
    void updateControls();

    // Courier New, or the system's fixed-pitch font where it is missing.
    static void setDisplayFont(QWidget* list, double pointSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection(int index);

    RecordFileLogic& m_logic;
    Controls m_controls;
    bool m_syncingSelection = false;
};
