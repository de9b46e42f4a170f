#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/WindowChain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sapwright"));
    applyDesignFont();
    // The data windows end the program themselves; between two of them none is open.
    QApplication::setQuitOnLastWindowClosed(false);
    WindowChain::setQuitOnEnd(true);
    auto* splash = new FrmSplash();
    splash->show();
    return QApplication::exec();
}
