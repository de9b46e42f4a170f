#include "DlgFileExists.h"

#include "app/Controls.h"
#include "app/FitCaption.h"
#include "app/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Choice
{
    const char* frame;
    const char* title;
    int left;
    const char* button;
    const char* caption;
    const char* label;
    const char* explanation;
};

// One of the two choices: a captioned frame with its button and what choosing it means.
QPushButton* choiceFrame(QWidget* dialog, const Choice& choice)
{
    auto* frame = new QGroupBox(QString::fromLatin1(choice.title), dialog);
    frame->setObjectName(QString::fromLatin1(choice.frame));
    Twips::place(frame, choice.left, 480, 2775, 1995);
    auto* button = new QPushButton(QString::fromLatin1(choice.caption), frame);
    button->setObjectName(QString::fromLatin1(choice.button));
    Twips::place(button, 120, 1500, 2535, 375);
    Controls::clickOnEnter(button);
    auto* label = new QLabel(QString::fromLatin1(choice.explanation), frame);
    label->setObjectName(QString::fromLatin1(choice.label));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(label, 180, 300, 2415, 1035);
    fitCaption(label);
    return button;
}

} // namespace

DlgFileExists::DlgFileExists(QWidget* owner) : QDialog(owner)
{
    Controls::noControlBox(this);
    setObjectName(QStringLiteral("dlgFileExists"));
    setWindowTitle(QStringLiteral("File Exists"));
    Controls::showFocus(this);
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

    QPushButton* open = choiceFrame(
        this, {"Frame2", "Open Existing File", 120, "cmdOpen", "&Open Existing File", "Label2",
               "This option opens the existing file and loads the data from that file into the "
               "display.  This clears the information that is currently in the display.  Saving "
               "updates the file."});
    m_new = choiceFrame(
        this, {"Frame1", "Use Displayed Values", 3060, "cmdNew", "Use &Displayed Values", "Label3",
               "This option leaves the information that is currently in the display as it is.  "
               "Saving to the file will overwrite what is in that file, replacing it with the "
               "information from the display."});

    connect(open, &QPushButton::clicked, this, [this] { choose(true); });
    connect(m_new, &QPushButton::clicked, this, [this] { choose(false); });
}

void DlgFileExists::SetFilename(const QString& fileName)
{
    m_fileName = fileName;
    showPath(m_message, QStringLiteral("The file "), fileName, QStringLiteral(" already exists!"));
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

void DlgFileExists::reject()
{
    // No control box: Esc and the window manager's close both end here, and neither is a
    // choice, so the dialog stays until one of its buttons is pressed.
}

void DlgFileExists::choose(bool openExisting)
{
    m_openStatus = openExisting;
    accept();
}
