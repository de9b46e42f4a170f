#include "app/DisplayGuard.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/PanelCacheStyle.h"
#include "app/WindowChain.h"
#include "recordfile/RecordJournal.h"
#include "startup/CommandLine.h"

#include <QApplication>
#include <cstring>
#include <optional>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // All but the windows is done before the window system is touched: it needs no display.
    const CommandLine line = CommandLine::parse(arguments, CommandLine::displayNamed());
    if (line.mode() != CommandLine::Mode::Windows) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return line.run(out, err);
    }

    // Qt takes its own options from the arguments but knows no "--": it sees none after it.
    int qtArguments = 1;
    while (qtArguments < argc && std::strcmp(argv[qtArguments], "--") != 0)
        ++qtArguments;
    std::optional<DisplayGuard> guard(std::in_place);
    QApplication app(qtArguments, argv);
    guard.reset();
    // The class of the windows (WM_CLASS), which the desktop entry names as StartupWMClass.
    QApplication::setApplicationName(QStringLiteral("Sapwright"));
    QApplication::setDesktopFileName(QStringLiteral("org.sapwright.Sapwright"));
    applyDesignFont();
    PanelCacheStyle::install();
    // The data windows end the program themselves; between two of them none is open.
    QApplication::setQuitOnLastWindowClosed(false);
    WindowChain::setQuitOnEnd(true);
    RecordJournal::setFolder(RecordJournal::defaultFolder());
    WindowChain::startWith(line.startFile());
    auto* splash = new FrmSplash();
    splash->show();
    return QApplication::exec();
}
