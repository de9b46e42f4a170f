#include "QtUserInterface.h"

#include "app/Controls.h"
#include "recordfile/DlgFileExists.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QPushButton>
#include <QTimer>

namespace {

// The text with long values cut in their middle: a word wider than `width` keeps its two ends,
// and a line that would still wrap into more than `rows` rows keeps its start and its end.
QString elided(const QString& text, const QFontMetrics& metrics, int width, int rows)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        QStringList words = line.split(u' ');
        for (QString& word : words) {
            if (metrics.horizontalAdvance(word) > width)
                word = metrics.elidedText(word, Qt::ElideMiddle, width);
        }
        line = words.join(u' ');
        if (metrics.horizontalAdvance(line) > width * rows)
            line = metrics.elidedText(line, Qt::ElideMiddle, width * rows);
    }
    return lines.join(u'\n');
}

} // namespace

UserInterface::Answer QtUserInterface::message(const QString& title, const QString& text,
                                               Buttons buttons, Icon icon)
{
    QMessageBox box(m_window);
    box.setWindowTitle(title);
    Controls::showFocus(&box);
    QString whole = text;
    whole.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A value of any length must not widen the box past the screen: it is shown with its middle
    // cut out, and the details hold the whole text.
    const QScreen* screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    const QFontMetrics metrics(box.font());
    const int width = qMin(metrics.averageCharWidth() * 60,
                           screen ? screen->availableGeometry().width() / 3 : 400);
    const QString shown = elided(whole, metrics, width, 8);
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    if (shown != whole)
        box.setDetailedText(whole);
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::RecoverDiscardLater: {
        QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
        box.setEscapeButton(box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole));
        box.setDefaultButton(recover);
        box.exec();
        return box.clickedButton() == recover   ? Answer::Recover
               : box.clickedButton() == discard ? Answer::Discard
                                                : Answer::Later;
    }
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Esc or the close box: the safe answer.
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

bool QtUserInterface::askFileExists(const QString& fileName)
{
    DlgFileExists dialog(m_window);
    dialog.SetFilename(fileName);
    dialog.exec();
    bool status = false;
    dialog.GetOpenStatus(status);
    return status;
}

QStringList QtUserInterface::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = parts[i + 1];
        // "*.*" would hide files without an extension here.
        if (pattern == QStringLiteral("*.*"))
            description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        else if (!description.contains(u'('))
            description += QStringLiteral(" (") + pattern + u')';
        filters.append(description);
    }
    return filters;
}

std::optional<QString> QtUserInterface::openFileDialog(const QString& filter)
{
    QFileDialog dialog(m_window);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(nameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtUserInterface::beep()
{
    QApplication::beep();
}

void QtUserInterface::focusControl(const QString& objectName)
{
    if (!m_window)
        return;
    QWidget* target = m_window->findChild<QWidget*>(objectName);
    if (target && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
}

void QtUserInterface::sendTab(const QString& fromControl)
{
    // Handled after the current action, like a keystroke typed by the user.
    QTimer::singleShot(0, m_window, [window = m_window, fromControl] {
        if (!window)
            return;
        if (!fromControl.isEmpty()) {
            if (QWidget* from = window->findChild<QWidget*>(fromControl))
                from->setFocus(Qt::TabFocusReason);
        }
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(target, &tab);
    });
}
