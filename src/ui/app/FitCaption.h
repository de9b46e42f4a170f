#pragma once

#include <QStringList>

class QLabel;
class QLineEdit;

// The layout was measured for a narrower dialog font than a Linux desktop has. A caption that
// does not fit its label is drawn narrower, then smaller, rather than cut off; a word-wrapped
// caption is fitted in all its lines. A left-aligned caption also stays clear of a control
// that begins to its right on the same row. The label is fitted again whenever it is shown,
// so controls built after it count too.
void fitCaption(QLabel* label);

// Shows before + path + after in a read-only text box. A path too long for the box loses its
// middle, from its folders first, so its start and its file name stay readable; the whole path
// is the tooltip.
void showPath(QLineEdit* box, const QString& before, const QString& path, const QString& after);

// The small dialog font the layout was measured for, for the whole program: 8 points of a sans
// with Arial's widths where one is installed (designFamilies, the first found), else of the
// desktop's own sans, whose wider captions fitCaption fits.
void applyDesignFont();
QStringList designFamilies();
