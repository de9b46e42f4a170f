#include "ModGlobal.h"

#include <cfenv>
#include <cmath>

qint16 ModGlobal::toTwips16(double twips)
{
    if (std::isnan(twips))
        return 0;
    const int oldMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(twips);
    std::fesetround(oldMode);
    if (rounded <= -32768.0)
        return -32768;
    if (rounded >= 32767.0)
        return 32767;
    return static_cast<qint16>(rounded);
}

ModGlobal& modGlobal()
{
    static ModGlobal values;
    return values;
}
