#include "WindowChain.h"

#include "app/DataWindow.h"
#include "app/UserInterfaceSwitch.h"
#include "location/FrmLocData.h"
#include "recordfile/RecordFileLogic.h"
#include "stand/FrmStandData.h"
#include "startup/StartFile.h"
#include "startup/StartupRecovery.h"
#include "tree/FrmTreeData.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <optional>
#include <utility>

namespace {

QPointer<QWidget>& currentWindow()
{
    static QPointer<QWidget> window;
    return window;
}

bool quitOnEnd = false;
bool ended = false;
std::optional<WindowChain::Window> startWindow;
// The file the first window opens on, in place of its shared name.
std::optional<QString> startName;

} // namespace

namespace WindowChain {

void startWith(const QString& file)
{
    const StartFile start = StartFile::named(file, QDir::currentPath());
    if (!start.problem().isEmpty()) {
        UserInterfaceSwitch ui(nullptr);
        ui.message(QStringLiteral("Error"), start.problem(), UserInterface::Buttons::Ok,
                   UserInterface::Icon::Critical);
        return;
    }
    switch (start.kind()) {
    case FileKind::None:
        return;
    case FileKind::Tree:
        startWindow = Window::Tree;
        break;
    case FileKind::Stand:
        startWindow = Window::Stand;
        break;
    case FileKind::Locations:
        startWindow = Window::Location;
        break;
    }
    startName = start.name();
}

QWidget* show(Window window)
{
    // The splash asks for the tree window; a file named at start takes its place once.
    if (startWindow)
        window = *std::exchange(startWindow, std::nullopt);
    const std::optional<QString> name = std::exchange(startName, std::nullopt);
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
    if (name)
        created->logic().setSharedFileName(*name);
    created->show();
    created->openFromSharedState();
    return created;
}

void showFirst()
{
    UserInterfaceSwitch ui(nullptr);
    std::optional<OrphanJournal> journal = StartupRecovery::ask(ui);
    if (!journal) {
        show(Window::Tree);
        return;
    }
    // The window opens on the journal's file name, then gets the changes back.
    startWindow.reset();
    startName = journal->fileName();
    const QString kind = journal->content().base.window;
    Window window = Window::Tree;
    if (kind == QStringLiteral("stand"))
        window = Window::Stand;
    else if (kind == QStringLiteral("location"))
        window = Window::Location;
    auto* opened = static_cast<DataWindow*>(show(window));
    StartupRecovery::recover(opened->logic(), *journal, opened->userInterface());
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
    startWindow.reset();
    delete currentWindow().data();
    currentWindow() = nullptr;
}

} // namespace WindowChain
