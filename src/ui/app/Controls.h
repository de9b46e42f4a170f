#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
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
RecordListView* recordList(QWidget* parent, const QString& name, double pointSize, int left,
                           int top, int width, int height);

} // namespace Controls
