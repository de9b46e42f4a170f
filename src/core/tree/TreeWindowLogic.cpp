#include "TreeWindowLogic.h"

TreeWindowLogic::TreeWindowLogic(UserInterface& ui, QObject* parent)
    : RecordFileLogic(RecordFileConfig::tree(), ui, parent)
{
}
