#include "StandFields.h"

#include <array>

namespace {

using T = TypingClass;

const std::array<EntryField, StandBox::Last + 1> Fields = {{
    {"", "", "", T::None, 0, nullptr},
    {"txtStandData_1", "Stand ID", "Unique identifier for the stand, up to 26 characters", T::None,
     26, "Stand ID is required"},
    {"txtStandData_2", "Inventory year", "4-digit year", T::Integer, 4, nullptr},
    {"txtStandData_3", "Latitude (degrees)", "Decimal degrees", T::Decimal, 0, nullptr},
    {"txtStandData_4", "Longitude (degrees)", "Decimal degrees", T::Decimal, 0, nullptr},
    {"txtStandData_5", "Location (region/forest)",
     "Numeric code for region and forest (and sometimes district)", T::Integer, 0, nullptr},
    {"txtStandData_6", "Habitat type code",
     "See variant documentation or STNDINFO keyword description", T::None, 0, nullptr},
    {"txtStandData_7", "Stand origin year", "4-digit year of origin for the stand", T::Integer, 4,
     nullptr},
    {"txtStandData_8", "Aspect (degrees)", "Integer degrees", T::Decimal, 0, nullptr},
    {"txtStandData_9", "Slope %", "Integer slope percent", T::Decimal, 0, nullptr},
    {"txtStandData_10", "Elevation (100s of feet)", "Example: 1200' recorded as 12", T::Decimal, 0,
     nullptr},
    {"txtStandData_11", "Basal area factor",
     "BAF if positive, inverse of large-tree fixed plot if negative", T::SignedDecimal, 0, nullptr},
    {"txtStandData_12", "Inverse of fixed plot size (ac.)", "Example: 1/50-acre recorded as 50",
     T::Decimal, 0, nullptr},
    {"txtStandData_13", "Breakpoint DBH (inches)",
     "Determines if the record is from the BAF plot or the fixed plot", T::Decimal, 0, nullptr},
    {"txtStandData_14", "Number of plots",
     "Number of sample points at which tree data were collected", T::Integer, 0, nullptr},
    {"txtStandData_15", "Non-stockable plots", "Number of plots that cannot support trees",
     T::Integer, 0, nullptr},
    {"txtStandData_16", "Stand weight or size", "Acres or other sampling weight", T::Decimal, 0,
     nullptr},
    {"txtStandData_17", "Stockable %", "Overrides the \"Non-stockable plots\" entry", T::Decimal, 0,
     nullptr},
    {"txtStandData_18", "Diameter growth code", "See GROWTH keyword description", T::GrowthCode, 1,
     nullptr},
    {"txtStandData_19", "Diameter growth period (yrs)",
     "Number of years the diameter increment represents (see GROWTH keyword description)",
     T::Decimal, 0, nullptr},
    {"txtStandData_20", "Height growth code",
     "See GROWTH keyword description (see GROWTH keyword description)", T::GrowthCode, 1, nullptr},
    {"txtStandData_21", "Height growth period (yrs)",
     "Number of years the height increment represents (see GROWTH keyword description)", T::Decimal,
     0, nullptr},
    {"txtStandData_22", "Mortality period (yrs)",
     "Number of years after death that trees were coded as recent mortality (see GROWTH keyword "
     "description)",
     T::Decimal, 0, nullptr},
    {"txtStandData_23", "Maximum BA (sq ft/ac)",
     "Maximum basal area the stand can attain (see BAMAX keyword description)", T::Decimal, 0,
     nullptr},
    {"txtStandData_24", "Maximum SDI",
     "Maximum stand density index the stand can attain (see SDIMAX keyword description)",
     T::Decimal, 0, nullptr},
    {"txtStandData_25", "Site species", "VELK species code for the site index species", T::None, 2,
     nullptr},
    {"txtStandData_26", "Site index",
     "Site index - Check variant documentation for curve and base age", T::Decimal, 0, nullptr},
    {"txtStandData_27", "Model type", "Integer submodel code (see MODTYPE keyword description)",
     T::Integer, 1, nullptr},
    {"txtStandData_28", "Physiographic region",
     "Integer physiographic code (see MODTYPE keyword description)", T::None, 0, nullptr},
    {"txtStandData_29", "Forest type",
     "integer southeastern forest type (see MODTYPE keyword description)", T::None, 0, nullptr},
    {"txtTreeFile", "VELK Tree Data File",
     "Name of the tree data file that contains the tree data for the stand described below",
     T::None, 0, nullptr},
    {"txtVariant", "Variant code(s)", "2-character alpha codes", T::None, 0,
     "VELK variant code is required"},
    {"txtGroups", "Grouping Code(s)", "Used in stand selection when using the Vorlin interface",
     T::None, 0, nullptr},
    {"txtAddfile", "Addfiles", "Addfiles to be included every time this stand is selected", T::None,
     0, nullptr},
}};

} // namespace

const EntryField& standField(int index)
{
    return index >= 1 && index < int(Fields.size()) ? Fields[index] : Fields[0];
}

QList<EntryField> standEntryFields()
{
    return QList<EntryField>(Fields.begin() + 1, Fields.end());
}
