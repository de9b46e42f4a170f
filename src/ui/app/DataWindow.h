#pragma once

#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"

#include <QWidget>

class RecordFileLogic;

// What the three data windows share: their frame, the hand-over to the next window and the
// close handling, which asks about unsaved changes and may refuse.
class DataWindow : public QWidget
{
    Q_OBJECT
public:
    DataWindow(const QString& objectName, const QString& title, int clientWidthTwips,
               int clientHeightTwips);

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
    // How the display list and the bottom buttons follow the window's outer size (twips):
    // above the minimum height the list grows, and the buttons keep 840 twips from the bottom.
    struct ResizeRule
    {
        QWidget* list = nullptr;
        int minHeight = 0;
        int listHeightOffset = 0;
        QList<QWidget*> bottomButtons;
    };
    void setResizeRule(ResizeRule rule) { m_resizeRule = std::move(rule); }
    void resizeEvent(QResizeEvent* event) override;

    void placeFromSharedState();
    void closeEvent(QCloseEvent* event) override;

private:
    UserInterfaceSwitch m_ui;
    ResizeRule m_resizeRule;
    bool m_leaving = false;
    bool m_closeHandled = false;
};
