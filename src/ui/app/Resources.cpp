#include "Resources.h"

#include <QtCore/QDir>

void initSapwrightResources()
{
    static const bool done = [] {
        // A static library's resources are registered only when asked for.
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}
