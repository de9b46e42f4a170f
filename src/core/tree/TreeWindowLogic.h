#pragma once

#include "recordfile/RecordFileLogic.h"

// The tree data window's logic: the shared record file handling plus the 19 entry fields.
class TreeWindowLogic : public RecordFileLogic
{
    Q_OBJECT
public:
    explicit TreeWindowLogic(UserInterface& ui, QObject* parent = nullptr);
};
