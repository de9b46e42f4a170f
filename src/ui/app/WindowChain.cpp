#include "WindowChain.h"

#include "location/FrmLocData.h"
#include "stand/FrmStandData.h"
#include "tree/FrmTreeData.h"

#include <QApplication>
#include <QPointer>

namespace {

QPointer<QWidget>& currentWindow()
{
    static QPointer<QWidget> window;
    return window;
}

bool quitOnEnd = false;
bool ended = false;

} // namespace

namespace WindowChain {

QWidget* show(Window window)
{
    DataWindow* created = nullptr;
    switch (window) {
    case Window::Tree:
        created = new FrmTreeData();
        break;
    case Window::Stand:
        created = new FrmStandData();
        break;
    case Window::Location:
        created = new FrmLocData();
        break;
    }
    currentWindow() = created;
    created->show();
    created->openFromSharedState();
    return created;
}

QWidget* current()
{
    return currentWindow();
}

void endProgram()
{
    ended = true;
    if (quitOnEnd)
        QApplication::quit();
}

void setQuitOnEnd(bool quit)
{
    quitOnEnd = quit;
}

bool programEnded()
{
    return ended;
}

void resetForTests()
{
    ended = false;
    delete currentWindow().data();
    currentWindow() = nullptr;
}

} // namespace WindowChain
