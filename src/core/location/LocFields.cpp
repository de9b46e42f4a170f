#include "LocFields.h"

QList<EntryField> locEntryFields()
{
    using T = TypingClass;
    // No length limit and no class: only characters without a byte in the file are refused.
    return {
        {"txtLocation", "location name",
         "Name of the location or project used in stand selection when using the Vorlin "
         "interface",
         T::None, 0, "Location Name is required"},
        {"txtSlfAccess", "access field", "", T::None, 0, nullptr},
        {"txtSlfFile", "Stand List File name",
         "Name of the Stand List File referred to by the Location Name below", T::None, 0,
         "Stand List Filename is required"},
        {"txtAddfileGroup", "grouping code",
         "Any stand with this grouping code will have the addfile to the right automatically "
         "included",
         T::None, 0, "A Grouping Code is required"},
        {"txtAddfile", "addfile field",
         "Addfiles to be automatically added when stands are selected in Vorlin", T::None, 0,
         "Addfile name is missing"},
    };
}
