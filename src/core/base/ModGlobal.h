#pragma once

#include <QString>
#include <QtGlobal>

// The few values the windows hand each other; nothing else travels between windows.
struct ModGlobal
{
    QString TreeFileName;
    QString StandListFileName;
    QString LocationsFileName;
    qint16 WindowLeft = 0; // twips
    qint16 WindowTop = 0;  // twips
    qint16 SpeciesVariantIndex = 0;

    // A window coordinate in twips rounded half to even and clamped to 16 bits,
    // so a window dragged far off screen never overflows.
    static qint16 toTwips16(double twips);
};

ModGlobal& modGlobal();
