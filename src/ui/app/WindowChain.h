#pragma once

#include <QStringList>

class QWidget;

// The three data windows, one at a time; each opens where the last one was.
namespace WindowChain {

enum class Window
{
    Tree,
    Stand,
    Location
};

QWidget* show(Window window);

// After the splash: the questions about what programs that ended without saving left in their
// recovery journals; then the window a journal is recovered into, or else the tree window (or
// the window of a file named at start).
void showFirst();

// The program was started on this file (empty: none). It is put into the shared value of its
// kind, and the first window shown after the splash is the window of that kind instead of the
// tree window; a file that cannot be opened is reported and the program starts as usual.
void startWith(const QString& file);

// The data window now open, if any.
QWidget* current();

// Ends the program: quits the application when the program runs for real (main sets it),
// otherwise only records that it ended, so tests can see it.
void endProgram();
void setQuitOnEnd(bool quit);
bool programEnded();
void resetForTests();

} // namespace WindowChain
