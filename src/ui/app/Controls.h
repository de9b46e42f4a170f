#pragma once

#include <QString>

class QAbstractButton;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordListView;
class QWidget;

// Builders for the controls every window has, named and placed in twips.
namespace Controls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tooltip, int left, int top, int width, int height,
                    bool tabStop = false);
QLineEdit* textBox(QWidget* parent, const QString& name, const QString& tooltip, int left, int top,
                   int width, int height);
QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
              int width, int height);
QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height);
// A box of several lines; Tab leaves it.
QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name, const QString& tooltip, int left,
                             int top, int width, int height);
RecordListView* recordList(QWidget* parent, const QString& name, double pointSize, int left,
                           int top, int width, int height);

// A focused button takes Enter as its click, in a window as in a dialog, without becoming the
// default button for Enter pressed elsewhere. Every button built here does.
void clickOnEnter(QAbstractButton* button);

// A dialog without control box: no title-bar buttons where the window manager allows it.
// Where it draws a minimise button anyway, a minimised dialog comes straight back, since a
// hidden modal dialog would leave its owner blocked with nothing to answer.
void noControlBox(QDialog* dialog);

// The focus shows from the moment a dialog opens, as it does once Tab has moved it: a dialog
// opened from the keyboard is answered from the keyboard.
void showFocus(QWidget* dialog);

} // namespace Controls
