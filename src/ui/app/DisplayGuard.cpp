#include "DisplayGuard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

struct Held
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previous = nullptr;
QList<Held> held;

void guard(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held.append({type, QByteArray(context.category), text});
        return;
    }
    const QByteArray display =
        qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
    // One named by -display is not in the environment.
    if (display.isEmpty())
        std::fputs("sapwright: cannot open the display\n", stderr);
    else
        std::fprintf(stderr, "sapwright: cannot open the display '%s'\n", display.constData());
    std::fflush(stderr);
    // Nothing else may run: the application is half built.
    std::_Exit(1);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previous = qInstallMessageHandler(guard);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previous);
    for (const Held& message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}
