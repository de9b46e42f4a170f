#include "app/CheckCommand.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/WindowChain.h"
#include "recordfile/RecordJournal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command-line check runs before any window system is touched: it needs no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (CheckCommand::handles(arguments)) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CheckCommand::run(arguments, out, err);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sapwright"));
    QApplication::setDesktopFileName(QStringLiteral("org.sapwright.Sapwright"));
    applyDesignFont();
    // The data windows end the program themselves; between two of them none is open.
    QApplication::setQuitOnLastWindowClosed(false);
    WindowChain::setQuitOnEnd(true);
    RecordJournal::setFolder(RecordJournal::defaultFolder());
    WindowChain::startWith(QApplication::arguments());
    auto* splash = new FrmSplash();
    splash->show();
    return QApplication::exec();
}
