#include "DlgFileExists.h"

#include "app/Twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* explanation(QWidget* frame, const QString& text)
{
    auto* label = new QLabel(text, frame);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(label, 180, 300, 2415, 1035);
    return label;
}

} // namespace

DlgFileExists::DlgFileExists(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("dlgFileExists"));
    setWindowTitle(QStringLiteral("File Exists"));
    setModal(true);
    setFixedSize(Twips::toPixels(5940), Twips::toPixels(2595));

    m_message = new QLineEdit(this);
    m_message->setObjectName(QStringLiteral("txtMessage"));
    m_message->setReadOnly(true);
    m_message->setFocusPolicy(Qt::NoFocus);
    m_message->setFrame(false);
    QPalette grey = m_message->palette();
    grey.setColor(QPalette::Base, palette().color(QPalette::Window).darker(110));
    m_message->setPalette(grey);
    Twips::place(m_message, 120, 120, 5655, 255);

    auto* frameOpen = new QGroupBox(QStringLiteral("Open Existing File"), this);
    frameOpen->setObjectName(QStringLiteral("Frame2"));
    Twips::place(frameOpen, 120, 480, 2775, 1995);
    auto* open = new QPushButton(QStringLiteral("&Open Existing File"), frameOpen);
    open->setObjectName(QStringLiteral("cmdOpen"));
    Twips::place(open, 120, 1500, 2535, 375);
    explanation(frameOpen,
                QStringLiteral("This option opens the existing file and loads the data from that "
                               "file into the display.  This clears the information that is "
                               "currently in the display.  Saving updates the file."))
        ->setObjectName(QStringLiteral("Label2"));

    auto* frameNew = new QGroupBox(QStringLiteral("Use Displayed Values"), this);
    frameNew->setObjectName(QStringLiteral("Frame1"));
    Twips::place(frameNew, 3060, 480, 2775, 1995);
    m_new = new QPushButton(QStringLiteral("Use &Displayed Values"), frameNew);
    m_new->setObjectName(QStringLiteral("cmdNew"));
    Twips::place(m_new, 120, 1500, 2535, 375);
    explanation(frameNew,
                QStringLiteral("This option leaves the information that is currently in the "
                               "display as it is.  Saving to the file will overwrite what is in "
                               "that file, replacing it with the information from the display."))
        ->setObjectName(QStringLiteral("Label3"));

    connect(open, &QPushButton::clicked, this, [this] { choose(true); });
    connect(m_new, &QPushButton::clicked, this, [this] { choose(false); });
}

void DlgFileExists::SetFilename(const QString& fileName)
{
    m_fileName = fileName;
    m_message->setText(QStringLiteral("The file ") + fileName + QStringLiteral(" already exists!"));
}

void DlgFileExists::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - rect().center());
    }
    m_new->setFocus(Qt::OtherFocusReason);
}

void DlgFileExists::keyPressEvent(QKeyEvent* event)
{
    // No control box: Esc must not close it without a choice.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DlgFileExists::choose(bool openExisting)
{
    m_openStatus = openExisting;
    accept();
}
