#include "app/FrmSplash.h"
#include "app/WindowChain.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sapwright"));
    QApplication::setDesktopFileName(QStringLiteral("org.sapwright.Sapwright"));
    // The layout is measured for a small 8-point dialog font.
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    // The data windows end the program themselves; between two of them none is open.
    QApplication::setQuitOnLastWindowClosed(false);
    WindowChain::setQuitOnEnd(true);
    WindowChain::startWith(QApplication::arguments());
    auto* splash = new FrmSplash();
    splash->show();
    return QApplication::exec();
}
