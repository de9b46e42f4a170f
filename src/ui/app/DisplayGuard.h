#pragma once

#include <QtGlobal>

// Qt ends the program with abort() when it cannot open the display it is given (a DISPLAY whose
// server is gone, a Wayland socket without compositor). While a guard lives, that ends the
// program with one line and exit status 1 instead; Qt's own messages of that time are passed
// on only when the display opened.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    Q_DISABLE_COPY_MOVE(DisplayGuard)
};
