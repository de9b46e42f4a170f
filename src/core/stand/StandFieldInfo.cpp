#include "StandFieldInfo.h"

#include "StandSet.h"

namespace {

using T = TypingClass;

const std::array<StandFieldInfo, StandSet::LastAttribute + 1> Fields = {{
    {"", "", T::None, 0},
    {"Stand ID", "Unique identifier for the stand, up to 26 characters", T::None, 26},
    {"Inventory year", "4-digit year", T::StandWhole, 4},
    {"Latitude (degrees)", "Decimal degrees", T::StandDecimal, 0},
    {"Longitude (degrees)", "Decimal degrees", T::StandDecimal, 0},
    {"Location (region/forest)", "Numeric code for region and forest (and sometimes district)",
     T::StandWhole, 0},
    {"Habitat type code", "See variant documentation or STNDINFO keyword description", T::None, 0},
    {"Stand origin year", "4-digit year of origin for the stand", T::StandWhole, 4},
    {"Aspect (degrees)", "Integer degrees", T::StandDecimal, 0},
    {"Slope %", "Integer slope percent", T::StandDecimal, 0},
    {"Elevation (100s of feet)", "Example: 1200' recorded as 12", T::StandDecimal, 0},
    {"Basal area factor", "BAF if positive, inverse of large-tree fixed plot if negative",
     T::SignedDecimal, 0},
    {"Inverse of fixed plot size (ac.)", "Example: 1/50-acre recorded as 50", T::StandDecimal, 0},
    {"Breakpoint DBH (inches)", "Determines if the record is from the BAF plot or the fixed plot",
     T::StandDecimal, 0},
    {"Number of plots", "Number of sample points at which tree data were collected", T::StandWhole,
     0},
    {"Non-stockable plots", "Number of plots that cannot support trees", T::StandWhole, 0},
    {"Stand weight or size", "Acres or other sampling weight", T::StandDecimal, 0},
    {"Stockable %", "Overrides the \"Non-stockable plots\" entry", T::StandDecimal, 0},
    {"Diameter growth code", "See GROWTH keyword description", T::GrowthCode, 1},
    {"Diameter growth period (yrs)",
     "Number of years the diameter increment represents (see GROWTH keyword description)",
     T::StandDecimal, 0},
    {"Height growth code", "See GROWTH keyword description (see GROWTH keyword description)",
     T::GrowthCode, 1},
    {"Height growth period (yrs)",
     "Number of years the height increment represents (see GROWTH keyword description)",
     T::StandDecimal, 0},
    {"Mortality period (yrs)",
     "Number of years after death that trees were coded as recent mortality (see GROWTH "
     "keyword description)",
     T::StandDecimal, 0},
    {"Maximum BA (sq ft/ac)",
     "Maximum basal area the stand can attain (see BAMAX keyword description)", T::StandDecimal, 0},
    {"Maximum SDI",
     "Maximum stand density index the stand can attain (see SDIMAX keyword description)",
     T::StandDecimal, 0},
    {"Site species", "VELK species code for the site index species", T::None, 2},
    {"Site index", "Site index - Check variant documentation for curve and base age",
     T::StandDecimal, 0},
    {"Model type", "Integer submodel code (see MODTYPE keyword description)", T::StandWhole, 1},
    {"Physiographic region", "Integer physiographic code (see MODTYPE keyword description)",
     T::None, 0},
    {"Forest type", "integer southeastern forest type (see MODTYPE keyword description)", T::None,
     0},
}};

} // namespace

const StandFieldInfo& standField(int index)
{
    return index >= 1 && index < int(Fields.size()) ? Fields[index] : Fields[0];
}

int standFieldMaxLength(int index)
{
    return standField(index).maxLength;
}
