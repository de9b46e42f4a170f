#pragma once

#include "recordfile/EntryField.h"

#include <QList>

// The entry fields of the location data window, numbered by LocRecord::Field.
QList<EntryField> locEntryFields();
