#pragma once

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
// The data window now open, if any.
QWidget* current();

// Ends the program: quits the application when the program runs for real (main sets it),
// otherwise only records that it ended, so tests can see it.
void endProgram();
void setQuitOnEnd(bool quit);
bool programEnded();
void resetForTests();

} // namespace WindowChain
