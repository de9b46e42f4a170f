#pragma once

#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class RecordFileLogic;
class RecordListView;

// What the three data windows share: their frame, the hand-over to the next window and the
// close handling, which asks about unsaved changes and may refuse.
class DataWindow : public QWidget
{
    Q_OBJECT
public:
    // Named, titled and sized as that window of the chain.
    explicit DataWindow(WindowChain::Window window);

    // Loads what the shared values name; called once the window is on screen.
    void openFromSharedState();
    virtual RecordFileLogic& logic() = 0;
    UserInterface& userInterface() { return m_ui; }

    // Leaves for another window: hands over the file name and position, then closes unless
    // the user cancels. True when the other window opened.
    bool leaveTo(WindowChain::Window target);
    // Ends the program after the unsaved-changes question; false when the window stays.
    bool exitProgram();

protected:
    // The file-name box and its Browse button, in `parent`.
    void buildFileBox(QWidget* parent, const char* name, const char* tooltip, int left, int top,
                      const char* browse, int browseLeft);
    // The other controls around the record file, as that window places them, bound to the
    // logic.
    void buildRecordControls();
    void resizeEvent(QResizeEvent* event) override;

    void placeFromSharedState();
    void closeEvent(QCloseEvent* event) override;

    QLineEdit* m_fileBox = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_process = nullptr;
    QPushButton* m_last = nullptr;
    RecordListView* m_display = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_next = nullptr;

private:
    UserInterfaceSwitch m_ui;
    WindowChain::Window m_window;
    int m_minHeight = 0;
    int m_listHeightOffset = 0;
    bool m_leaving = false;
    bool m_closeHandled = false;
};
