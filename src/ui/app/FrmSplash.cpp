#include "FrmSplash.h"

#include "Version.h"
#include "app/Controls.h"
#include "app/Resources.h"
#include "app/Twips.h"
#include "app/WindowChain.h"
#include "base/ModGlobal.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

FrmSplash::FrmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    initSapwrightResources();
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(5475), Twips::toPixels(4125));
    setFocusPolicy(Qt::StrongFocus);

    QGroupBox* frame =
        Controls::frame(this, QStringLiteral("Frame1"), QString(), 120, 60, 5235, 3675);
    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setGeometry(0, 0, 340, 226);
    m_version = Controls::label(frame, QStringLiteral("lblVersion"), QStringLiteral("Version"),
                                2760, 1740, 2175, 255);
    m_version->setAlignment(Qt::AlignCenter);
    m_ok = Controls::button(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"), QString(), 2460,
                            3780, 615, 315, true);
    connect(m_ok, &QPushButton::clicked, this, &FrmSplash::CloseSplash);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(3000);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &FrmSplash::CloseSplash);
    m_timer->start();

    for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(logo),
                       static_cast<QWidget*>(m_version), static_cast<QWidget*>(m_ok)})
        w->installEventFilter(this);

    m_version->setText(QStringLiteral("Version %1/%2/%3")
                           .arg(Version::Minor)
                           .arg(Version::Revision)
                           .arg(Version::Major));
}

void FrmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // A window manager does not give a splash window the keyboard by itself.
    activateWindow();
    raise();
}

void FrmSplash::CloseSplash()
{
    if (m_closing)
        return;
    m_closing = true;
    m_timer->stop();
    const QPoint position = frameGeometry().topLeft();
    modGlobal().WindowLeft = ModGlobal::toTwips16(Twips::fromPixels(position.x()) * 0.66);
    modGlobal().WindowTop = ModGlobal::toTwips16(Twips::fromPixels(position.y()) / 2.0);
    modGlobal().SpeciesVariantIndex = 0;
    // The recovery questions come when the splash has gone.
    hide();
    WindowChain::showFirst();
    Q_EMIT closed();
    close();
}

bool FrmSplash::handleKey(QKeyEvent* event)
{
    // Only keys that yield a character: typed text, Enter, Esc, Backspace.
    const int key = event->key();
    if (event->text().isEmpty() && key != Qt::Key_Return && key != Qt::Key_Enter &&
        key != Qt::Key_Escape && key != Qt::Key_Backspace)
        return false;
    CloseSplash();
    return true;
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_ok)
            return false; // the button closes on its own click
        // The version label takes clicks without doing anything.
        if (watched != m_version)
            CloseSplash();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSplash::mousePressEvent(QMouseEvent*)
{
    CloseSplash();
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}
