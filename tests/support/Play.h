#pragma once

#include "location/LocationWindowLogic.h"
#include "stand/StandWindowLogic.h"
#include "tree/TreeWindowLogic.h"

// What a user does: "s3" selects line 3, "f5=WF" puts WF into field 5 (the location window's
// fields in LocRecord::Field order), "kB" chooses B records, "p" the process button, "d"
// delete, "c" Clear Display, "u" undo, "r" redo.
inline void play(RecordFileLogic& logic, const QString& script)
{
    auto* location = qobject_cast<LocationWindowLogic*>(&logic);
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString arg = step.mid(1);
        const int field = arg.section(u'=', 0, 0).toInt();
        const QString text = arg.section(u'=', 1);
        if (step[0] == u's')
            logic.select(arg.toInt());
        else if (step[0] == u'f')
            logic.setField(field, text);
        else if (step[0] == u'k')
            location->chooseType(arg == u'B');
        else if (step[0] == u'p')
            logic.processEntry();
        else if (step[0] == u'u' || step[0] == u'r')
            step[0] == u'u' ? logic.undo() : logic.redo();
        else
            step[0] == u'd' ? logic.deleteCurrent() : logic.clearDisplay();
    }
}
